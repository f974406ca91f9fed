// velto: the search bar "ヴェルト" for Linux desktops.
#include <signal.h>

#include <QApplication>
#include <QTimer>
#include <iostream>
#include <optional>

#include "main/bar_command.h"
#include "main/hot_keys.h"
#include "main/search_bar.h"
#include "platform/posix/command_line.h"
#include "platform/posix/command_socket.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/instance_lock.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/settings_folder.h"
#include "platform/posix/shell_launcher.h"
#include "platform/posix/signal_inbox.h"
#include "platform/program_folder.h"
#include "platform/qt/command_receiver.h"
#include "platform/qt/early_answers.h"
#include "platform/qt/font_warm_up.h"
#include "platform/qt/global_keys.h"
#include "platform/qt/linux_platform.h"
#include "platform/qt/search_bar_window.h"
#include "platform/qt/settings_dialog_on_demand.h"
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
  velto::PosixFileSystem files;
  const velto::IconvTextCodec codec;
  const velto::Disk disk(files, codec);
  velto::WriteStarterSettingsOnFirstUse(folders, disk);

  velto::FontWarmUp fonts;
  QApplication app(argc, argv);
  fonts.Wait();
  velto::ShellLauncher launcher;
  velto::LinuxPlatform platform(folders.settings, std::move(command_line), launcher, folders.help);
  velto::SettingsModel model;
  velto::SearchBarWindow window([&app] { app.quit(); });
  velto::SearchBar bar(model, window, platform, disk);
  window.Attach(bar);
  platform.SetWindow(velto::WindowRole::SearchBar, &window);

  // The dialog's window is built the first time it is opened.
  velto::SettingsDialogOnDemand dialog(bar, platform);
  bar.SetSettingsDialog(&dialog);
  // The dialog ends with the search bar, its unconfirmed choices dropped.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, [&dialog] { dialog.Unload(); });

  velto::SignalNotifier notifier(inbox, [&](int signal) {
    if (signal == SIGCHLD)
      launcher.Reap();
    else
      window.close();  // the closing steps, as when the user closes the window
  });

  bar.Form_Load();
  window.show();

  // What the first paint does not need waits until the event queue is first empty. A later
  // start meanwhile finds the lock held and keeps trying to connect until the socket is there.
  std::optional<velto::CommandReceiver> commands;
  std::optional<velto::GlobalKeys> keys;
  QTimer::singleShot(0, &window, [&] {
    window.TakeIcon();
    commands.emplace(velto::CommandSocketPath(folders.settings),
                     [&bar](const velto::BarCommand& given) { bar.CarryOut(given); });
    keys.emplace(velto::LoadHotKeys(bar.Store()),
                 [&bar](const velto::BarCommand& given) { bar.CarryOut(given); });
    if (command) bar.CarryOut(*command);
  });
  return app.exec();
}
