#include "main/start_up.h"

#include "main/hand_over.h"
#include "main/hot_keys.h"
#include "main/instance_name.h"
#include "main/search_bar.h"
#include "main/unreadable_settings.h"
#include "ports/start_up_host.h"

namespace velto {

int StartUp::Run() {
  if (const std::optional<int> status = host_.AnswerBeforeStart()) return *status;
  const std::optional<BarCommand> command = ParseBarCommand(host_.CommandLine());

  // The claim follows the settings, so the folder is chosen (and a per-user one made) first;
  // nothing is read or written in it yet.
  const ProgramFolders folders = ChooseProgramFolders(host_.Places(), host_.Probe());
  CreateSettingsFolder(folders, host_.Probe());
  const std::string instance = InstanceName(host_.InstanceKey(folders.settings));
  // A search with settings that cannot be read could only open nothing: refused, bar or no bar.
  if (const auto problem =
          CommandSettingsProblem(command, SettingsStore(folders.settings, host_.SystemDisk()))) {
    host_.TellRefused(*problem);
    return kStatusNotTaken;
  }

  // A later start shows nothing and reads nothing: it hands its command over, if any, and ends.
  if (!host_.TryClaimInstance(folders.settings, instance))
    return command ? HandOver(host_, instance, *command, kHandOverWait) : kStatusDone;

  if (command) {
    // A script or a shortcut that starts the program with a command waits for its status, so
    // this start does not become the bar: it starts the bar as a process of its own, hands it
    // the command as any later start does and ends with the bar's answer.
    host_.ReleaseInstance();
    if (host_.StartBarProcess()) return HandOver(host_, instance, *command, kStartedBarWait);
    // No process could be started: better to be the bar and carry the command out here.
    if (!host_.TryClaimInstance(folders.settings, instance))
      return HandOver(host_, instance, *command, kHandOverWait);
  }
  return RunBar(folders, instance, command);
}

int StartUp::RunBar(const ProgramFolders& folders, const std::string& instance,
                    const std::optional<BarCommand>& command) {
  WriteStarterSettingsOnFirstUse(folders.settings, host_.Probe(), host_.SystemDisk());
  SearchBar* bar = host_.OpenBar(folders);
  if (bar == nullptr) return kStatusNotTaken;
  bar->Form_Load();
  host_.ShowBar();

  // The first paint needs none of the rest, so all of it waits until the bar is on the screen
  // and the event queue is first empty: the window's icon and drop targets, the ear for later
  // starts, the global keys and this start's own command. A later start meanwhile finds the
  // claim held and keeps trying until the bar listens, so no command is lost. The bar listens
  // before it takes the keys or runs its own command, so that later starts wait the least.
  host_.WhenFirstPainted([this, bar, instance, command] {
    host_.FinishWindow();
    // A received command is carried out from the event loop, after its sender has its answer
    // and whatever the bar was doing is done.
    host_.Listen(instance, [this, bar](const BarCommand& given) {
      host_.Post([bar, given] { bar->CarryOut(given); });
    });
    host_.TakeGlobalKeys(LoadHotKeys(bar->Store()),
                         [bar](const BarCommand& given) { bar->CarryOut(given); });
    if (command) bar->CarryOut(*command);
  });
  return host_.RunEventLoop();
}

}  // namespace velto
