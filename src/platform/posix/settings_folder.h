#pragma once
// Where the Linux program keeps velto.ini and log.txt, and where its help page lies.
// A program in a folder of its own (the build folder, an unpacked copy) keeps everything
// beside itself, as on Windows. An installed program (Help.html under ../share/velto, as in
// /usr/bin and /usr/share/velto) and a program whose folder it cannot write keep the user's
// settings in $XDG_CONFIG_HOME/velto, by default ~/.config/velto; unless a velto.ini the user
// can read and write stands beside the program: that one is always used.
#include <filesystem>
#include <string>

#include "ports/disk.h"

namespace velto {

// What the choice takes from the user's environment.
struct UserFolders {
  std::string xdg_config_home;  // $XDG_CONFIG_HOME; only an absolute path counts
  std::string home;             // $HOME, else the account's home folder
};

UserFolders UserFoldersFromEnvironment();

struct ProgramFolders {
  std::filesystem::path settings;  // velto.ini, log.txt and the single-instance lock
  std::filesystem::path help;      // Help.html
  bool per_user = false;           // settings is the user's configuration folder
};

// Decides, without creating anything.
ProgramFolders ChooseProgramFolders(const std::filesystem::path& executable_folder,
                                    const UserFolders& user);

// For a per-user settings folder: creates it where missing. True when the folder exists.
bool CreateSettingsFolder(const ProgramFolders& folders);

// For a per-user settings folder without velto.ini: writes the starter settings, so that a
// first start shows four labelled buttons of engines that work today. A program folder is left
// as it is.
void WriteStarterSettingsOnFirstUse(const ProgramFolders& folders, Disk disk);

}  // namespace velto
