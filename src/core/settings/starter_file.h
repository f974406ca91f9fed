#pragma once
// The starter settings as a file: the Windows zip ships them as velto.starter.ini, never as
// velto.ini, so unpacking a newer zip over a folder in use leaves the user's settings alone.
// A start that finds no velto.ini but this file beside it begins from a copy of it.
#include <string_view>

#include "ports/file_system.h"
#include "settings/file_path.h"

namespace velto {

inline constexpr std::string_view kStarterFileName = "velto.starter.ini";

// When the folder has a starter file but no velto.ini, copies the starter file to velto.ini
// (the starter file stays, for a later fresh start). Without a starter file nothing is made:
// the program then runs on the factory defaults. True when velto.ini was made.
bool AdoptStarterFile(FileSystem& files, const FilePath& settings_folder);

}  // namespace velto
