#include "platform/qt/composition_watch.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMetaObject>

namespace velto {

CompositionWatch::CompositionWatch(QLineEdit& edit, Report report)
    : edit_(edit), report_(std::move(report)) {
  edit.installEventFilter(this);
}

bool CompositionWatch::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &edit_) return false;
  // The bar ends an open composition with the focus; the next one is reported afresh.
  if (event->type() == QEvent::FocusOut) composing_ = false;
  if (event->type() != QEvent::InputMethod) return false;
  const bool preedit = !static_cast<const QInputMethodEvent&>(*event).preeditString().isEmpty();
  if (preedit && !composing_) {
    composing_ = true;
    ++compositions_;
    report_(CompositionOpened{});
  } else if (!preedit && composing_) {
    composing_ = false;
    // The event carries the commit; the line edit applies it after this filter.
    const unsigned closed = compositions_;
    QMetaObject::invokeMethod(
        this,
        [this, closed] {
          if (closed == compositions_ && !composing_)
            report_(CompositionClosed{edit_.text().toStdString()});
        },
        Qt::QueuedConnection);
  }
  return false;
}

}  // namespace velto
