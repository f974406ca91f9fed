#pragma once
// A tooltip control that shows one text per control window.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <string>

namespace velto::win32 {

class ToolTips {
 public:
  // The control is owned by `owner` and destroyed with it.
  void Create(HWND owner);
  void Add(HWND tool);
  void SetText(HWND tool, const std::wstring& text);

 private:
  TOOLINFOW Info(HWND tool, const wchar_t* text) const;

  HWND owner_ = nullptr;
  HWND control_ = nullptr;
};

}  // namespace velto::win32
