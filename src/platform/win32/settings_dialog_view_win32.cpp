// What the core tells the settings dialog window to show: the window itself, its place, the
// selectors, the check box and the edit boxes.
#include "dialog/dialog_layout.h"
#include "platform/win32/settings_dialog_ids.h"
#include "platform/win32/settings_dialog_window.h"
#include "platform/win32/twips.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_geometry.h"

namespace velto::win32 {

HWND SettingsDialogWindow::Control(int id) const {
  return window_ ? GetDlgItem(Handle(), id) : nullptr;
}

HWND SettingsDialogWindow::Selector(int selector) const {
  if (selector < 0 || selector >= kSelectorCount) return nullptr;
  return Control(kSelectorIdBase + selector);
}

HWND SettingsDialogWindow::EditBox(int box) const {
  if (box < 0 || box >= kEditBoxCount) return nullptr;
  return Control(kEditBoxIdBase + box);
}

void SettingsDialogWindow::Open() {
  if (!window_) Create();
}

void SettingsDialogWindow::Show() {
  if (!window_) return;
  // The selectors hold their entries by now.
  FitCaptions();
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
}

void SettingsDialogWindow::Close() {
  // Hidden, not destroyed: the next load refills every control and places the window again.
  if (window_) ShowWindow(Handle(), SW_HIDE);
}

void SettingsDialogWindow::BringToFront() {
  if (!window_) return;
  ShowWindow(Handle(), SW_SHOW);
  BringWindowToTop(Handle());
  SetForegroundWindow(Handle());
}

float SettingsDialogWindow::OuterHeight() const {
  return OuterHeightTwips(Handle(), dpi_);
}

float SettingsDialogWindow::OuterWidth() const {
  return OuterWidthTwips(Handle(), dpi_);
}

void SettingsDialogWindow::SetTop(float twips) {
  MoveOuterTop(Handle(), twips, dpi_);
}

void SettingsDialogWindow::SetLeft(float twips) {
  MoveOuterLeft(Handle(), twips, dpi_);
}

void SettingsDialogWindow::ClearSelector(int selector) {
  if (HWND list = Selector(selector)) SendMessageW(list, CB_RESETCONTENT, 0, 0);
}

void SettingsDialogWindow::AppendSelectorEntry(int selector, const std::string& text) {
  // The lists are not sorted, so adding appends.
  if (HWND list = Selector(selector))
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
}

void SettingsDialogWindow::SetSelectorEntry(int selector, int position, const std::string& text) {
  HWND list = Selector(selector);
  if (list == nullptr || position < 0 || position >= SendMessageW(list, CB_GETCOUNT, 0, 0)) return;
  const LRESULT selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
  SendMessageW(list, CB_DELETESTRING, static_cast<WPARAM>(position), 0);
  SendMessageW(list, CB_INSERTSTRING, static_cast<WPARAM>(position),
               reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
  // Removing the selected entry drops the selection; the list keeps it (and shows the new text).
  if (selected != CB_ERR) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void SettingsDialogWindow::SelectEntry(int selector, std::optional<int> position) {
  // CB_SETCURSEL sends no CBN_SELCHANGE: program selections do not come back as picks.
  if (HWND list = Selector(selector))
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(position.value_or(-1)), 0);
}

std::optional<int> SettingsDialogWindow::SelectedEntry(int selector) const {
  HWND list = Selector(selector);
  if (list == nullptr) return std::nullopt;
  const LRESULT selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) return std::nullopt;
  return static_cast<int>(selected);
}

void SettingsDialogWindow::SetAlwaysTopChecked(bool checked) {
  if (HWND box = Control(kCheckBoxId))
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool SettingsDialogWindow::IsAlwaysTopChecked() const {
  HWND box = Control(kCheckBoxId);
  return box != nullptr && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SettingsDialogWindow::SetSuggestChecked(bool checked) {
  if (HWND box = Control(kCheckBoxId + 1))
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool SettingsDialogWindow::IsSuggestChecked() const {
  HWND box = Control(kCheckBoxId + 1);
  return box != nullptr && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SettingsDialogWindow::SetEditText(int box, const std::string& text) {
  if (HWND edit = EditBox(box)) SetWindowTextW(edit, WideFromUtf8(text).c_str());
}

std::string SettingsDialogWindow::EditText(int box) const {
  HWND edit = EditBox(box);
  if (edit == nullptr) return {};
  const int length = GetWindowTextLengthW(edit);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(edit, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return Utf8FromWide(text);
}

void SettingsDialogWindow::FocusSelector(int selector) {
  HWND list = Selector(selector);
  if (list == nullptr) return;
  // Before the window is shown, activation hands the focus over (WM_ACTIVATE).
  focus_.Remember(list);
  if (IsWindowVisible(Handle())) SetFocus(list);
}

void SettingsDialogWindow::SetRestoreButtonVisible(bool visible) {
  if (HWND button = Control(kCommandIdBase + kRestoreButton))
    ShowWindow(button, visible ? SW_SHOW : SW_HIDE);
}

}  // namespace velto::win32
