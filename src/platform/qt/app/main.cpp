// velto: the search bar "ヴェルト" for Linux desktops.
#include <signal.h>

#include <QApplication>
#include <QTimer>
#include <iostream>
#include <optional>

#include "dialog/settings_dialog.h"
#include "main/bar_command.h"
#include "main/hot_keys.h"
#include "main/search_bar.h"
#include "platform/posix/command_line.h"
#include "platform/posix/command_socket.h"
#include "platform/posix/instance_lock.h"
#include "platform/posix/settings_folder.h"
#include "platform/posix/shell_launcher.h"
#include "platform/posix/signal_inbox.h"
#include "platform/program_folder.h"
#include "platform/qt/command_receiver.h"
#include "platform/qt/early_answers.h"
#include "platform/qt/global_keys.h"
#include "platform/qt/linux_platform.h"
#include "platform/qt/search_bar_window.h"
#include "platform/qt/settings_dialog_window.h"
#include "platform/qt/signal_notifier.h"
#include "settings/settings_model.h"

int main(int argc, char** argv) {
  // --version, --help and a missing display end here, before any file is touched.
  if (const auto status =
          velto::AnswerBeforeStart(argc, argv, velto::SystemDisplayProbes(), std::cout, std::cerr))
    return *status;

  // Before any thread exists, so that every thread keeps these signals blocked and they
  // arrive only through the inbox.
  velto::SignalInbox inbox({SIGTERM, SIGINT, SIGHUP, SIGCHLD});

  // A second search bar for the same folder ends here: nothing shown, read or written, and
  // no connection to the window system made.
  // An installed program keeps its settings per user, so the lock follows the settings.
  const velto::ProgramFolders folders =
      velto::ChooseProgramFolders(velto::ExecutableFolder(), velto::UserFoldersFromEnvironment());
  velto::CreateSettingsFolder(folders);
  velto::InstanceLock lock(folders.settings);
  // Taken before Qt removes the options it knows from argv.
  std::string command_line = velto::JoinArguments(argc, argv);
  // A later start hands its command, if any, to the running bar and ends.
  const std::optional<velto::BarCommand> command = velto::ParseBarCommand(command_line);
  if (!lock.held()) return velto::HandOverCommand(folders.settings, command);
  velto::WriteStarterSettingsOnFirstUse(folders);

  QApplication app(argc, argv);
  velto::ShellLauncher launcher;
  velto::LinuxPlatform platform(folders.settings, std::move(command_line), launcher, folders.help);
  velto::SettingsModel model;
  velto::SearchBarWindow window([&app] { app.quit(); });
  velto::SearchBar bar(model, window, platform);
  window.Attach(bar);
  platform.SetWindow(velto::WindowRole::SearchBar, &window);

  velto::SettingsDialogWindow dialog_window;
  velto::SettingsDialog dialog(bar, dialog_window, platform);
  dialog_window.Attach(dialog);
  bar.SetSettingsDialog(&dialog);
  platform.SetWindow(velto::WindowRole::SettingsDialog, &dialog_window);
  // The dialog ends with the search bar, its unconfirmed choices dropped.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, [&dialog] { dialog.Unload(); });

  velto::SignalNotifier notifier(inbox, [&](int signal) {
    if (signal == SIGCHLD)
      launcher.Reap();
    else
      window.close();  // the closing steps, as when the user closes the window
  });

  bar.Form_Load();
  velto::CommandReceiver commands(velto::CommandSocketPath(folders.settings),
                                  [&bar](const velto::BarCommand& given) { bar.CarryOut(given); });
  velto::GlobalKeys keys(velto::LoadHotKeys(bar.Store()),
                         [&bar](const velto::BarCommand& given) { bar.CarryOut(given); });
  window.show();
  if (command) QTimer::singleShot(0, &window, [&bar, &command] { bar.CarryOut(*command); });
  return app.exec();
}
