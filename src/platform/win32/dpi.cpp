#include "platform/win32/dpi.h"

namespace velto::win32 {

namespace {

// Functions of newer Windows, looked up at run time so that the program still starts on
// older ones.
template <typename Function>
Function UserFunction(const char* name) {
  HMODULE user = GetModuleHandleW(L"user32.dll");
  if (user == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user, name)));
}

}  // namespace

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi = UserFunction<GetDpiForWindowFunction>("GetDpiForWindow");
  if (get_dpi != nullptr && window != nullptr) {
    if (const UINT dpi = get_dpi(window); dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

int SystemMetricAt(int index, int dpi) {
  using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
  static const auto for_dpi =
      UserFunction<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (for_dpi != nullptr) return for_dpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

LOGFONTW MessageFontAt(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    LOGFONTW none{};
    return none;
  }
  // The system's metrics are at the system DPI.
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
  return metrics.lfMessageFont;
}

int AdoptWindowDpi(HWND window, int dpi, SIZE (*outer_at)(int dpi)) {
  const int opened_at = WindowDpi(window);
  if (opened_at == dpi) return dpi;
  const SIZE resized = outer_at(opened_at);
  SetWindowPos(window, nullptr, 0, 0, resized.cx, resized.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return opened_at;
}

}  // namespace velto::win32
