#pragma once
// A message window that does not wait for its answer: the text and an OK button, shown by its
// owner without taking the keyboard from it. It is a dialog-class window (like a message box)
// of the owner's thread, so OK, Enter and Esc end it once the user turns to it.
#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace velto::win32 {

class NoticeWindow {
 public:
  NoticeWindow() = default;
  NoticeWindow(const NoticeWindow&) = delete;
  NoticeWindow& operator=(const NoticeWindow&) = delete;
  ~NoticeWindow();

  // Shows the text, replacing a notice still shown; centred on the owner (may be null).
  void Show(HWND owner, const std::wstring& text, const std::wstring& caption) noexcept;

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wparam,
                                    LPARAM lparam) noexcept;
  void Close() noexcept;

  HWND window_ = nullptr;  // the notice shown; cleared when OK, Esc or Close ends it
  UniqueFont font_;
};

// Enter, Esc and Tab for a notice that has the keyboard; the message loop asks before its own
// translation. False for every other window's message.
bool HandleNoticeNavigation(MSG& message) noexcept;

}  // namespace velto::win32
