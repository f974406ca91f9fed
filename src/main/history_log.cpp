#include "main/history_log.h"

#include <fstream>

#include "platform/ansi_codec.h"

namespace velto {

bool AppendHistoryLog(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    std::string one_line = line;
    for (char& c : one_line)
      if (c == '\r' || c == '\n') c = ' ';
    bytes += AnsiFromUtf8(one_line);
    bytes += "\r\n";
  }
  std::ofstream out(file, std::ios::binary | std::ios::app);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

}  // namespace velto
