// The search bar window: creation, layout and the routing of its messages to the core.
#include "platform/win32/search_bar_window.h"

#include <oleacc.h>

#include "main/accessible_names.h"
#include "main/caption_fit.h"
#include "platform/win32/caption_room.h"
#include "platform/win32/dpi.h"
#include "platform/win32/fonts.h"
#include "platform/win32/shift_state.h"
#include "platform/win32/shortened_caption.h"
#include "platform/win32/twips.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/winhttp_fetcher.h"

namespace velto::win32 {

namespace {

constexpr DWORD kBarStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Posted to the bar when a composition ends; wparam is the composition's number.
constexpr UINT kCompositionClosedMessage = WM_APP + 0x43;

int MouseButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
      return kRightMouseButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      return kMiddleMouseButton;
    default:
      return kLeftMouseButton;
  }
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
  const SIZE outer = OuterSize(dpi_);
  const std::wstring caption = WideFromUtf8(std::string(kSearchBarCaption));
  window_.reset(CreateBoundWindow(0, kSearchBarClassName, caption.c_str(), kBarStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, outer.cx, outer.cy));
  if (!window_) return false;
  // The monitor the window opened on may have a DPI of its own. The controls are made for it,
  // each in its place with its font: every later move or font is another round of messages.
  dpi_ = AdoptWindowDpi(Handle(), dpi_, &OuterSize);
  fonts_ = MakeFonts();
  CreateControls();
  suggestion_list_ = std::make_unique<SuggestionListWindow>(
      Handle(), query_box_, fonts_[static_cast<std::size_t>(BarFont::Query)].get(),
      [this](const BarEvent& event) { Report(event); });
  suggestion_timers_ = std::make_unique<SuggestionWindowTimers>(Handle());
  FitAndFinishLayOut();
  return true;
}

std::array<UniqueFont, 3> SearchBarWindow::MakeFonts() const {
  std::array<UniqueFont, 3> fonts;
  fonts[static_cast<std::size_t>(BarFont::Query)] = CreateFontFromSpec(kQueryFont, dpi_);
  fonts[static_cast<std::size_t>(BarFont::Button)] = CreateFontFromSpec(kButtonFont, dpi_);
  fonts[static_cast<std::size_t>(BarFont::BoldButton)] = CreateFontFromSpec(kBoldButtonFont, dpi_);
  return fonts;
}

RECT SearchBarWindow::ControlRect(const BarControl& control) const {
  const int left = PixelsFromTwips(control.left, dpi_);
  const int top = PixelsFromTwips(control.top, dpi_);
  int height = PixelsFromTwips(control.height, dpi_);
  // A combo box's height includes its drop-down list.
  if (control.kind == BarControlKind::QueryBox) height += PixelsFromTwips(kQueryListHeight, dpi_);
  return {left, top, left + PixelsFromTwips(control.width, dpi_), top + height};
}

