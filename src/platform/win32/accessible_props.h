#pragma once
// What screen readers read of a control beyond what the system makes of it: its role, its name
// where no label names it, its description. A control so presented answers the screen reader's
// WM_GETOBJECT with the system's own object for it, wrapped to give these. oleacc is loaded only
// when a screen reader first asks, so a bar nobody reads aloud never loads it.
#include <windows.h>
// after windows.h
#include <oleacc.h>

#include <memory>
#include <string>
#include <vector>

#include "main/accessible_names.h"

namespace velto::win32 {

class SystemLibrary;

// The MSAA role of a window the core gives a role: a dialog as one, the bar as the system
// presents any top-level window.
constexpr long MsaaRole(AccessibleWindowRole role) {
  return role == AccessibleWindowRole::Dialog ? ROLE_SYSTEM_DIALOG : 0;
}

class AccessibleProps {
 public:
  AccessibleProps();
  ~AccessibleProps();
  AccessibleProps(const AccessibleProps&) = delete;
  AccessibleProps& operator=(const AccessibleProps&) = delete;

  // `control` is read with `role` (an MSAA ROLE_SYSTEM_ value), `name` (empty: the system's) and
  // `description`. A control presented again keeps its entry and takes the new texts.
  void Present(HWND control, long role, std::wstring name, std::wstring description = {});
  // Only the description changes; the control must have been presented.
  void SetDescription(HWND control, std::wstring description);
  // The answer to WM_GETOBJECT for a window of the program's own class, whose procedure stays
  // its own: the system's object for it presented with `role`. 0 leaves the question to the
  // system.
  LRESULT AnswerForOwnWindow(HWND window, long role, WPARAM wparam, LPARAM lparam);
  // Names a popup menu while it is open, through the system's annotation service.
  void NameMenu(HMENU menu, const std::wstring& name);

  struct Entry;
  // oleacc, loaded at the first call.
  SystemLibrary& Library();
  // oleaut32 for the answers' strings, loaded at the first call.
  SystemLibrary& StringLibrary();

 private:
  Entry* Find(HWND control);

  std::unique_ptr<SystemLibrary> oleacc_;  // loaded at the first question
  std::unique_ptr<SystemLibrary> oleaut_;
  std::vector<std::unique_ptr<Entry>> entries_;
};

}  // namespace velto::win32
