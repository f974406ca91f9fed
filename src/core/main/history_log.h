#pragma once
// The log of the queries added during a run: "log.txt" in the program folder, only ever
// appended to, one query per line in the ANSI code page, each line ended by CR LF.
#include <string>
#include <string_view>
#include <vector>

#include "ports/disk.h"
#include "settings/file_path.h"

namespace velto {

inline constexpr std::string_view kLogFileName = "log.txt";

// Appends the lines (UTF-8), oldest first, in one write. The file is created when missing, also
// for no lines. A line break inside a query becomes a blank, so each query stays one line.
// False when the file could not be opened or written.
bool AppendHistoryLog(Disk disk, const FilePath& file, const std::vector<std::string>& lines);

}  // namespace velto
