#include "platform/win32/window_procedure.h"

namespace velto::win32 {

bool WindowProcedureTarget::RegisterWindowClass(const wchar_t* class_name, HICON icon) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &WindowProcedureTarget::Thunk;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = class_name;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND WindowProcedureTarget::CreateBoundWindow(DWORD ex_style, const wchar_t* class_name,
                                              const wchar_t* caption, DWORD style, int x, int y,
                                              int width, int height) noexcept {
  return CreateWindowExW(ex_style, class_name, caption, style, x, y, width, height, nullptr,
                         nullptr, GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK WindowProcedureTarget::Thunk(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam) noexcept {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* target = reinterpret_cast<WindowProcedureTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (target == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return target->OnMessage(window, message, wparam, lparam);
}

}  // namespace velto::win32
