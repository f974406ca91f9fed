#pragma once
// The log of the queries added during a run: "log.txt" in the program folder, only ever
// appended to, one query per line in the ANSI code page, each line ended by CR LF.
#include <cstddef>
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

// How much of a log is kept when it is read: the newest lines up to both limits; older ones are
// read past and dropped, so a log of any size costs bounded memory.
struct HistoryLogLimits {
  std::size_t max_lines = std::size_t{1} << 20;
  std::size_t max_bytes = std::size_t{32} << 20;  // text of the lines kept, as UTF-8
  // A longer line is no query anyone typed (a damaged log, a file of another kind): skipped.
  std::size_t max_line_bytes = 1024;
};

// The queries of the log, newest (last in the file) first, as UTF-8. CR, LF and CRLF end a line;
// empty lines and lines holding control characters are skipped. A missing or unreadable log
// gives none; a read that fails part-way keeps what was read before.
std::vector<std::string> ReadHistoryLog(Disk disk, const FilePath& file,
                                        const HistoryLogLimits& limits = {});

}  // namespace velto
