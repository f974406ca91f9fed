#include "platform/win32/suggestion_list_win32.h"

#include <commctrl.h>
#include <oleacc.h>
#include <windowsx.h>

#include "main/accessible_names.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {
namespace {

// The row under a point of the list's client area; none outside the rows.
std::optional<int> RowAt(HWND list, LPARAM point) {
  const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  RECT client{};
  GetClientRect(list, &client);
  if (!PtInRect(&client, at)) return std::nullopt;
  const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
  if (HIWORD(hit) != 0) return std::nullopt;
  return static_cast<int>(LOWORD(hit));
}

}  // namespace

SuggestionListWindow::SuggestionListWindow(HWND owner, HWND anchor, HFONT font,
                                           std::function<void(const BarEvent&)> report)
    : owner_(owner), anchor_(anchor), font_(font), report_(std::move(report)) {}

void SuggestionListWindow::ShowSuggestions(const std::vector<SuggestionRow>& rows) {
  if (!list_) {
    const std::wstring name = WideFromUtf8(std::string(kSuggestionListName));
    list_.reset(CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WC_LISTBOXW,
                                name.c_str(), WS_POPUP | WS_BORDER | LBS_NOINTEGRALHEIGHT, 0, 0, 0,
                                0, owner_, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!list_) return;
    SendMessageW(list_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    accessible_.Present(list_.get(), ROLE_SYSTEM_LIST, name);
    SetWindowSubclass(list_.get(), &SuggestionListWindow::ListThunk, 0,
                      reinterpret_cast<DWORD_PTR>(this));
  }
  HWND list = list_.get();
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  const std::wstring mark = WideFromUtf8(kPastSearchMark) + L"\u3000";
  for (const SuggestionRow& row : rows) {
    const std::wstring text = row.kind == SuggestionRowKind::PastSearch
                                  ? mark + WideFromUtf8(row.text)
                                  : WideFromUtf8(row.text);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  RECT box{};
  GetWindowRect(anchor_, &box);
  const int row = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  const int height = row * static_cast<int>(rows.size()) + 2 * GetSystemMetrics(SM_CYBORDER);
  SetWindowPos(list, HWND_TOPMOST, box.left, box.bottom, box.right - box.left, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void SuggestionListWindow::SetFont(HFONT font) {
  font_ = font;
  if (list_) SendMessageW(list_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void SuggestionListWindow::HighlightSuggestion(std::optional<int> row) {
  if (!list_) return;
  SendMessageW(list_.get(), LB_SETCURSEL, row ? static_cast<WPARAM>(*row) : -1, 0);
  // The keyboard focus stays in the query box; screen readers are told that the highlighted
  // item has it, and that it went back to the box's field when none is highlighted.
  if (row) {
    const auto child = static_cast<LONG>(*row + 1);  // items count from 1, 0 is the list
    NotifyWinEvent(EVENT_OBJECT_SELECTION, list_.get(), OBJID_CLIENT, child);
    NotifyWinEvent(EVENT_OBJECT_FOCUS, list_.get(), OBJID_CLIENT, child);
  } else {
    HWND field = FindWindowExW(anchor_, nullptr, L"Edit", nullptr);
    NotifyWinEvent(EVENT_OBJECT_FOCUS, field != nullptr ? field : anchor_, OBJID_CLIENT,
                   CHILDID_SELF);
  }
}

void SuggestionListWindow::CloseSuggestions() {
  if (list_) ShowWindow(list_.get(), SW_HIDE);
}

LRESULT CALLBACK SuggestionListWindow::ListThunk(HWND list, UINT message, WPARAM wparam,
                                                 LPARAM lparam, UINT_PTR id,
                                                 DWORD_PTR self) noexcept {
  auto* owner = reinterpret_cast<SuggestionListWindow*>(self);
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // the bar stays active, the query box keeps the focus
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // Handled here: the list box itself would take the focus from the query box. The
      // capture brings the release here wherever it happens.
      SetCapture(list);
      const std::optional<int> row = RowAt(list, lparam);
      if (row && owner->report_) owner->report_(SuggestionPress{*row});
      return 0;
    }
    case WM_LBUTTONUP: {
      const bool captured = GetCapture() == list;
      if (captured) ReleaseCapture();
      if (owner->report_)
        owner->report_(SuggestionRelease{captured ? RowAt(list, lparam) : std::nullopt});
      return 0;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(list, &SuggestionListWindow::ListThunk, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(list, message, wparam, lparam);
}

void SuggestionWindowTimers::Start(SuggestionTimer timer, int milliseconds,
                                   std::function<void()> fire) {
  const auto i = static_cast<std::size_t>(timer);
  fire_[i] = std::move(fire);
  SetTimer(window_, kFirstSuggestionTimer + i, static_cast<UINT>(milliseconds), nullptr);
}

void SuggestionWindowTimers::Stop(SuggestionTimer timer) {
  KillTimer(window_, kFirstSuggestionTimer + static_cast<UINT_PTR>(timer));
}

bool SuggestionWindowTimers::Fire(UINT_PTR id) {
  if (id < kFirstSuggestionTimer || id >= kFirstSuggestionTimer + fire_.size()) return false;
  // Window timers repeat; these fire once.
  KillTimer(window_, id);
  const std::function<void()> fire = fire_[id - kFirstSuggestionTimer];
  if (fire) fire();
  return true;
}

}  // namespace velto::win32
