#include "main/history_log.h"

namespace velto {

bool AppendHistoryLog(Disk disk, const FilePath& file, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    std::string one_line = line;
    for (char& c : one_line)
      if (c == '\r' || c == '\n') c = ' ';
    bytes += disk.codec().AnsiFromUtf8(one_line);
    bytes += "\r\n";
  }
  return disk.files().WriteFileBytes(file, bytes, FileMode::Append);
}

}  // namespace velto
