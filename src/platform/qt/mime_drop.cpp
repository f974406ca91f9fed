#include "platform/qt/mime_drop.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace velto {
namespace {

QList<QUrl> LocalFiles(const QMimeData& mime) {
  QList<QUrl> files;
  if (!mime.hasUrls()) return files;
  for (const QUrl& url : mime.urls())
    if (url.isLocalFile()) files.append(url);
  return files;
}

// File managers offer the dragged files' names as text besides the file list; dropped files
// carry no text of their own, so such a copy of the list is not taken as the query.
bool TextOnlyNamesFiles(const QString& text, const QList<QUrl>& files) {
  if (files.isEmpty()) return false;
  const QStringList lines =
      text.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
  if (lines.isEmpty()) return false;
  for (const QString& line : lines) {
    const QString item = line.trimmed();
    bool named = false;
    for (const QUrl& url : files)
      named =
          named || item == url.toString() || item == url.toEncoded() || item == url.toLocalFile();
    if (!named) return false;
  }
  return true;
}

// Qt reports text for a drag that offers only a file list, and that text is empty: such a
// drag carries no text.
bool CarriesText(const QMimeData& mime) {
  return mime.hasText() && !mime.text().isEmpty();
}

}  // namespace

bool CarriesDropData(const QMimeData& mime) {
  return CarriesText(mime) || !LocalFiles(mime).isEmpty();
}

DropData DropDataFromMime(const QMimeData& mime) {
  DropData data;
  const QList<QUrl> files = LocalFiles(mime);
  for (const QUrl& url : files) data.files.emplace_back(url.toLocalFile().toStdString());
  if (CarriesText(mime)) {
    const QString text = mime.text();
    if (!TextOnlyNamesFiles(text, files)) data.text = text.toStdString();
  }
  return data;
}

}  // namespace velto
