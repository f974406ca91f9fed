// What the core tells the search bar window to show: position, buttons, query box, history.
#include "platform/win32/search_bar_window.h"
#include "platform/win32/twips.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_geometry.h"

namespace velto::win32 {

namespace {

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace

float SearchBarWindow::Top() const {
  return TwipsFromPixels(OuterRect(Handle()).top, dpi_);
}
float SearchBarWindow::Left() const {
  return TwipsFromPixels(OuterRect(Handle()).left, dpi_);
}
float SearchBarWindow::Height() const {
  return OuterHeightTwips(Handle(), dpi_);
}
float SearchBarWindow::Width() const {
  return OuterWidthTwips(Handle(), dpi_);
}
void SearchBarWindow::SetTop(float twips) {
  MoveOuterTop(Handle(), twips, dpi_);
}
void SearchBarWindow::SetLeft(float twips) {
  MoveOuterLeft(Handle(), twips, dpi_);
}

std::vector<ScreenRect> SearchBarWindow::ScreenWorkAreas() const {
  std::vector<ScreenRect> areas;
  for (const RECT& work : MonitorWorkAreas())
    areas.push_back({TwipsFromPixels(work.left, dpi_), TwipsFromPixels(work.top, dpi_),
                     TwipsFromPixels(work.right - work.left, dpi_),
                     TwipsFromPixels(work.bottom - work.top, dpi_)});
  return areas;
}

float SearchBarWindow::ScreenHeightTwips() const {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor))
    return TwipsFromPixels(GetSystemMetrics(SM_CYSCREEN), dpi_);
  return TwipsFromPixels(monitor.rcMonitor.bottom - monitor.rcMonitor.top, dpi_);
}

void SearchBarWindow::SetTopmost(bool topmost) {
  // Before the first Show only the z-order changes: shown from here, the bar would be
  // activated and painted without its controls while the rest of start-up still works on
  // them. Show shows it.
  const UINT flags = SWP_NOSIZE | SWP_NOMOVE | (shown_ ? SWP_SHOWWINDOW : SWP_NOACTIVATE);
  SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
}

void SearchBarWindow::SetButtonCaption(int index, const std::string& caption) {
  HWND button = Button(index);
  if (button == nullptr) return;
  // The same caption again changes nothing: no new text, no new measurement.
  const std::wstring wide = WideFromUtf8(caption);
  if (WindowText(button) == wide) return;
  SetWindowTextW(button, wide.c_str());
  FitButton(index);
}

void SearchBarWindow::SetButtonToolTip(int index, const std::string& tip) {
  if (HWND button = Button(index)) tool_tips_.SetText(button, WideFromUtf8(tip));
}

void SearchBarWindow::SetButtonEnabled(int index, bool enabled) {
  HWND button = Button(index);
  if (button != nullptr && (IsWindowEnabled(button) != FALSE) != enabled)
    EnableWindow(button, enabled ? TRUE : FALSE);
}

bool SearchBarWindow::IsButtonEnabled(int index) const {
  HWND button = Button(index);
  return button != nullptr && IsWindowEnabled(button) != FALSE;
}

void SearchBarWindow::SetButtonBold(int index, bool bold) {
  HWND button = Button(index);
  HFONT font = fonts_[static_cast<std::size_t>(bold ? BarFont::BoldButton : BarFont::Button)].get();
  if (button == nullptr) return;
  if (reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)) == font) return;
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  FitButton(index);
}

void SearchBarWindow::SetButtonDescription(int index, const std::string& description) {
  if (HWND button = Button(index); button != nullptr)
    accessible_.SetDescription(button, WideFromUtf8(description));
}

void SearchBarWindow::MakeCaptionSingleLine(int index) {
  // The ANSI pair on GWL_STYLE, every other style bit kept.
  HWND button = Button(index);
  if (button == nullptr) return;
  const LONG style = GetWindowLongA(button, GWL_STYLE);
  if ((style & BS_MULTILINE) == 0) return;
  SetWindowLongA(button, GWL_STYLE, style & ~static_cast<LONG>(BS_MULTILINE));
  InvalidateRect(button, nullptr, TRUE);
}

std::string SearchBarWindow::QueryText() const {
  return Utf8FromWide(WindowText(query_box_));
}

void SearchBarWindow::SetQueryText(const std::string& text) {
  SetWindowTextW(query_box_, WideFromUtf8(text).c_str());
}

void SearchBarWindow::FocusQuery() {
  focus_.Remember(query_box_);
  SetFocus(query_box_);
}

void SearchBarWindow::HistoryInserted(int position, const std::string& text) {
  SendMessageW(query_box_, CB_INSERTSTRING, static_cast<WPARAM>(position),
               reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
}

void SearchBarWindow::HistoryRemoved(int position) {
  SendMessageW(query_box_, CB_DELETESTRING, static_cast<WPARAM>(position), 0);
}

void SearchBarWindow::HistoryReset(const std::vector<std::string>& entries) {
  // One pass in order with the storage reserved: inserting at the top one entry at a time
  // would move the whole list for every line of a large dropped file.
  std::vector<std::wstring> wide;
  wide.reserve(entries.size());
  std::size_t bytes = 0;
  for (const std::string& entry : entries) {
    wide.push_back(WideFromUtf8(entry));
    bytes += (wide.back().size() + 1) * sizeof(wchar_t);
  }
  const std::wstring text = WideFromUtf8(QueryText());  // clearing the list clears the box too
  SendMessageW(query_box_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(query_box_, CB_RESETCONTENT, 0, 0);
  SendMessageW(query_box_, CB_INITSTORAGE, wide.size(), static_cast<LPARAM>(bytes));
  for (const std::wstring& entry : wide)
    SendMessageW(query_box_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SetWindowTextW(query_box_, text.c_str());
  SendMessageW(query_box_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(query_box_, nullptr, nullptr,
               RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void SearchBarWindow::CloseHistoryList() {
  SendMessageW(query_box_, CB_SHOWDROPDOWN, FALSE, 0);
}

void SearchBarWindow::SetMenuEntryVisible(int index, bool visible) {
  menu_.SetEntryVisible(index, visible);
}

void SearchBarWindow::ShowMenu(MenuPlace place) {
  POINT at{};
  if (place == MenuPlace::AtPointer) {
    GetCursorPos(&at);
  } else {
    RECT button{};
    GetWindowRect(Button(kMenuButton), &button);
    at = {button.left, button.bottom};
  }
  menu_.TrackAt(Handle(), at, accessible_);
}

}  // namespace velto::win32