SIZE SearchBarWindow::OuterSize(int dpi) {
  RECT outer{0, 0, PixelsFromTwips(kBarClientWidth, dpi), PixelsFromTwips(kBarClientHeight, dpi)};
  AdjustWindowRectEx(&outer, kBarStyle, FALSE, 0);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

void SearchBarWindow::Attach(SearchBar& core) {
  core_ = &core;
  if (!suggestion_list_) return;
  core.SetSuggestionServices(
      {suggestion_timers_.get(), suggestion_list_.get(), [this]() -> SuggestionFetcher& {
         if (!fetcher_) fetcher_ = std::make_unique<WinHttpSuggestionFetcher>(Handle());
         return *fetcher_;
       }});
}

void SearchBarWindow::CreateControls() {
  tool_tips_.SetParent(Handle());
  HINSTANCE instance = GetModuleHandleW(nullptr);
  // Created in the layout's order, which is the tab order; LayOut places them. They stay
  // hidden until the bar shows: a visible button repaints itself at once for every caption,
  // font and size the start-up gives it, which is wasted work before the first paint.
  for (const BarControl& control : kBarControls) {
    if (control.kind == BarControlKind::QueryBox) {
      // The box shows no caption. A screen reader names a control by the label created just
      // before it: this one has no size, so only the screen reader finds it.
      const std::wstring name = WideFromUtf8(std::string(kQueryBoxName));
      CreateWindowExW(0, WC_STATICW, name.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0,
                      Handle(), nullptr, instance, nullptr);
      const RECT at = ControlRect(control);
      query_box_ = CreateWindowExW(
          0, WC_COMBOBOXW, nullptr,
          WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, at.left, at.top,
          at.right - at.left, at.bottom - at.top, Handle(),
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kQueryBoxId)), instance, nullptr);
      SetControlFont(query_box_, control.font);
      COMBOBOXINFO parts{};
      parts.cbSize = sizeof(parts);
      if (query_box_ != nullptr && GetComboBoxInfo(query_box_, &parts) != FALSE) {
        query_edit_ = parts.hwndItem;
        SetWindowSubclass(query_edit_, &SearchBarWindow::EditThunk, 0,
                          reinterpret_cast<DWORD_PTR>(this));
      }
      const std::wstring description = WideFromUtf8(std::string(kQueryBoxDescription));
      accessible_.Present(query_box_, ROLE_SYSTEM_COMBOBOX, name, description);
      accessible_.Present(query_edit_, ROLE_SYSTEM_TEXT, name, description);
    } else {
      // Buttons start with multi-line captions; start-up makes the search buttons single-line.
      const std::wstring caption = WideFromUtf8(std::string(control.caption));
      const RECT at = ControlRect(control);
      HWND created = CreateWindowExW(
          0, WC_BUTTONW, caption.c_str(), WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE,
          at.left, at.top, at.right - at.left, at.bottom - at.top, Handle(),
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonIdBase + control.index)), instance,
          nullptr);
      SetControlFont(created, control.font);
      buttons_[static_cast<std::size_t>(control.index)] = created;
      accessible_.Present(created, ROLE_SYSTEM_PUSHBUTTON, {});  // named by its whole caption
      SetWindowSubclass(created, &SearchBarWindow::ButtonThunk,
                        static_cast<UINT_PTR>(control.index), reinterpret_cast<DWORD_PTR>(this));
      tool_tips_.Add(created);
    }
  }
  focus_.Remember(query_box_);
}

void SearchBarWindow::SetControlFont(HWND control, BarFont font) const {
  if (control != nullptr)
    SendMessageW(control, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fonts_[static_cast<std::size_t>(font)].get()), FALSE);
}

