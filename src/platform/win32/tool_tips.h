#pragma once
// A tooltip control that shows one text per control window.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"

namespace velto::win32 {

class ToolTips {
 public:
  // The tools are controls of `parent`. Tools, texts and the DPI are kept here until Open
  // makes the tooltip window: nobody points at a control before its window is on the screen.
  void SetParent(HWND parent);
  void Add(HWND tool);
  void SetText(HWND tool, const std::wstring& text);
  // Tips drawn for a window at `dpi`: their font and their widest line.
  void SetDpi(int dpi);
  // The tooltip window itself has no owner: a window with owned popups does not become
  // topmost under Wine, so this object destroys it instead.
  void Open();

 private:
  struct Tool {
    HWND control;
    std::wstring text;
  };
  TOOLINFOW Info(HWND tool, const wchar_t* text) const;
  void ApplyDpi();

  HWND parent_ = nullptr;
  std::vector<Tool> tools_;
  int dpi_ = 0;
  UniqueWindow control_;
  UniqueFont font_;
};

}  // namespace velto::win32
