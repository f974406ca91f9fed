#pragma once
// The focused control of a top-level window, kept while the window is inactive and given back
// when it is activated again, as dialog boxes do.
#include <windows.h>

namespace velto::win32 {

class FocusMemory {
 public:
  // The control to focus at the next activation.
  void Remember(HWND control) { last_ = control; }
  void Forget() { last_ = nullptr; }
  // Handles WM_ACTIVATE and WM_SETFOCUS of the window; false for every other message.
  bool OnMessage(HWND window, UINT message, WPARAM wparam) noexcept;

 private:
  HWND last_ = nullptr;  // a child of the window, destroyed with it
};

}  // namespace velto::win32
