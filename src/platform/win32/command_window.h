#pragma once
// Commands between two starts of velto.exe for the same program folder, and the global keys. The
// running bar keeps a hidden window whose class name is made from the folder's instance name,
// as the single-instance mutex's name is; a later start finds it and hands the command over
// with WM_COPYDATA.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "main/bar_command.h"
#include "main/hot_keys.h"
#include "platform/win32/handles.h"
#include "platform/win32/window_procedure.h"
#include "ports/start_up_host.h"
#include "settings/file_path.h"

namespace velto::win32 {

// The class name of the command window for an instance name.
std::wstring CommandWindowClassName(const std::string& instance_name);

// One try to hand the message to the running bar's command window, letting the bar come to
// the foreground. NobodyListening while no such window exists; Refused when the bar does not
// respond or did not take the command. The bar answers from its window procedure at once, so
// its answer is awaited as long as it takes: a timeout would leave the message in its queue,
// to be carried out after this start had reported a failure.
HandOverTry TrySendBarCommand(const std::wstring& class_name, const std::string& message);

class CommandWindow final : private WindowProcedureTarget {
 public:
  using Sink = std::function<void(const BarCommand&)>;

  CommandWindow() = default;
  ~CommandWindow();

  // Makes the window and hands each command a later start sends to the sink, inside the
  // sender's SendMessage: the sender is answered when the sink returns. False when the system
  // refused the class or the window.
  bool Create(const std::wstring& class_name, Sink on_command);
  // Registers the global keys that are set; a key another program holds is skipped. That one and
  // each key the core turned down (HotKeys::skipped) get a line in the debugger's output. A press
  // becomes a command (the selection key searches the clipboard's text).
  void TakeHotKeys(const HotKeys& keys, Sink on_press);
  // Runs the step from the message loop, after the message being handled now.
  void Post(std::function<void()> step);
  HWND Handle() const { return window_.get(); }

 private:
  LRESULT OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept override;

  Sink on_command_;
  Sink on_hot_key_;
  std::wstring class_name_;
  std::deque<std::function<void()>> posted_;
  std::vector<int> hot_key_ids_;
  UniqueWindow window_;
};

}  // namespace velto::win32
