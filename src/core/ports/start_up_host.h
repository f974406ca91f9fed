#pragma once
// What the start-up sequence (main/start_up.h) asks of the system it runs on. Each platform
// implements these primitives; the order of the steps, the waits and the rules between two
// starts of the program are the core's.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "main/bar_command.h"
#include "main/settings_place.h"
#include "ports/disk.h"
#include "ports/settings_place_probe.h"
#include "settings/file_path.h"

namespace velto {

class SearchBar;
struct HotKeys;

// The outcome of one try to hand a command to the running bar.
struct HandOverTry {
  enum class Outcome {
    Taken,            // the bar answered that it will carry the command out
    NobodyListening,  // no bar listens yet; it may still be starting
    Refused,          // a bar is there but did not take it (or cannot be reached safely)
  };
  Outcome outcome = Outcome::NobodyListening;
  std::string reason;  // in English, for anything but Taken
};

class StartUpHost {
 public:
  using Clock = std::chrono::steady_clock;
  using CommandSink = std::function<void(const BarCommand&)>;

  virtual ~StartUpHost() = default;

  // The status of a start that ends before anything is claimed, read or shown (the version, the
  // help, a command that cannot be carried out, no display); nothing when the bar may run.
  virtual std::optional<int> AnswerBeforeStart() = 0;
  // The command line as one text, as ReadCommandLine takes it.
  virtual std::string CommandLine() = 0;

  // The places the settings folder is chosen from, and the file system's answers about them.
  virtual ProgramPlaces Places() = 0;
  virtual const SettingsPlaceProbe& Probe() = 0;
  // The file system and code page the settings folder lives on.
  virtual Disk SystemDisk() = 0;

  // The settings folder in the one spelling the system gives it (links resolved, case folded
  // where names ignore case), as UTF-8: what the instance name is made from.
  virtual std::string InstanceKey(const FilePath& settings_folder) = 0;
  // One try, without waiting, to be the one running bar of the folder; held until released or
  // the process ends. True also when the system offers no way to tell.
  virtual bool TryClaimInstance(const FilePath& settings_folder, std::string_view name) = 0;
  virtual void ReleaseInstance() = 0;
  // One try to hand the message (EncodeBarCommand) to the bar listening under the name. A bar
  // that is there but has not taken the connection within greeting_wait refused it; once it
  // has, its answer is awaited as long as it takes, so that Taken is exactly what it will do.
  virtual HandOverTry TryHandOver(std::string_view name, const std::string& message,
                                  std::chrono::milliseconds greeting_wait) = 0;
  // Starts a new process of the program, without arguments, detached from this one and from
  // whatever this one's caller waits on (its output, its console, its process group).
  virtual bool StartBarProcess() = 0;
  // Tells the caller (standard error, a console) why its command was not taken.
  virtual void TellNotTaken(const std::string& reason) = 0;
  // Tells the caller why its command cannot be carried out at all (one line of English).
  virtual void TellRefused(const std::string& problem) = 0;
  virtual Clock::time_point Now() = 0;
  virtual void Pause(std::chrono::milliseconds how_long) = 0;

  // Builds the toolkit, the windows and the search bar over the folders; null when the
  // system refuses the window.
  virtual SearchBar* OpenBar(const ProgramFolders& folders) = 0;
  virtual void ShowBar() = 0;
  // Runs the step once, after the bar's first paint, when the event queue is first empty.
  virtual void WhenFirstPainted(std::function<void()> step) = 0;
  // What the window itself takes once it is on the screen (its icon, its drop targets).
  virtual void FinishWindow() = 0;
  // Listens for later starts under the name. Each command reaches the sink only after its
  // sender has been answered that it was taken.
  virtual void Listen(std::string_view name, CommandSink sink) = 0;
  // Takes the global keys that are set; a press reaches the sink as its command.
  virtual void TakeGlobalKeys(const HotKeys& keys, CommandSink sink) = 0;
  // Runs the step from the event loop, after whatever is being handled now.
  virtual void Post(std::function<void()> step) = 0;
  // Runs the event loop until the bar is closed; the program's exit status.
  virtual int RunEventLoop() = 0;
};

}  // namespace velto
