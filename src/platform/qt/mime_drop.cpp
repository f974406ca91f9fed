#include "platform/qt/mime_drop.h"

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
  // Every format goes to the core as it came: text that only names the files is its call.
  if (CarriesText(mime)) data.text = mime.text().toStdString();
  return data;
}

}  // namespace velto
