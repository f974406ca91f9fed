#pragma once
// The program's start, the same on every platform: one running bar per settings folder, later
// starts handing their command to it, and the bar itself coming up with what the first paint
// needs first.
#include <optional>
#include <string>

#include "main/bar_command.h"
#include "main/settings_place.h"

namespace velto {

class StartUpHost;

class StartUp {
 public:
  explicit StartUp(StartUpHost& host) : host_(host) {}

  // The whole run of the program; its exit status.
  int Run();

 private:
  int RunBar(const ProgramFolders& folders, const std::string& instance,
             const std::optional<BarCommand>& command);

  StartUpHost& host_;
};

}  // namespace velto
