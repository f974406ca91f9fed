#pragma once
// Commands between two starts of velto.exe for the same program folder, and the global keys. The
// running bar keeps a hidden window whose class name is derived from the folder, as the
// single-instance mutex's name is; a later start finds it and hands the command over with
// WM_COPYDATA.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "main/bar_command.h"
#include "main/hot_keys.h"
#include "platform/win32/handles.h"
#include "platform/win32/window_procedure.h"
#include "settings/file_path.h"

namespace velto::win32 {

// The class name of the command window for a program folder.
std::wstring CommandWindowClassName(const FilePath& folder);

// Hands the command to the running bar of the folder, letting it come to the foreground.
// True exactly when the bar took it (and will carry it out); false when no bar window appeared
// within a few seconds, the bar does not respond, or it refused the command.
bool SendBarCommand(const FilePath& folder, const BarCommand& command);

class CommandWindow final : private WindowProcedureTarget {
 public:
  // on_command runs on the message loop, never inside the sender's SendMessage.
  explicit CommandWindow(std::function<void(const BarCommand&)> on_command)
      : on_command_(std::move(on_command)) {}

  ~CommandWindow();

  // False when the system refused the class or the window.
  bool Create(const FilePath& folder);
  // Registers the global keys that are set; a key another program holds is skipped. That one and
  // each key the core turned down (HotKeys::skipped) get a line in the debugger's output. A press
  // becomes a command (the selection key searches the clipboard's text).
  void TakeHotKeys(const HotKeys& keys);
  HWND Handle() const { return window_.get(); }

 private:
  LRESULT OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept override;

  std::function<void(const BarCommand&)> on_command_;
  std::wstring class_name_;
  std::deque<BarCommand> pending_;
  std::vector<int> hot_key_ids_;
  UniqueWindow window_;
};

}  // namespace velto::win32
