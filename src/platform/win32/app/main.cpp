// velto.exe: the search bar on Windows. Wires the core to the Win32 window and services and
// runs the message loop; everything the program does lives in the core.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <ole2.h>

#include <optional>

#include "command_line_answer.h"
#include "dialog/settings_dialog.h"
#include "main/bar_command.h"
#include "main/hot_keys.h"
#include "main/search_bar.h"
#include "platform/win32/command_window.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/search_bar_window.h"
#include "platform/win32/settings_dialog_window.h"
#include "platform/win32/single_instance.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text_codec.h"
#include "settings/settings_model.h"

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
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show_command) {
  // --version and --help are answered before any window or file.
  if (const auto status = velto::win32::AnswerBeforeStart(arguments)) return *status;
  velto::win32::Win32Platform platform;
  // A second search bar for the same folder ends before it creates any window, handing its
  // command, if any, to the running one.
  const std::optional<velto::BarCommand> command = velto::ParseBarCommand(platform.CommandLine());
  velto::win32::SingleInstance claim(platform.ProgramFolder());
  if (!claim.Claim()) {
    if (!command || velto::win32::SendBarCommand(platform.ProgramFolder(), *command)) return 0;
    velto::win32::TellCommandNotTaken();
    return 1;
  }

  // Taken up once the window is on the screen (see below); declared before the window so that
  // the drop targets are revoked before OLE ends.
  std::optional<OleSession> ole;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  velto::win32::SearchBarWindow window;
  if (!window.Create(LoadIconW(instance, MAKEINTRESOURCEW(1)))) return 1;
  platform.SetOwnerWindow(velto::WindowRole::SearchBar, window.Handle());

  velto::Win32FileSystem files;
  const velto::Win32TextCodec codec;
  velto::SettingsModel model;
  velto::SearchBar bar(model, window, platform, velto::Disk(files, codec));
  window.Attach(bar);
  velto::win32::SettingsDialogWindow dialog_window(platform,
                                                   LoadIconW(instance, MAKEINTRESOURCEW(1)));
  velto::SettingsDialog dialog(bar, dialog_window, platform);
  dialog_window.Attach(dialog);
  bar.SetSettingsDialog(&dialog);
  bar.Form_Load();
  velto::win32::CommandWindow commands(
      [&bar](const velto::BarCommand& given) { bar.CarryOut(given); });
  if (commands.Create(platform.ProgramFolder()))
    commands.TakeHotKeys(velto::LoadHotKeys(bar.Store()));

  window.Show(show_command);
  if (command) bar.CarryOut(*command);
  // OLE's start (COM's set-up) and the drop targets' registration need not delay the window:
  // nobody can drop anything before it is there, so they wait until it is painted and the
  // queue is first empty. Without OLE the bar still works; it only takes no drops.
  const int exit_code = velto::win32::RunMessageLoop(window, &dialog_window, [&] {
    ole.emplace();
    window.AcceptDrops();
  });
  // The dialog goes with the search bar; nothing it shows is taken over.
  dialog.Unload();
  return exit_code;
}
