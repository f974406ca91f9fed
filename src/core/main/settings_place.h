#pragma once
// Where the program keeps velto.ini and log.txt, and where its help page lies. A program in a
// folder of its own (the build folder, an unpacked copy, every Windows copy) keeps everything
// beside itself. An installed program (Help.html only in its data folder) and a program whose
// folder it cannot write keep the user's settings in the user's configuration folder; unless
// a velto.ini the user can read and write stands beside the program: that one is always used.
#include "ports/disk.h"
#include "settings/file_path.h"

namespace velto {

class SettingsPlaceProbe;

// What the choice takes from the user's environment.
struct UserFolders {
  FilePath xdg_config_home;  // $XDG_CONFIG_HOME; only an absolute path counts
  FilePath home;             // the user's home folder; empty where there is none
};

struct ProgramPlaces {
  FilePath executable_folder;
  FilePath installed_data;  // where an installed program's Help.html lies; empty for none
  UserFolders user;
};

struct ProgramFolders {
  FilePath settings;      // velto.ini, log.txt and the single-instance claim
  FilePath help;          // Help.html
  bool per_user = false;  // settings is the user's configuration folder
};

// Decides, without creating anything.
ProgramFolders ChooseProgramFolders(const ProgramPlaces& places, const SettingsPlaceProbe& probe);

// For a per-user settings folder: creates it where missing. True when the folder exists.
bool CreateSettingsFolder(const ProgramFolders& folders, const SettingsPlaceProbe& probe);

// A settings folder without any velto.ini (not even a dangling link or an unreadable file)
// begins from the starter settings, so that a first start shows four labelled buttons of
// engines that work today: a starter file shipped beside it is copied, else the starter
// settings are written. A failure leaves no file; the program then runs on empty settings, as
// with a read-only folder. True when velto.ini was made.
bool WriteStarterSettingsOnFirstUse(const FilePath& settings_folder,
                                    const SettingsPlaceProbe& probe, Disk disk);

}  // namespace velto
