#pragma once
// Key preview for a whole window: every key press in the window, whichever control has the
// focus, is shown to the window's key handler first; it goes on to that control unless the
// handler took it.
#include <QObject>
#include <QPointer>
#include <functional>

#include "main/bar_events.h"

class QWidget;

namespace velto {

class KeyPreview : public QObject {
 public:
  // handler(virtual key code, shift state) runs before the focused control sees the key; a
  // consumed key never reaches the control.
  using Handler = std::function<KeyOutcome(int key_code, int shift)>;
  // claims(virtual key code, shift state): whether handler will consume the key; such keys
  // are kept from the shortcut handling of the focused control (an open list acts on Enter
  // and Esc there, before the key press arrives).
  using Claims = std::function<bool(int key_code, int shift)>;
  KeyPreview(QWidget& window, Handler handler, Claims claims);

  // Adds a widget that takes keys for the window while it has the focus, for example a
  // combo box's drop-down list, which is a window of its own.
  void Watch(QWidget& widget);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool IsFirstReceiver(const QWidget& widget) const;

  QWidget& window_;
  Handler handler_;
  Claims claims_;
};

}  // namespace velto
