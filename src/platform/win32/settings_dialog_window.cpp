// The settings dialog window: creation from the layout table and the routing of its messages.
#include "platform/win32/settings_dialog_window.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "dialog/dialog_accessible.h"
#include "dialog/dialog_layout.h"
#include "dialog/dialog_text_scale.h"
#include "main/caption_fit.h"
#include "platform/win32/caption_room.h"
#include "platform/win32/dpi.h"
#include "platform/win32/settings_dialog_ids.h"
#include "platform/win32/shift_state.h"
#include "platform/win32/shortened_caption.h"
#include "platform/win32/twips.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {

namespace {

// A fixed dialog border without minimize and maximize boxes. Being a tool window keeps the
// ownerless dialog out of the taskbar; the control-parent bit lets Tab reach its controls.
// (No WS_CLIPCHILDREN: the frames leave their inside to the dialog's background.)
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
// The drop-down part of a selector, below its closed field.
constexpr int kSelectorListPixels = 200;

// Every control gets its own group, so arrow keys stay inside the control that has the focus.
DWORD ControlStyle(const DialogControl& control) {
  constexpr DWORD kFocusable = WS_TABSTOP | WS_GROUP;
  switch (control.kind) {
    case DialogControlKind::Frame:
      // Kept below every other control (see CreateControls) and clipped by them.
      return BS_GROUPBOX | WS_CLIPSIBLINGS | WS_GROUP;
    case DialogControlKind::Label:
      return SS_LEFT | SS_NOPREFIX | WS_GROUP;
    case DialogControlKind::Selector:
      // Drawn here: a chosen entry too long for the field is shortened, not cut.
      return CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | kFocusable;
    case DialogControlKind::EditBox:
      return ES_AUTOHSCROLL | kFocusable;
    case DialogControlKind::CheckBox:
      return BS_AUTOCHECKBOX | kFocusable;
    case DialogControlKind::Button:
      return BS_PUSHBUTTON | kFocusable;
  }
  return 0;
}

const wchar_t* ControlClass(DialogControlKind kind) {
  switch (kind) {
    case DialogControlKind::Label:
      return WC_STATICW;
    case DialogControlKind::Selector:
      return WC_COMBOBOXW;
    case DialogControlKind::EditBox:
      return WC_EDITW;
    default:
      return WC_BUTTONW;
  }
}

const DialogControl& FrameControl(int number) {
  return *std::find_if(kDialogControls.begin(), kDialogControls.end(), [number](const auto& c) {
    return c.kind == DialogControlKind::Frame && c.index == number;
  });
}

// Top-left corner of a control in the dialog's client area, in twips: frames hold no windows
// of their own, so positions inside them are added up.
POINT ClientOrigin(const DialogControl& control) {
  POINT at{control.left, control.top};
  if (control.parent == DialogParent::Frame2) {
    at.x += FrameControl(2).left;
    at.y += FrameControl(2).top;
  }
  if (control.parent != DialogParent::Dialog) {
    at.x += FrameControl(1).left;
    at.y += FrameControl(1).top;
  }
  return at;
}

// The DPI the table's twips and the gothic font are scaled by: the monitor's, grown with the
// desktop's text size.
int LayoutDpiFor(int dpi) {
  const LOGFONTW message = MessageFontAt(dpi);
  const double points = std::abs(static_cast<double>(message.lfHeight)) * 72.0 / dpi;
  return static_cast<int>(std::lround(dpi * DialogTextScale(points)));
}

// "ＭＳ Ｐゴシック" 9.75 point: the point size is fractional, so it is sized in hundredths.
UniqueFont CreateGothicFont(int dpi) {
  const int height = -MulDiv(static_cast<int>(kDialogFontPoints * 100), dpi, 72 * 100);
  const std::wstring face = WideFromUtf8(kDialogFontName);
  return UniqueFont(CreateFontW(height, 0, 0, 0, kDialogFontWeight, FALSE, FALSE, FALSE,
                                static_cast<BYTE>(kDialogFontCharset), OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                face.c_str()));
}

// The dialog's default font: the system's message font, at the window's DPI.
UniqueFont CreateDefaultFont(int dpi) {
  const LOGFONTW message = MessageFontAt(dpi);
  if (message.lfHeight == 0 && message.lfFaceName[0] == L'\0') return UniqueFont(nullptr);
  return UniqueFont(CreateFontIndirectW(&message));
}

// The twips from the dialog's client area to the inside of the control's parent.
POINT ParentOrigin(const DialogControl& control) {
  const POINT at = ClientOrigin(control);
  return {at.x - control.left, at.y - control.top};
}

}  // namespace