void SearchBarWindow::LayOut() {
  // New fonts go onto the controls before the old ones are freed; a bold button stays bold.
  std::array<UniqueFont, 3> fonts = MakeFonts();
  const HFONT old_bold = fonts_[static_cast<std::size_t>(BarFont::BoldButton)].get();
  for (std::size_t i = 0; i < kBarControls.size(); ++i) {
    const BarControl& control = kBarControls[i];
    HWND child = control.kind == BarControlKind::QueryBox ? query_box_ : Button(control.index);
    if (child == nullptr) continue;
    BarFont font = control.font;
    if (old_bold != nullptr &&
        reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == old_bold)
      font = BarFont::BoldButton;
    SendMessageW(child, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fonts[static_cast<std::size_t>(font)].get()), FALSE);
    const RECT at = ControlRect(control);
    SetWindowPos(child, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  fonts_ = std::move(fonts);
  FitAndFinishLayOut();
}

void SearchBarWindow::FitAndFinishLayOut() {
  if (suggestion_list_)
    suggestion_list_->SetFont(fonts_[static_cast<std::size_t>(BarFont::Query)].get());
  for (int i = 0; i < kButtonCount; ++i) FitButton(i);
  tool_tips_.SetDpi(dpi_);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void SearchBarWindow::FitButton(int index) {
  if (index < 0 || index >= kButtonCount) return;
  if (!fits_now_) {
    fit_waiting_[static_cast<std::size_t>(index)] = true;
    return;
  }
  FitButtonNow(index);
}

void SearchBarWindow::FitWaitingButtons() {
  if (fits_now_) return;
  fits_now_ = true;
  // The captions that waited are measured in one device context.
  const UniqueScreenDc measuring = MeasuringDc();
  for (int i = 0; i < kButtonCount; ++i) {
    if (!fit_waiting_[static_cast<std::size_t>(i)]) continue;
    fit_waiting_[static_cast<std::size_t>(i)] = false;
    FitButtonNow(i, measuring.get());
  }
}

void SearchBarWindow::FitButtonNow(int index, HDC measuring) {
  for (std::size_t i = 0; i < kBarControls.size(); ++i) {
    const BarControl& control = kBarControls[i];
    if (control.kind != BarControlKind::Button || control.index != index) continue;
    HWND button = Button(index);
    if (button == nullptr) return;
    // Back to the table's width first: a shorter caption gives the room back. A button that
    // has it already is left alone: every move is a round of messages and a repaint.
    const int width = PixelsFromTwips(control.width, dpi_);
    const int height = PixelsFromTwips(control.height, dpi_);
    RECT at{};
    GetWindowRect(button, &at);
    if (at.right - at.left != width || at.bottom - at.top != height)
      SetWindowPos(button, nullptr, 0, 0, width, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (HasFlag(control.flags, kFitsCaption))
      GrowToFit(button, PixelsFromTwips(BarGrowLimit(i), dpi_), dpi_, true, measuring);
    return;
  }
}

void SearchBarWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut();
}

void SearchBarWindow::OpenToolTips() {
  tool_tips_.Open();
}

bool SearchBarWindow::AcceptDrops() {
  if (!window_) return false;
  bool ok = true;
  auto add = [&](HWND target, DropTarget::Handler handler) {
    auto drop = std::make_unique<DropTarget>(std::move(handler));
    ok &= drop->Register(target);
    drop_targets_.push_back(std::move(drop));
  };
  auto to_core = [this](DropTargetRef target) {
    return [this, target](const DropData& data) { Report(Drop{target, data}); };
  };
  add(Handle(), to_core({DropTargetKind::Window}));
  add(query_box_, to_core({DropTargetKind::QueryBox}));
  for (int i = 0; i < kButtonCount; ++i) add(Button(i), to_core({DropTargetKind::Button, i}));
  return ok;
}

void SearchBarWindow::Show(int show_command) {
  shown_ = true;
  FitWaitingButtons();
  // The controls show with their window, each as the start-up left it.
  for (const BarControl& control : kBarControls) {
    if (HasFlag(control.flags, kStartsHidden)) continue;
    HWND child = control.kind == BarControlKind::QueryBox ? query_box_ : Button(control.index);
    if (child != nullptr) ShowWindow(child, SW_SHOWNA);
  }
  ShowWindow(Handle(), show_command);
  UpdateWindow(Handle());
}

HWND SearchBarWindow::Button(int index) const {
  if (index < 0 || index >= kButtonCount) return nullptr;
  return buttons_[static_cast<std::size_t>(index)];
}

bool SearchBarWindow::PreviewKey(const MSG& message) noexcept {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (core_ == nullptr || !window_) return false;
  if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd)) return false;
  // A key the input method took for its composition; the bar never sees what it was.
  if (message.wParam == VK_PROCESSKEY) return false;
  const KeyPress key{static_cast<int>(message.wParam & 0xFFFF), ShiftState(), ListState()};
  return Report(key) == KeyOutcome::Consumed;
}

KeyOutcome SearchBarWindow::Report(const BarEvent& event) noexcept {
  return core_ != nullptr ? core_->Handle(event) : KeyOutcome::PassOn;
}

