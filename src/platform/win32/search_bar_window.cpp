// The search bar window: creation, layout and the routing of its messages to the core.
#include "platform/win32/search_bar_window.h"

#include "platform/win32/dpi.h"
#include "platform/win32/fonts.h"
#include "platform/win32/twips.h"

namespace velto::win32 {

namespace {

// Client area and control rectangles in twips; the array order is the tab order.
constexpr int kClientWidthTwips = 3795;
constexpr int kClientHeightTwips = 945;
constexpr DWORD kBarStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct Placement {
  int index;  // Command1 index; -1 for the query box
  int left, top, width, height;
  const wchar_t* caption;
};
constexpr std::array<Placement, 7> kLayout{{
    {-1, 60, 60, 2895, 360, L""},
    {kClearButton, 3015, 60, 735, 375, L"クリア"},
    {0, 60, 510, 735, 375, L""},
    {1, 780, 510, 735, 375, L""},
    {2, 1500, 510, 735, 375, L""},
    {3, 2220, 510, 735, 375, L""},
    {kMenuButton, 3015, 510, 735, 375, L"その他"},
}};
// The drop-down part of the query box, below its edit field.
constexpr int kQueryListPixels = 240;

constexpr FontSpec kQueryFont{L"ＭＳ Ｐゴシック", 12, FW_NORMAL, SHIFTJIS_CHARSET};
constexpr FontSpec kButtonFont{L"ＭＳ Ｐゴシック", 9, FW_NORMAL, SHIFTJIS_CHARSET};
constexpr FontSpec kBoldButtonFont{L"ＭＳ Ｐゴシック", 9, FW_BOLD, SHIFTJIS_CHARSET};

int ShiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

}  // namespace

SearchBarWindow::~SearchBarWindow() {
  // No event reaches the core while the window goes away with this object.
  core_ = nullptr;
  if (HWND window = window_.release(); window != nullptr) DestroyWindow(window);
}

bool SearchBarWindow::Create(HICON icon) {
  if (!RegisterWindowClass(kSearchBarClassName, icon)) return false;
  dpi_ = SystemDpi();
  RECT outer{0, 0, PixelsFromTwips(kClientWidthTwips, dpi_),
             PixelsFromTwips(kClientHeightTwips, dpi_)};
  AdjustWindowRectEx(&outer, kBarStyle, FALSE, 0);
  window_.reset(CreateBoundWindow(0, kSearchBarClassName, kSearchBarCaption, kBarStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                                  outer.bottom - outer.top));
  if (!window_) return false;
  CreateControls();
  return true;
}

void SearchBarWindow::CreateControls() {
  query_font_ = CreateFontFromSpec(kQueryFont, dpi_);
  button_font_ = CreateFontFromSpec(kButtonFont, dpi_);
  bold_font_ = CreateFontFromSpec(kBoldButtonFont, dpi_);
  tool_tips_.Create(Handle());
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const Placement& place : kLayout) {
    const int x = PixelsFromTwips(place.left, dpi_);
    const int y = PixelsFromTwips(place.top, dpi_);
    const int width = PixelsFromTwips(place.width, dpi_);
    const int height = PixelsFromTwips(place.height, dpi_);
    if (place.index < 0) {
      query_box_ = CreateWindowExW(
          0, WC_COMBOBOXW, nullptr,
          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, x, y,
          width, height + kQueryListPixels, Handle(),
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kQueryBoxId)), instance, nullptr);
      SendMessageW(query_box_, WM_SETFONT, reinterpret_cast<WPARAM>(query_font_.get()), FALSE);
      continue;
    }
    // Buttons start with multi-line captions; start-up makes the search buttons single-line.
    HWND button = CreateWindowExW(
        0, WC_BUTTONW, place.caption,
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, x, y, width, height,
        Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonIdBase + place.index)),
        instance, nullptr);
    buttons_[static_cast<std::size_t>(place.index)] = button;
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(button_font_.get()), FALSE);
    SetWindowSubclass(button, &SearchBarWindow::ButtonThunk, static_cast<UINT_PTR>(place.index),
                      reinterpret_cast<DWORD_PTR>(this));
    tool_tips_.Add(button);
  }
  focus_.Remember(query_box_);
}