SettingsDialogWindow::SettingsDialogWindow(Win32Platform& platform, HICON icon)
    : platform_(platform), icon_(icon) {}

SettingsDialogWindow::~SettingsDialogWindow() {
  // No event reaches the core while the window goes away with this object.
  core_ = nullptr;
  if (HWND window = window_.release(); window != nullptr) DestroyWindow(window);
}

bool SettingsDialogWindow::Create() {
  if (!RegisterWindowClass(kSettingsDialogClassName, icon_)) return false;
  dpi_ = SystemDpi();
  const SIZE outer = OuterSize(dpi_);
  const std::wstring caption = WideFromUtf8(kDialogCaption);
  // No owner: the search bar and the dialog stay usable side by side.
  window_.reset(CreateBoundWindow(kDialogExStyle, kSettingsDialogClassName, caption.c_str(),
                                  kDialogStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy));
  if (!window_) return false;
  CreateControls();
  // The monitor the window opened on may have a DPI of its own.
  dpi_ = AdoptWindowDpi(Handle(), dpi_, &OuterSize);
  LayOut();
  platform_.SetOwnerWindow(WindowRole::SettingsDialog, Handle());
  return true;
}

SIZE SettingsDialogWindow::OuterSize(int dpi) {
  const int layout_dpi = LayoutDpiFor(dpi);
  RECT outer{0, 0, PixelsFromTwips(kDialogClientWidth, layout_dpi),
             PixelsFromTwips(kDialogClientHeight, layout_dpi)};
  AdjustWindowRectEx(&outer, kDialogStyle, FALSE, kDialogExStyle);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

void SettingsDialogWindow::CreateControls() {
  // Created in focus order: the order of creation is the order Tab walks. LayOut places them.
  std::array<const DialogControl*, kDialogControlCount> order{};
  std::transform(kDialogControls.begin(), kDialogControls.end(), order.begin(),
                 [](const DialogControl& c) { return &c; });
  std::sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->tab < b->tab; });

  // A screen reader names a selector or an edit box by the label created just before it: each
  // tied label comes right before its control, and a control without one gets a label of no
  // size that only the screen reader finds.
  int unseen_labels = 0;
  for (const DialogControl* control : order) {
    if (control->kind == DialogControlKind::Label) {
      const bool tied =
          std::any_of(kDialogLabelTies.begin(), kDialogLabelTies.end(),
                      [control](const auto& tie) { return tie.label == control->name; });
      if (!tied) CreateControl(*control);
      continue;
    }
    if (const std::string_view label = LabelOf(control->name); !label.empty()) {
      const auto tied = std::find_if(kDialogControls.begin(), kDialogControls.end(),
                                     [label](const DialogControl& c) { return c.name == label; });
      if (tied != kDialogControls.end()) CreateControl(*tied);
    } else if (const std::string_view name = UnlabelledNameOf(control->name); !name.empty()) {
      const std::wstring text = WideFromUtf8(name);
      CreateWindowExW(
          0, WC_STATICW, text.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX | WS_GROUP, 0, 0, 0, 0,
          Handle(),
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kUnseenLabelIdBase + unseen_labels++)),
          GetModuleHandleW(nullptr), nullptr);
    }
    CreateControl(*control);
  }
  focus_.Remember(Selector(kFirstButtonSelector));
}

