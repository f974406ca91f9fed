// The search bar window's part in commands from a later start or a global key.
#include "platform/win32/search_bar_window.h"

namespace velto::win32 {

void SearchBarWindow::SelectQueryText() {
  SendMessageW(query_box_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void SearchBarWindow::BringToFront() {
  HWND window = Handle();
  ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
  BringWindowToTop(window);
  SetForegroundWindow(window);
}

}  // namespace velto::win32