bool SearchBarWindow::AcceptDrops() {
  if (!window_) return false;
  bool ok = true;
  auto add = [&](HWND target, DropTarget::Handler handler) {
    auto drop = std::make_unique<DropTarget>(std::move(handler));
    ok &= drop->Register(target);
    drop_targets_.push_back(std::move(drop));
  };
  add(Handle(), [this](const DropData& data) {
    if (core_ != nullptr) core_->Form_OLEDragDrop(data);
  });
  add(query_box_, [this](const DropData& data) {
    if (core_ != nullptr) core_->Text1_OLEDragDrop(data);
  });
  for (int i = 0; i < kButtonCount; ++i) {
    add(Button(i), [this, i](const DropData& data) {
      if (core_ != nullptr) core_->Command1_OLEDragDrop(i, data);
    });
  }
  return ok;
}

void SearchBarWindow::Show(int show_command) {
  ShowWindow(Handle(), show_command);
  UpdateWindow(Handle());
}

HWND SearchBarWindow::Button(int index) const {
  if (index < 0 || index >= kButtonCount) return nullptr;
  return buttons_[static_cast<std::size_t>(index)];
}

void SearchBarWindow::PreviewKey(const MSG& message) noexcept {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return;
  if (core_ == nullptr || !window_) return;
  if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd)) return;
  core_->Form_KeyDown(static_cast<int>(message.wParam & 0xFFFF), ShiftState());
}

bool SearchBarWindow::HandleDialogNavigation(MSG& message) noexcept {
  return window_ && IsDialogMessageW(Handle(), &message);
}

void SearchBarWindow::CloseProgram() noexcept {
  if (!unloaded_) {
    unloaded_ = true;
    if (core_ != nullptr) core_->Form_Unload();
  }
  if (window_) DestroyWindow(Handle());
}

LRESULT SearchBarWindow::OnMessage(HWND window, UINT message, WPARAM wparam,
                                   LPARAM lparam) noexcept {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
      focus_.OnMessage(window, message, wparam);
      return 0;
    case WM_CLOSE:
      CloseProgram();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends: keep the history and the position, as a close would.
      if (wparam != FALSE) CloseProgram();
      return 0;
    case WM_DESTROY:
      for (auto& drop : drop_targets_) drop->Revoke();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      (void)window_.release();  // the system has destroyed it
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void SearchBarWindow::OnCommand(int id, int code) noexcept {
  if (core_ == nullptr) return;
  if (id >= kButtonIdBase && id < kButtonIdBase + kButtonCount) {
    if (code == BN_CLICKED) core_->Command1_Click(id - kButtonIdBase);
    return;
  }
  if (const int entry = FixedSearchMenu::EntryOfCommand(static_cast<UINT>(id)); entry >= 0)
    core_->MenuSearch_Click(entry);
}

LRESULT CALLBACK SearchBarWindow::ButtonThunk(HWND button, UINT message, WPARAM wparam,
                                              LPARAM lparam, UINT_PTR index,
                                              DWORD_PTR self) noexcept {
  auto* bar = reinterpret_cast<SearchBarWindow*>(self);
  const int i = static_cast<int>(index);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      bar->OnButtonMouseDown(i, kLeftMouseButton);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      bar->OnButtonMouseDown(i, kRightMouseButton);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      bar->OnButtonMouseDown(i, kMiddleMouseButton);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(button, &SearchBarWindow::ButtonThunk, index);
      break;
    default:
      break;
  }
  return DefSubclassProc(button, message, wparam, lparam);
}

void SearchBarWindow::OnButtonMouseDown(int index, int mouse_button) noexcept {
  if (core_ != nullptr) core_->Command1_MouseDown(index, mouse_button);
}

}  // namespace velto::win32
