#include "platform/qt/key_preview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/qt/virtual_keys.h"

namespace velto {
KeyPreview::KeyPreview(QWidget& window, Handler handler, Claims claims)
    : QObject(&window), window_(window), handler_(std::move(handler)), claims_(std::move(claims)) {
  Watch(window);
  for (QWidget* child : window.findChildren<QWidget*>()) Watch(*child);
}

void KeyPreview::Watch(QWidget& widget) {
  widget.installEventFilter(this);
}

bool KeyPreview::IsFirstReceiver(const QWidget& widget) const {
  // A key the focused control leaves alone travels on to its parents; the handler must see
  // it once, at the control that got it first.
  const QWidget* focus = QApplication::focusWidget();
  if (focus == &widget) return true;
  if (&widget == &window_) return focus == nullptr || !window_.isAncestorOf(focus);
  // An open drop-down list is a window of its own; its focus widget, or the list window
  // itself, gets the keys while it is open.
  const QWidget* popup = QApplication::activePopupWidget();
  if (!popup) return false;
  const QWidget* receiver = popup->focusWidget() ? popup->focusWidget() : popup;
  return receiver == &widget;
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || !watched->isWidgetType())
    return false;
  const auto& widget = static_cast<const QWidget&>(*watched);
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (!IsFirstReceiver(widget)) return false;
  const int code = VirtualKeyCode(key);
  if (code == 0) return false;
  const int shift = ShiftState(key.modifiers());
  // The key press that follows the override is the one the handler acts on.
  if (type == QEvent::ShortcutOverride) return claims_ && claims_(code, shift);
  return handler_(code, shift) == KeyOutcome::Consumed;
}

}  // namespace velto