HistoryListState SearchBarWindow::ListState() const {
  HistoryListState state;
  state.open = SendMessageW(query_box_, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
  if (!state.open) return state;
  // The list's selection follows the highlight as the user moves through it.
  const LRESULT selected = SendMessageW(query_box_, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR) state.highlighted = static_cast<int>(selected);
  return state;
}

bool SearchBarWindow::HandleDialogNavigation(MSG& message) noexcept {
  return window_ && IsDialogMessageW(Handle(), &message);
}

void SearchBarWindow::CloseProgram() noexcept {
  // The core runs the closing steps once, however often the window is closed.
  Report(WindowClosed{});
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
    case WM_NOTIFY:
      if (const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(lparam);
          draw->hdr.code == NM_CUSTOMDRAW)
        return DrawShortenedCaption(*draw, dpi_);
      break;
    case WM_CLOSE:
      CloseProgram();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_PAINT:
      // A message box during start-up can show the window before Show does.
      FitWaitingButtons();
      break;
    case WM_TIMER:
      if (suggestion_timers_ && suggestion_timers_->Fire(wparam)) return 0;
      break;
    case kCompositionClosedMessage:
      if (composing_ && wparam == compositions_) {
        composing_ = false;
        Report(CompositionClosed{QueryText()});
      }
      return 0;
    case kSuggestionAnswerMessage:
      if (fetcher_) static_cast<WinHttpSuggestionFetcher&>(*fetcher_).Deliver(lparam);
      return 0;
    case WM_MOVE:
      Report(WindowMoved{});
      break;
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
  if (id == kQueryBoxId) {
    // The user's edits only: the program's own SetWindowText sends no CBN_EDITCHANGE.
    switch (code) {
      case CBN_EDITCHANGE:
        Report(QueryEdited{QueryText()});
        break;
      case CBN_KILLFOCUS:
        // The core ends an open composition with the focus; the next one is reported afresh.
        composing_ = false;
        Report(QueryFocusLost{});
        break;
      case CBN_DROPDOWN:
        Report(HistoryListOpened{});
        break;
      case CBN_CLOSEUP:
        Report(HistoryListClosed{});
        break;
      default:
        break;
    }
    return;
  }
  if (id >= kButtonIdBase && id < kButtonIdBase + kButtonCount) {
    if (code == BN_CLICKED) Report(ButtonClicked{id - kButtonIdBase});
    return;
  }
  if (const int entry = FixedSearchMenu::EntryOfCommand(static_cast<UINT>(id)); entry >= 0)
    Report(MenuEntryChosen{entry});
}

LRESULT CALLBACK SearchBarWindow::EditThunk(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR id, DWORD_PTR self) noexcept {
  auto* bar = reinterpret_cast<SearchBarWindow*>(self);
  switch (message) {
    case WM_IME_STARTCOMPOSITION:
      if (!bar->composing_) {
        bar->composing_ = true;
        ++bar->compositions_;
        bar->Report(CompositionOpened{});
      }
      break;
    case WM_IME_ENDCOMPOSITION: {
      const LRESULT result = DefSubclassProc(edit, message, wparam, lparam);
      // The committed characters may still be on their way as posted WM_CHARs; the closing
      // is reported behind them, with the box's text as they leave it.
      if (bar->composing_)
        PostMessageW(bar->Handle(), kCompositionClosedMessage, bar->compositions_, 0);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, &SearchBarWindow::EditThunk, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wparam, lparam);
}

LRESULT CALLBACK SearchBarWindow::ButtonThunk(HWND button, UINT message, WPARAM wparam,
                                              LPARAM lparam, UINT_PTR index,
                                              DWORD_PTR self) noexcept {
  auto* bar = reinterpret_cast<SearchBarWindow*>(self);
  const int i = static_cast<int>(index);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      bar->Report(MousePress{i, MouseButtonOf(message), 1});
      break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      bar->Report(MousePress{i, MouseButtonOf(message), 2});
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      bar->Report(MouseRelease{i, MouseButtonOf(message)});
      break;
    case WM_PAINT:
      bar->FitWaitingButtons();
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(button, &SearchBarWindow::ButtonThunk, index);
      break;
    default:
      break;
  }
  return DefSubclassProc(button, message, wparam, lparam);
}

}  // namespace velto::win32
