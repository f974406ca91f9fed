#include "platform/qt/key_preview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QWidget>

#include "platform/qt/virtual_keys.h"

namespace velto {
namespace {

bool IsEnter(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Keys the control would act on a second time after the window's handler has acted on them.
bool SwallowAfterHandler(const QObject& watched, int key) {
  if (qobject_cast<const QAbstractButton*>(&watched)) return IsEnter(key);
  const bool in_combo =
      qobject_cast<const QComboBox*>(&watched) || qobject_cast<const QComboBox*>(watched.parent());
  // Enter would commit the text to the list; F4 would drop the list down over the search.
  if (in_combo) return IsEnter(key) || key == Qt::Key_F4;
  return false;
}

}  // namespace

KeyPreview::KeyPreview(QWidget& window, Handler handler)
    : QObject(&window), window_(window), handler_(std::move(handler)) {
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
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  const auto& widget = static_cast<const QWidget&>(*watched);
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (!IsFirstReceiver(widget)) return false;
  if (int code = VirtualKeyCode(key); code != 0) handler_(code, ShiftState(key.modifiers()));
  return SwallowAfterHandler(*watched, key.key());
}

}  // namespace velto
