#include "platform/qt/drop_router.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QWidget>

#include "platform/qt/mime_drop.h"

namespace velto {

void DropRouter::Route(QWidget& widget, Handler handler, Handler fallback) {
  widget.setAcceptDrops(true);
  widget.installEventFilter(this);
  targets_[&widget] = Target{std::move(handler), std::move(fallback)};
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
  if (type == QEvent::Drop) {
    const DropData data = DropDataFromMime(*drop.mimeData());
    const bool enabled = static_cast<QWidget*>(watched)->isEnabled();
    const Handler& handler =
        enabled || !it->second.fallback ? it->second.handler : it->second.fallback;
    if (handler) handler(data);
  }
  return true;
}

}  // namespace velto
