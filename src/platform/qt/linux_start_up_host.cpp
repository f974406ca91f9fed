#include "platform/qt/linux_start_up_host.h"

#include <signal.h>

#include <QTimer>
#include <cstdio>
#include <iostream>
#include <thread>

#include "main/search_bar.h"
#include "platform/posix/bar_process.h"
#include "platform/posix/command_client.h"
#include "platform/posix/command_line.h"
#include "platform/posix/command_socket_path.h"
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

namespace velto {

// Declared in the order they must come up; they go in the reverse order.
struct LinuxStartUpHost::Bar {
  Bar(int& argc, char** argv, const ProgramFolders& folders, std::string command_line, Disk disk)
      // Before any thread exists, so that every thread keeps these signals blocked and they
      // arrive only through the inbox.
      : inbox({SIGTERM, SIGINT, SIGHUP, SIGCHLD}),
        app(argc, argv),
        platform(folders.settings, std::move(command_line), launcher, folders.help),
        window([this] { app.quit(); }),
        bar(model, window, platform, disk),
        dialog(bar, platform),
        notifier(inbox, [this](int signal) {
          if (signal == SIGCHLD)
            launcher.Reap();
          else
            window.close();  // the closing steps, as when the user closes the window
        }) {
    fonts.Wait();
    window.Attach(bar);
    platform.SetWindow(WindowRole::SearchBar, &window);
    // The dialog's window is built the first time it is opened.
    bar.SetSettingsDialog(&dialog);
    // The dialog ends with the search bar, its unconfirmed choices dropped.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [this] { dialog.Unload(); });
  }

  SignalInbox inbox;
  FontWarmUp fonts;  // started before Qt, waited for once Qt is up
  QApplication app;
  ShellLauncher launcher;
  LinuxPlatform platform;
  SettingsModel model;
  SearchBarWindow window;
  SearchBar bar;
  SettingsDialogOnDemand dialog;
  SignalNotifier notifier;
  std::optional<CommandReceiver> commands;
  std::optional<GlobalKeys> keys;
};

LinuxStartUpHost::LinuxStartUpHost(int& argc, char** argv)
    : argc_(argc), argv_(argv), command_line_(JoinArguments(argc, argv)) {}

LinuxStartUpHost::~LinuxStartUpHost() = default;

std::optional<int> LinuxStartUpHost::AnswerBeforeStart() {
  return velto::AnswerBeforeStart(argc_, argv_, SystemDisplayProbes(), std::cout, std::cerr);
}

ProgramPlaces LinuxStartUpHost::Places() {
  return ProgramPlacesOf(ExecutableFolder(), UserFoldersFromEnvironment());
}

std::string LinuxStartUpHost::InstanceKey(const FilePath& settings_folder) {
  return CommandSocketKey(settings_folder);
}

bool LinuxStartUpHost::TryClaimInstance(const FilePath& settings_folder, std::string_view) {
  lock_.emplace(settings_folder);
  if (!lock_->held()) lock_.reset();
  return lock_.has_value();
}

HandOverTry LinuxStartUpHost::TryHandOver(std::string_view name, const std::string& message,
                                          std::chrono::milliseconds greeting_wait) {
  return TrySendBarCommand(CommandSocketPathOf(std::string(name)), message, greeting_wait);
}

bool LinuxStartUpHost::StartBarProcess() {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  return !ec && StartDetachedProgram(program);
}

void LinuxStartUpHost::TellNotTaken(const std::string& reason) {
  std::fprintf(stderr, "velto: %s\n", reason.c_str());
}

void LinuxStartUpHost::TellRefused(const std::string& problem) {
  std::fprintf(stderr, "velto: %s\n", problem.c_str());
}

void LinuxStartUpHost::Pause(std::chrono::milliseconds how_long) {
  std::this_thread::sleep_for(how_long);
}

SearchBar* LinuxStartUpHost::OpenBar(const ProgramFolders& folders) {
  bar_ = std::make_unique<Bar>(argc_, argv_, folders, command_line_, SystemDisk());
  return &bar_->bar;
}

void LinuxStartUpHost::ShowBar() {
  bar_->window.show();
}

void LinuxStartUpHost::WhenFirstPainted(std::function<void()> step) {
  QTimer::singleShot(0, &bar_->window, std::move(step));
}

void LinuxStartUpHost::FinishWindow() {
  bar_->window.TakeIcon();
}

void LinuxStartUpHost::Listen(std::string_view name, CommandSink sink) {
  bar_->commands.emplace(CommandSocketPathOf(std::string(name)), std::move(sink));
}

void LinuxStartUpHost::TakeGlobalKeys(const HotKeys& keys, CommandSink sink) {
  bar_->keys.emplace(keys, std::move(sink));
}

void LinuxStartUpHost::Post(std::function<void()> step) {
  QTimer::singleShot(0, &bar_->window, std::move(step));
}

int LinuxStartUpHost::RunEventLoop() {
  return bar_->app.exec();
}

}  // namespace velto
