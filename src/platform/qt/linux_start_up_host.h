#pragma once
// The start-up sequence's host on Linux: the instance lock, the command socket, a detached
// process for the bar, and the Qt bar itself, built only once this start is to be the bar.
#include <QApplication>
#include <memory>
#include <optional>
#include <string>

#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/instance_lock.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/settings_folder.h"
#include "ports/start_up_host.h"

namespace velto {

class LinuxStartUpHost final : public StartUpHost {
 public:
  LinuxStartUpHost(int& argc, char** argv);
  ~LinuxStartUpHost() override;

  std::optional<int> AnswerBeforeStart() override;
  std::string CommandLine() override { return command_line_; }
  ProgramPlaces Places() override;
  const SettingsPlaceProbe& Probe() override { return probe_; }
  Disk SystemDisk() override { return Disk(files_, codec_); }
  std::string InstanceKey(const FilePath& settings_folder) override;
  bool TryClaimInstance(const FilePath& settings_folder, std::string_view name) override;
  void ReleaseInstance() override { lock_.reset(); }
  HandOverTry TryHandOver(std::string_view name, const std::string& message,
                          std::chrono::milliseconds greeting_wait) override;
  bool StartBarProcess() override;
  void TellNotTaken(const std::string& reason) override;
  void TellRefused(const std::string& problem) override;
  Clock::time_point Now() override { return Clock::now(); }
  void Pause(std::chrono::milliseconds how_long) override;

  SearchBar* OpenBar(const ProgramFolders& folders) override;
  void ShowBar() override;
  void WhenFirstPainted(std::function<void()> step) override;
  void FinishWindow() override;
  void Listen(std::string_view name, CommandSink sink) override;
  void TakeGlobalKeys(const HotKeys& keys, CommandSink sink) override;
  void Post(std::function<void()> step) override;
  int RunEventLoop() override;

 private:
  struct Bar;  // everything that exists only in the process that is the bar

  int& argc_;
  char** argv_;
  // Taken before Qt removes the options it knows from argv.
  std::string command_line_;
  PosixSettingsPlaceProbe probe_;
  PosixFileSystem files_;
  IconvTextCodec codec_;
  std::optional<InstanceLock> lock_;
  std::unique_ptr<Bar> bar_;
};

}  // namespace velto
