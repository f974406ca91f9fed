#include "platform/qt/drop_router.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QWidget>

#include "platform/qt/mime_drop.h"

namespace velto {

void DropRouter::Route(QWidget& widget, DropTargetRef target) {
  widget.setAcceptDrops(true);
  widget.installEventFilter(this);
  targets_[&widget] = target;
}

bool DropRouter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto it = targets_.find(watched);
  if (it == targets_.end()) return false;
  auto& drop = static_cast<QDropEvent&>(*event);
  if (!drop.mimeData() || !CarriesDropData(*drop.mimeData())) {
    drop.ignore();
    return true;
  }
  // Copy, never move: the source keeps its text or files.
  drop.setDropAction(Qt::CopyAction);
  drop.accept();
  if (type == QEvent::Drop && handler_) handler_(it->second, DropDataFromMime(*drop.mimeData()));
  return true;
}

}  // namespace velto
