#include "platform/win32/tool_tips.h"

#include "platform/win32/dpi.h"

namespace velto::win32 {

void ToolTips::SetParent(HWND parent) {
  parent_ = parent;
}

void ToolTips::Open() {
  if (control_ || parent_ == nullptr) return;
  control_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr));
  if (!control_) return;
  // Long engine names are shown whole, wrapped where they do not fit the screen.
  SendMessageW(control_.get(), TTM_SETMAXTIPWIDTH, 0, 600);
  ApplyDpi();
  for (const Tool& tool : tools_) {
    TOOLINFOW info = Info(tool.control, tool.text.c_str());
    SendMessageW(control_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void ToolTips::SetDpi(int dpi) {
  dpi_ = dpi;
  ApplyDpi();
}

void ToolTips::ApplyDpi() {
  if (!control_ || dpi_ == 0) return;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    metrics.lfStatusFont.lfHeight = MulDiv(metrics.lfStatusFont.lfHeight, dpi_, SystemDpi());
    UniqueFont font(CreateFontIndirectW(&metrics.lfStatusFont));
    SendMessageW(control_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);
  }
  SendMessageW(control_.get(), TTM_SETMAXTIPWIDTH, 0, MulDiv(600, dpi_, USER_DEFAULT_SCREEN_DPI));
}

TOOLINFOW ToolTips::Info(HWND tool, const wchar_t* text) const {
  TOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = parent_;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<wchar_t*>(text);
  return info;
}

void ToolTips::Add(HWND tool) {
  tools_.push_back({tool, {}});
  if (!control_) return;
  TOOLINFOW info = Info(tool, L"");
  SendMessageW(control_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTips::SetText(HWND tool, const std::wstring& text) {
  for (Tool& known : tools_)
    if (known.control == tool) known.text = text;
  if (!control_) return;
  TOOLINFOW info = Info(tool, text.c_str());
  SendMessageW(control_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace velto::win32
