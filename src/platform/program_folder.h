#pragma once
// The folder that holds the running executable: the program folder, where velto.ini,
// log.txt and Help.html live. Implemented once per platform.
#include <filesystem>

namespace velto {

// The executable's folder; the current folder when the system cannot tell.
std::filesystem::path ExecutableFolder();

}  // namespace velto
