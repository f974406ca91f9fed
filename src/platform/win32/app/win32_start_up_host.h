#pragma once
// The start-up sequence's host on Windows: the named mutex, the command window, a new process
// for the bar, and the Win32 bar itself, built only once this start is to be the bar.
#include <windows.h>

#include <memory>
#include <optional>

#include "platform/win32/single_instance.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text_codec.h"
#include "ports/start_up_host.h"

namespace velto::win32 {

// Windows keeps every copy's settings beside it: the probe is asked only about the help page.
class Win32SettingsPlaceProbe final : public SettingsPlaceProbe {
 public:
  bool IsFile(const FilePath& path) const override;
  bool Exists(const FilePath& path) const override;
  bool CanWriteInto(const FilePath&) const override { return true; }
  bool CanReadAndWrite(const FilePath& file) const override { return IsFile(file); }
  bool CreateFolders(const FilePath& folder) const override { return Exists(folder); }
};

class Win32StartUpHost final : public StartUpHost {
 public:
  Win32StartUpHost(HINSTANCE instance, PWSTR arguments, int show_command);
  ~Win32StartUpHost() override;

  std::optional<int> AnswerBeforeStart() override;
  std::string CommandLine() override { return platform_.CommandLine(); }
  ProgramPlaces Places() override;
  const SettingsPlaceProbe& Probe() override { return probe_; }
  Disk SystemDisk() override { return Disk(files_, codec_); }
  std::string InstanceKey(const FilePath& settings_folder) override;
  bool TryClaimInstance(const FilePath& settings_folder, std::string_view name) override;
  void ReleaseInstance() override;
  HandOverTry TryHandOver(std::string_view name, const std::string& message,
                          std::chrono::milliseconds greeting_wait) override;
  bool StartBarProcess() override;
  void TellNotTaken(const std::string& reason) override;
  void TellRefused(const std::string& problem) override;
  Clock::time_point Now() override { return Clock::now(); }
  void Pause(std::chrono::milliseconds how_long) override;

  SearchBar* OpenBar(const ProgramFolders& folders) override;
  void ShowBar() override;
  void WhenFirstPainted(std::function<void()> step) override { first_painted_ = std::move(step); }
  void FinishWindow() override;
  void Listen(std::string_view name, CommandSink sink) override;
  void TakeGlobalKeys(const HotKeys& keys, CommandSink sink) override;
  void Post(std::function<void()> step) override;
  int RunEventLoop() override;

 private:
  struct Bar;  // everything that exists only in the process that is the bar

  HINSTANCE instance_;
  PWSTR arguments_;
  int show_command_;
  Win32Platform platform_;
  Win32SettingsPlaceProbe probe_;
  Win32FileSystem files_;
  Win32TextCodec codec_;
  std::optional<SingleInstance> claim_;
  std::function<void()> first_painted_;
  std::unique_ptr<Bar> bar_;
};

}  // namespace velto::win32
