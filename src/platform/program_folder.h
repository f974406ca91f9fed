#pragma once
#include "settings/file_path.h"
// The folder that holds the running executable: the program folder, where velto.ini,
// log.txt and Help.html live. Implemented once per platform.

namespace velto {

// The executable's folder; the current folder when the system cannot tell.
FilePath ExecutableFolder();

}  // namespace velto
