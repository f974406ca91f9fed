// A drag source for the Linux parity runs: a small window that starts a real drag (XDND) with
// the given text and files when the left button is pressed on it, so that the pointer moved by
// the runner carries them onto the search bar. Prints "dropped=1" when the target took the
// drop, "dropped=0" otherwise, and then goes on running until it is ended: the target reads
// the dragged data from this program after the drop.
//
//   velto_drag_source [--text TEXT] [FILE...]
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

class DragSource : public QWidget {
 public:
  DragSource(std::optional<QString> text, QList<QUrl> urls)
      : text_(std::move(text)), urls_(std::move(urls)) {
    setWindowTitle(QStringLiteral("velto drag source"));
    setWindowFlag(Qt::FramelessWindowHint);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    auto mime = std::make_unique<QMimeData>();
    if (text_) mime->setText(*text_);
    if (!urls_.isEmpty()) mime->setUrls(urls_);
    // Kept after the drop: the target asks it for the data once the drop has happened.
    drag_ = std::make_unique<QDrag>(this);
    drag_->setMimeData(mime.release());  // the drag owns it
    const Qt::DropAction done = drag_->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
    std::printf("dropped=%d\n", done == Qt::IgnoreAction ? 0 : 1);
    std::fflush(stdout);
  }

 private:
  std::optional<QString> text_;
  QList<QUrl> urls_;
  std::unique_ptr<QDrag> drag_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::optional<QString> text;
  QList<QUrl> urls;
  const QStringList args = QApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--text") && i + 1 < args.size())
      text = args[++i];
    else
      urls.append(QUrl::fromLocalFile(args[i]));
  }
  DragSource source(text, urls);
  // Bottom left, away from where the scenarios place the bar.
  source.setGeometry(0, 708, 60, 60);
  source.show();
  return QApplication::exec();
}
