#pragma once
// A settings file that is there but cannot be read (no permission, a folder of its name): the
// bar starts without engines, says so once, and leaves the file alone; a search asked for on
// the command line is refused, since it could only open nothing.
#include <optional>
#include <string>

#include "main/bar_command.h"
#include "settings/settings_store.h"

namespace velto {

// The message box's text: what happened, where the file is, and what the bar does about it.
std::string UnreadableSettingsMessage(const FilePath& settings_path);

// Why a start's command cannot be carried out with the settings it would be carried out with,
// in one line of English without the program's name; nullopt when it can (or there is none).
std::optional<std::string> CommandSettingsProblem(const std::optional<BarCommand>& command,
                                                  const SettingsStore& store);

}  // namespace velto
