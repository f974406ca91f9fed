#pragma once
// The Linux side of the settings-folder choice (main/settings_place.h): the user's folders from
// the environment, the install layout's data folder, and the file system's answers with this
// process's effective ids.
#include <filesystem>

#include "main/settings_place.h"
#include "ports/settings_place_probe.h"

#include "ports/disk.h"

namespace velto {

class PosixSettingsPlaceProbe final : public SettingsPlaceProbe {
 public:
  bool IsFile(const FilePath& path) const override;
  bool Exists(const FilePath& path) const override;
  bool CanWriteInto(const FilePath& folder) const override;
  bool CanReadAndWrite(const FilePath& file) const override;
  bool CreateFolders(const FilePath& folder) const override;
};

// $XDG_CONFIG_HOME and $HOME (else the account's home folder).
UserFolders UserFoldersFromEnvironment();

// The places of a program in the executable folder: its data folder is where the install
// layout puts it relative to bin.
ProgramPlaces ProgramPlacesOf(const std::filesystem::path& executable_folder,
                              const UserFolders& user);

// The core's choice over the real file system.
ProgramFolders ChooseProgramFolders(const std::filesystem::path& executable_folder,
                                    const UserFolders& user);
bool CreateSettingsFolder(const ProgramFolders& folders);
// For velto-config: a per-user settings folder without velto.ini gets the starter settings,
// as the bar's first start gives them; a program folder is left to the bar.
void WriteStarterSettingsOnFirstUse(const ProgramFolders& folders, Disk disk);

}  // namespace velto
