#include "main/history_log.h"

#include "ports/text_codec.h"
#include "settings/byte_file.h"

namespace velto {

bool AppendHistoryLog(const FilePath& file, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    std::string one_line = line;
    for (char& c : one_line)
      if (c == '\r' || c == '\n') c = ' ';
    bytes += AnsiFromUtf8(one_line);
    bytes += "\r\n";
  }
  return WriteFileBytes(file, bytes, FileMode::Append);
}

}  // namespace velto
