#pragma once
// A tooltip control that shows one text per control window.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <string>

#include "platform/win32/handles.h"

namespace velto::win32 {

class ToolTips {
 public:
  // The tools are controls of `parent`. The tooltip window itself has no owner: a window with
  // owned popups does not become topmost under Wine, so this object destroys it instead.
  void Create(HWND parent);
  void Add(HWND tool);
  void SetText(HWND tool, const std::wstring& text);
  // Tips drawn for a window at `dpi`: their font and their widest line.
  void SetDpi(int dpi);

 private:
  TOOLINFOW Info(HWND tool, const wchar_t* text) const;

  HWND parent_ = nullptr;
  UniqueWindow control_;
  UniqueFont font_;
};

}  // namespace velto::win32
