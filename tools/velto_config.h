#pragma once
// velto-config: reads and writes the program's settings file with the program's own store.
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "import/browser_profiles.h"
#include "ports/disk.h"

namespace velto {

// Runs the tool on UTF-8 arguments (without the program name); returns the exit status:
// 0 success, 1 the settings file could not be read or written, 2 wrong usage.
// default_folder is used when no --dir is given. The files are read and written on the disk;
// import looks for the browsers' profiles in browsers.
int RunVeltoConfig(const std::vector<std::string>& args, Disk disk,
                   const std::filesystem::path& default_folder, std::ostream& out,
                   std::ostream& err, const BrowserFolders& browsers = {});

// The same, with the default folder asked for only when no --dir is given and a command runs
// (on Linux the choice may create the user's settings folder).
int RunVeltoConfig(const std::vector<std::string>& args, Disk disk,
                   const std::function<std::filesystem::path()>& default_folder, std::ostream& out,
                   std::ostream& err, const BrowserFolders& browsers = {});

}  // namespace velto
