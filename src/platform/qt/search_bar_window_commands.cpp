// The search bar window's part in commands from a later start or a global key.
#include <QComboBox>
#include <QLineEdit>

#include "platform/qt/search_bar_window.h"
#include "platform/qt/x11_activation.h"

namespace velto {

void SearchBarWindow::SelectQueryText() {
  QueryBoxWidget().lineEdit()->selectAll();
}

void SearchBarWindow::BringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
  ActivateOnX11(*this);
}

}  // namespace velto
