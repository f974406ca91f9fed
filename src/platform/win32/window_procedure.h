#pragma once
// The static window procedure that finds its C++ object: `this` travels in CreateWindowExW's
// last argument, is kept in GWLP_USERDATA, and every later message goes to the object's
// noexcept member. Messages before WM_NCCREATE and after WM_NCDESTROY get the default handling.
#include <windows.h>

namespace velto::win32 {

class WindowProcedureTarget {
 public:
  WindowProcedureTarget() = default;
  WindowProcedureTarget(const WindowProcedureTarget&) = delete;
  WindowProcedureTarget& operator=(const WindowProcedureTarget&) = delete;

 protected:
  ~WindowProcedureTarget() = default;

  // Registers a window class whose procedure is the thunk; registering twice is harmless.
  static bool RegisterWindowClass(const wchar_t* class_name, HICON icon);
  // Creates a window of such a class bound to this object.
  HWND CreateBoundWindow(DWORD ex_style, const wchar_t* class_name, const wchar_t* caption,
                         DWORD style, int x, int y, int width, int height) noexcept;

  virtual LRESULT OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept = 0;

 private:
  static LRESULT CALLBACK Thunk(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
};

}  // namespace velto::win32
