#include "platform/win32/command_window.h"

#include "platform/win32/clipboard_text.h"
#include "platform/win32/single_instance.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {
namespace {

// Marks a WM_COPYDATA as one of ours ("VLTC"); any other is left alone.
constexpr ULONG_PTR kCommandCopyData = 0x564C5443;
// Runs the posted steps.
constexpr UINT kRunPosted = WM_APP + 0x41;
constexpr UINT kNoRepeat = 0x4000;  // MOD_NOREPEAT

int HotKeyId(HotKeyRole role) {
  return role == HotKeyRole::Focus ? 1 : 2;
}

HWND FindCommandWindow(const std::wstring& class_name) {
  return FindWindowExW(nullptr, nullptr, class_name.c_str(), nullptr);
}

}  // namespace

std::wstring CommandWindowClassName(const std::string& instance_name) {
  // The mutex lives in the session's "Local\" namespace; a class name has none.
  std::wstring name = InstanceMutexNameOf(instance_name);
  if (const auto slash = name.find(L'\\'); slash != std::wstring::npos) name.erase(0, slash + 1);
  return name + L"-Commands";
}

HandOverTry TrySendBarCommand(const std::wstring& class_name, const std::string& message) {
  using Outcome = HandOverTry::Outcome;
  // The running bar may still be starting: it holds the mutex before its window exists.
  HWND target = FindCommandWindow(class_name);
  if (target == nullptr) return {Outcome::NobodyListening, "no running search bar answers"};
  DWORD process = 0;
  GetWindowThreadProcessId(target, &process);
  // This start was the user's last input; it may pass the foreground on to the bar.
  if (process != 0) AllowSetForegroundWindow(process);
  // A bar that has stopped taking messages is not sent the command at all.
  if (IsHungAppWindow(target)) return {Outcome::Refused, "the running search bar does not answer"};
  COPYDATASTRUCT data{kCommandCopyData, static_cast<DWORD>(message.size()),
                      const_cast<char*>(message.data())};
  // 0 also when the bar ends before it answers.
  if (SendMessageW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) == TRUE)
    return {Outcome::Taken, {}};
  return {Outcome::Refused, "the running search bar did not take the command"};
}

CommandWindow::~CommandWindow() {
  for (const int id : hot_key_ids_) UnregisterHotKey(window_.get(), id);
}

void CommandWindow::TakeHotKeys(const HotKeys& keys, Sink on_press) {
  on_hot_key_ = std::move(on_press);
  // A program without a console tells the debugger why a key is not taken.
  const auto tell = [](const std::string& line) {
    OutputDebugStringW(WideFromUtf8(line + "\n").c_str());
  };
  for (const std::string& line : keys.skipped) tell(line);
  const auto take = [this, &tell](HotKeyRole role, const std::optional<HotKey>& key) {
    if (!key || !window_) return;
    UINT modifiers = 0;
    if (key->modifiers & kHotKeyAlt) modifiers |= MOD_ALT;
    if (key->modifiers & kHotKeyCtrl) modifiers |= MOD_CONTROL;
    if (key->modifiers & kHotKeyShift) modifiers |= MOD_SHIFT;
    if (key->modifiers & kHotKeyWin) modifiers |= MOD_WIN;
    const int id = HotKeyId(role);
    const auto vk = static_cast<UINT>(key->key);
    // Without auto-repeat where the system knows the flag.
    if (RegisterHotKey(window_.get(), id, modifiers | kNoRepeat, vk) ||
        RegisterHotKey(window_.get(), id, modifiers, vk))
      hot_key_ids_.push_back(id);
    else
      tell(HeldHotKeyMessage(role));
  };
  take(HotKeyRole::Focus, keys.focus);
  take(HotKeyRole::SearchSelection, keys.selection);
}

void CommandWindow::Post(std::function<void()> step) {
  if (!window_) return;
  posted_.push_back(std::move(step));
  PostMessageW(window_.get(), kRunPosted, 0, 0);
}

bool CommandWindow::Create(const std::wstring& class_name, Sink on_command) {
  on_command_ = std::move(on_command);
  class_name_ = class_name;
  if (!RegisterWindowClass(class_name_.c_str(), nullptr)) return false;
  // A hidden popup: FindWindowEx finds it, the taskbar and Alt+Tab do not show it.
  window_.reset(
      CreateBoundWindow(WS_EX_TOOLWINDOW, class_name_.c_str(), L"", WS_POPUP, 0, 0, 0, 0));
  return window_ != nullptr;
}

LRESULT CommandWindow::OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    if (data == nullptr || data->dwData != kCommandCopyData || data->lpData == nullptr ||
        data->cbData > kMaxCommandMessageBytes)
      return FALSE;
    auto command =
        DecodeBarCommand(std::string_view(static_cast<const char*>(data->lpData), data->cbData));
    if (!command) return FALSE;
    if (on_command_) on_command_(*command);
    return TRUE;
  }
  if (message == kRunPosted) {
    while (!posted_.empty()) {
      const std::function<void()> step = std::move(posted_.front());
      posted_.pop_front();
      if (step) step();
    }
    return 0;
  }
  if (message == WM_HOTKEY) {
    const int id = static_cast<int>(wparam);
    if (id != HotKeyId(HotKeyRole::Focus) && id != HotKeyId(HotKeyRole::SearchSelection)) return 0;
    const HotKeyRole role =
        id == HotKeyId(HotKeyRole::Focus) ? HotKeyRole::Focus : HotKeyRole::SearchSelection;
    std::string selection;
    if (role == HotKeyRole::SearchSelection) selection = ClipboardText(window);
    if (auto command = CommandForHotKey(role, std::move(selection)); command && on_hot_key_)
      on_hot_key_(*command);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace velto::win32
