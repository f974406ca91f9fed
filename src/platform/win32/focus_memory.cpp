#include "platform/win32/focus_memory.h"

namespace velto::win32 {

bool FocusMemory::OnMessage(HWND window, UINT message, WPARAM wparam) noexcept {
  if (message == WM_ACTIVATE && LOWORD(wparam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window, focus)) last_ = focus;
    return true;
  }
  if (message != WM_ACTIVATE && message != WM_SETFOCUS) return false;
  if (last_ != nullptr && IsWindow(last_)) SetFocus(last_);
  return true;
}

}  // namespace velto::win32
