#include "platform/win32/notice_window.h"

#include <algorithm>

#include "platform/win32/dpi.h"

namespace velto::win32 {
namespace {

// Marks the program's notices, for the message loop to find them.
constexpr wchar_t kNoticeProperty[] = L"VeltoNotice";
constexpr int kTextId = 100;
// The system's dialog class, that of message boxes.
LPCWSTR DialogClass() {
  return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(0x8002));
}

// Sizes in pixels at 96 DPI.
constexpr int kMargin = 12;
constexpr int kTextWidthLimit = 420;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;

int Scaled(int pixels, int dpi) {
  return MulDiv(pixels, dpi, USER_DEFAULT_SCREEN_DPI);
}

// The text's size when wrapped at the width limit.
SIZE TextSize(HFONT font, const std::wstring& text, int dpi) {
  RECT rect{0, 0, Scaled(kTextWidthLimit, dpi), 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {rect.right, rect.bottom};
}

}  // namespace

NoticeWindow::~NoticeWindow() {
  Close();
}

void NoticeWindow::Close() noexcept {
  if (window_ != nullptr) DestroyWindow(window_);
  window_ = nullptr;
}

void NoticeWindow::Show(HWND owner, const std::wstring& text,
                        const std::wstring& caption) noexcept {
  Close();
  const int dpi = owner != nullptr ? WindowDpi(owner) : SystemDpi();
  LOGFONTW logical = MessageFontAt(dpi);
  UniqueFont font(CreateFontIndirectW(&logical));
  const SIZE text_size = TextSize(font.get(), text, dpi);
  const int margin = Scaled(kMargin, dpi);
  const int button_width = Scaled(kButtonWidth, dpi);
  const int button_height = Scaled(kButtonHeight, dpi);
  const int client_width = std::max<int>(text_size.cx, button_width) + 2 * margin;
  const int client_height = text_size.cy + button_height + 3 * margin;

  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT outer{0, 0, client_width, client_height};
  AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  RECT around{};
  if (owner == nullptr || !GetWindowRect(owner, &around))
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  const int x = (around.left + around.right - width) / 2;
  const int y = std::max<int>(around.top, (around.top + around.bottom - height) / 2);

  // The dialog class: dialog navigation, the default button and Esc come with it.
  HWND window = CreateWindowExW(kExStyle, DialogClass(), caption.c_str(), kStyle, x, y, width,
                                height, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return;
  SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&NoticeWindow::Procedure));
  SetPropW(window, kNoticeProperty, window);
  HWND label =
      CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                      margin, margin, text_size.cx, text_size.cy, window,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), nullptr, nullptr);
  HWND ok = CreateWindowExW(
      0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON,
      (client_width - button_width) / 2, client_height - margin - button_height, button_width,
      button_height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), nullptr, nullptr);
  for (HWND child : {label, ok})
    if (child != nullptr)
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  // The focus the notice gives its button when the user turns to it; showing it takes nothing.
  SendMessageW(window, DM_SETDEFID, IDOK, 0);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  window_ = window;
  font_ = std::move(font);
}

INT_PTR CALLBACK NoticeWindow::Procedure(HWND window, UINT message, WPARAM wparam,
                                         LPARAM) noexcept {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) DestroyWindow(window);
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(window);
      return TRUE;
    case WM_DESTROY: {
      RemovePropW(window, kNoticeProperty);
      // The object forgets the window the user ended.
      auto* notice = reinterpret_cast<NoticeWindow*>(GetWindowLongPtrW(window, DWLP_USER));
      if (notice != nullptr && notice->window_ == window) notice->window_ = nullptr;
      return FALSE;
    }
    default:
      return FALSE;
  }
}

bool HandleNoticeNavigation(MSG& message) noexcept {
  if (message.hwnd == nullptr) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (root == nullptr || GetPropW(root, kNoticeProperty) == nullptr) return false;
  return IsDialogMessageW(root, &message) != FALSE;
}

}  // namespace velto::win32
