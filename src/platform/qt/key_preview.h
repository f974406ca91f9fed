#pragma once
// Key preview for a whole window: every key press in the window, whichever control has the
// focus, is shown to the window's key handler first and then goes on to that control.
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace velto {

class KeyPreview : public QObject {
 public:
  // handler(virtual key code, shift state) runs before the focused control sees the key.
  using Handler = std::function<void(int key_code, int shift)>;
  KeyPreview(QWidget& window, Handler handler);

  // Adds a widget that takes keys for the window while it has the focus, for example a
  // combo box's drop-down list, which is a window of its own.
  void Watch(QWidget& widget);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool IsFirstReceiver(const QWidget& widget) const;

  QWidget& window_;
  Handler handler_;
};

}  // namespace velto