void SettingsDialogWindow::CreateControl(const DialogControl& control) {
  DWORD style = WS_CHILD | ControlStyle(control);
  if (!HasFlag(control.flags, kStartsHidden)) style |= WS_VISIBLE;
  const DWORD ex_style = control.kind == DialogControlKind::EditBox ? WS_EX_CLIENTEDGE : 0;
  const std::wstring caption = WideFromUtf8(control.caption);
  HWND child =
      CreateWindowExW(ex_style, ControlClass(control.kind), caption.c_str(), style, 0, 0, 0, 0,
                      Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control))),
                      GetModuleHandleW(nullptr), nullptr);
  if (child == nullptr) return;
  // The frames go to the bottom, Frame2 above Frame1, so that each frame is painted below
  // what it holds. Tab skips them, so the focus order stays the order of creation.
  if (control.kind == DialogControlKind::Frame) {
    // A window goes directly below the one it is inserted after.
    HWND above =
        control.index == 1 ? HWND_BOTTOM : GetWindow(Control(kFrameIdBase + 1), GW_HWNDPREV);
    SetWindowPos(child, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (control.kind == DialogControlKind::EditBox)
    SetWindowSubclass(child, &SettingsDialogWindow::EditThunk, static_cast<UINT_PTR>(control.index),
                      reinterpret_cast<DWORD_PTR>(this));
  // The system names a selector by its choice where it finds no label for it.
  if (control.kind == DialogControlKind::Selector) {
    std::string_view name = UnlabelledNameOf(control.name);
    if (const std::string_view label = LabelOf(control.name); !label.empty()) {
      for (const DialogControl& c : kDialogControls)
        if (c.name == label) name = c.caption;
    }
    accessible_.Present(child, ROLE_SYSTEM_COMBOBOX, WideFromUtf8(name));
  }
  if (const std::string_view description = DescriptionOf(control.name); !description.empty())
    accessible_.Present(child, ROLE_SYSTEM_TEXT, {}, WideFromUtf8(description));
}

void SettingsDialogWindow::LayOut() {
  layout_dpi_ = LayoutDpiFor(dpi_);
  // New fonts go onto the controls before the old ones are freed. The message font has the
  // desktop's text size already; the gothic grows with it as the layout does.
  UniqueFont gothic = CreateGothicFont(layout_dpi_);
  UniqueFont fallback = CreateDefaultFont(dpi_);
  for (const DialogControl& control : kDialogControls) {
    HWND child = Control(ControlId(control));
    if (child == nullptr) continue;
    const POINT at = ClientOrigin(control);
    int height = PixelsFromTwips(control.height, layout_dpi_);
    if (control.kind == DialogControlKind::Selector)
      height += MulDiv(kSelectorListPixels, layout_dpi_, USER_DEFAULT_SCREEN_DPI);
    SetWindowPos(child, nullptr, PixelsFromTwips(at.x, layout_dpi_),
                 PixelsFromTwips(at.y, layout_dpi_), PixelsFromTwips(control.width, layout_dpi_),
                 height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    HFONT font = control.font == DialogFont::Gothic ? gothic.get() : fallback.get();
    if (font != nullptr) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (control.kind == DialogControlKind::Selector) FitSelectorHeights(child);
  }
  gothic_font_ = std::move(gothic);
  default_font_ = std::move(fallback);
  FitCaptions();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void SettingsDialogWindow::FitCaptions() {
  const UniqueScreenDc measuring = MeasuringDc();
  for (std::size_t i = 0; i < kDialogControls.size(); ++i) {
    const DialogControl& control = kDialogControls[i];
    if (!HasFlag(control.flags, kFitsCaption)) continue;
    const POINT origin = ParentOrigin(control);
    const bool shortens =
        control.kind == DialogControlKind::Button || control.kind == DialogControlKind::Selector;
    GrowToFit(Control(ControlId(control)),
              PixelsFromTwips(origin.x + DialogGrowLimit(i), layout_dpi_), dpi_, shortens,
              measuring.get());
  }
}

void SettingsDialogWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut();
}

bool SettingsDialogWindow::HandleDialogNavigation(MSG& message) noexcept {
  return window_ && IsDialogMessageW(Handle(), &message);
}

LRESULT SettingsDialogWindow::OnMessage(HWND window, UINT message, WPARAM wparam,
                                        LPARAM lparam) noexcept {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
      focus_.OnMessage(window, message, wparam);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_NOTIFY:
      if (const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(lparam);
          draw->hdr.code == NM_CUSTOMDRAW)
        return DrawShortenedCaption(*draw, dpi_);
      break;
    case WM_MEASUREITEM:
      // The selectors keep the heights their font gives them.
      return TRUE;
    case WM_DRAWITEM:
      if (DrawSelectorEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), dpi_)) return TRUE;
      break;
    case WM_GETOBJECT:
      if (const LRESULT answer =
              accessible_.AnswerForOwnWindow(window, MsaaRole(kSettingsDialogRole), wparam, lparam))
        return answer;
      break;
    case WM_CLOSE:
      // The close box: the core decides, and closes the window through Close.
      if (core_ != nullptr) core_->OnCommand(DialogCommand::CloseBox);
      return 0;
    case WM_NCDESTROY:
      (void)window_.release();  // the system has destroyed it
      platform_.SetOwnerWindow(WindowRole::SettingsDialog, nullptr);
      focus_.Forget();
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void SettingsDialogWindow::OnCommand(int id, int code) noexcept {
  if (core_ == nullptr) return;
  if (id >= kSelectorIdBase && id < kSelectorIdBase + kSelectorCount) {
    // Sent for the user's picks only; selecting from the program sends nothing.
    if (code == CBN_SELCHANGE) core_->Combo1_Click(id - kSelectorIdBase);
    return;
  }
  if (code != BN_CLICKED) return;
  // The navigation sends IDCANCEL for Esc, which cancels as a dialog's does; IDOK from Enter
  // matches no button: the dialog has no default button. A command may end the dialog:
  // nothing of the window is touched afterwards.
  if (id == IDCANCEL) {
    if (const auto command = CommandOfKey(VK_ESCAPE, 0)) core_->OnCommand(*command);
    return;
  }
  for (const DialogControl& control : kDialogControls) {
    if (ControlId(control) != id) continue;
    if (const auto command = CommandOfButton(control)) core_->OnCommand(*command);
    return;
  }
}

LRESULT CALLBACK SettingsDialogWindow::EditThunk(HWND edit, UINT message, WPARAM wparam,
                                                 LPARAM lparam, UINT_PTR box,
                                                 DWORD_PTR self) noexcept {
  auto* dialog = reinterpret_cast<SettingsDialogWindow*>(self);
  switch (message) {
    case WM_GETDLGCODE:
      // Enter belongs to the box, not to the navigation's default button.
      if (wparam == VK_RETURN)
        return DefSubclassProc(edit, message, wparam, lparam) | DLGC_WANTALLKEYS;
      break;
    case WM_KEYDOWN:
      if (dialog->OnEditKeyDown(static_cast<int>(box), wparam)) return 0;
      break;
    case WM_CHAR:
      if (wparam == L'\r' && dialog->swallow_return_char_) {
        dialog->swallow_return_char_ = false;
        return 0;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, &SettingsDialogWindow::EditThunk, box);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wparam, lparam);
}

bool SettingsDialogWindow::OnEditKeyDown(int box, WPARAM key) noexcept {
  if (core_ == nullptr) return false;
  const bool used = core_->Text1_KeyDown(box, static_cast<int>(key & 0xFFFF), ShiftState());
  if (used && key == VK_RETURN) swallow_return_char_ = true;
  return used;
}

}  // namespace velto::win32
