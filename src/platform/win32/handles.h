#pragma once
// Owner objects for the Win32 handles the front end creates. Each closes its handle with the
// one function that fits it; child windows are owned by their parent window instead.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace velto::win32 {

struct WindowCloser {
  void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
struct GdiObjectCloser {
  void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct MenuCloser {
  void operator()(HMENU menu) const noexcept { DestroyMenu(menu); }
};
struct ScreenDcReleaser {
  void operator()(HDC dc) const noexcept { ReleaseDC(nullptr, dc); }
};
struct KernelHandleCloser {
  void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};

using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectCloser>;
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuCloser>;
// The screen's device context (GetDC(nullptr)), released, never deleted.
using UniqueScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcReleaser>;
// Kernel objects (mutexes, processes); null, not INVALID_HANDLE_VALUE, means "none".
using UniqueKernelHandle = std::unique_ptr<void, KernelHandleCloser>;

}  // namespace velto::win32
