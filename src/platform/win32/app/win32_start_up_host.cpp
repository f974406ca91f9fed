#include "win32_start_up_host.h"

// after windows.h
#include <commctrl.h>
#include <ole2.h>

#include <string>

#include "command_line_answer.h"
#include "dialog/settings_dialog.h"
#include "main/search_bar.h"
#include "platform/win32/command_window.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/search_bar_window.h"
#include "platform/win32/settings_dialog_window.h"
#include "settings/settings_model.h"

namespace velto::win32 {
namespace {

// OLE for the drop targets, for the life of the program.
class OleSession {
 public:
  OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleSession() {
    if (ok_) OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool ok_;
};

HICON ProgramIcon(HINSTANCE instance) {
  return LoadIconW(instance, MAKEINTRESOURCEW(1));
}

}  // namespace

bool Win32SettingsPlaceProbe::IsFile(const FilePath& path) const {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32SettingsPlaceProbe::Exists(const FilePath& path) const {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Declared in the order they must come up; they go in the reverse order.
struct Win32StartUpHost::Bar {
  Bar(HINSTANCE instance, Win32Platform& platform, Disk disk)
      : bar(model, window, platform, disk),
        dialog_window(platform, ProgramIcon(instance)),
        dialog(bar, dialog_window, platform) {}

  // Taken up once the window is on the screen; before the window so that the drop targets
  // are revoked before OLE ends. Without OLE the bar still works; it only takes no drops.
  std::optional<OleSession> ole;
  SearchBarWindow window;
  SettingsModel model;
  SearchBar bar;
  SettingsDialogWindow dialog_window;
  SettingsDialog dialog;
  CommandWindow commands;
  bool listening = false;
};

Win32StartUpHost::Win32StartUpHost(HINSTANCE instance, PWSTR arguments, int show_command)
    : instance_(instance), arguments_(arguments), show_command_(show_command) {}

Win32StartUpHost::~Win32StartUpHost() = default;

std::optional<int> Win32StartUpHost::AnswerBeforeStart() {
  return win32::AnswerBeforeStart(arguments_);
}

ProgramPlaces Win32StartUpHost::Places() {
  return {platform_.ProgramFolder(), {}, {}};
}

std::string Win32StartUpHost::InstanceKey(const FilePath& settings_folder) {
  return InstanceKeyOf(settings_folder);
}

bool Win32StartUpHost::TryClaimInstance(const FilePath&, std::string_view name) {
  claim_.emplace(InstanceMutexNameOf(std::string(name)));
  if (!claim_->Claim()) claim_.reset();
  return claim_.has_value();
}

void Win32StartUpHost::ReleaseInstance() {
  claim_.reset();
}

HandOverTry Win32StartUpHost::TryHandOver(std::string_view name, const std::string& message,
                                          std::chrono::milliseconds) {
  return TrySendBarCommand(CommandWindowClassName(std::string(name)), message);
}

bool Win32StartUpHost::StartBarProcess() {
  wchar_t path[MAX_PATH * 4]{};
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  if (length == 0 || length >= std::size(path)) return false;
  std::wstring command = L"\"" + std::wstring(path, length) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  // No handles inherited: a caller that reads this start's output is not kept waiting by the
  // bar.
  if (!CreateProcessW(path, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                      nullptr, &startup, &info))
    return false;
  // The caller's right to the foreground goes on to the bar.
  AllowSetForegroundWindow(info.dwProcessId);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

void Win32StartUpHost::TellNotTaken(const std::string&) {
  TellCommandNotTaken();
}

void Win32StartUpHost::TellRefused(const std::string& problem) {
  TellCommandRefused(problem);
}

void Win32StartUpHost::Pause(std::chrono::milliseconds how_long) {
  Sleep(static_cast<DWORD>(how_long.count()));
}

SearchBar* Win32StartUpHost::OpenBar(const ProgramFolders&) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  bar_ = std::make_unique<Bar>(instance_, platform_, SystemDisk());
  if (!bar_->window.Create(ProgramIcon(instance_))) return nullptr;
  platform_.SetOwnerWindow(WindowRole::SearchBar, bar_->window.Handle());
  bar_->window.Attach(bar_->bar);
  bar_->dialog_window.Attach(bar_->dialog);
  bar_->bar.SetSettingsDialog(&bar_->dialog);
  return &bar_->bar;
}

void Win32StartUpHost::ShowBar() {
  bar_->window.Show(show_command_);
}

void Win32StartUpHost::FinishWindow() {
  // The tooltips, OLE's start (COM's set-up) and the drop targets' registration need not
  // delay the window: nobody can point at or drop onto anything before it is there.
  bar_->window.OpenToolTips();
  bar_->ole.emplace();
  bar_->window.AcceptDrops();
}

void Win32StartUpHost::Listen(std::string_view name, CommandSink sink) {
  bar_->listening =
      bar_->commands.Create(CommandWindowClassName(std::string(name)), std::move(sink));
}

void Win32StartUpHost::TakeGlobalKeys(const HotKeys& keys, CommandSink sink) {
  // The keys are registered to the command window.
  if (bar_->listening) bar_->commands.TakeHotKeys(keys, std::move(sink));
}

void Win32StartUpHost::Post(std::function<void()> step) {
  bar_->commands.Post(std::move(step));
}

int Win32StartUpHost::RunEventLoop() {
  const int exit_code = RunMessageLoop(bar_->window, &bar_->dialog_window, first_painted_);
  // The dialog goes with the search bar; nothing it shows is taken over.
  bar_->dialog.Unload();
  return exit_code;
}

}  // namespace velto::win32
