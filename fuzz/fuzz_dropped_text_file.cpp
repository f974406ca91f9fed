// The dropped-file reader over arbitrary file bytes: its lines agree with a plain reading of the
// same bytes (byte-order marks, UTF-8 or the code page, CR/LF/CRLF, empty lines skipped), are
// valid UTF-8 without line breaks, and stay within the limits.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "fuzz_check.h"
#include "main/dropped_text_file.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"
#include "settings/unicode_text.h"

namespace {

namespace fs = std::filesystem;
using velto::fuzz::Check;

// The whole file split at once: the reference the chunked reader must match.
template <typename Char>
std::vector<std::basic_string<Char>> SplitLines(std::basic_string_view<Char> text) {
  std::vector<std::basic_string<Char>> lines;
  std::basic_string<Char> line;
  for (Char c : text) {
    if (c == Char('\r') || c == Char('\n')) {
      if (!line.empty()) lines.push_back(std::move(line));
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

std::vector<std::string> PlainReading(std::string_view bytes) {
  std::vector<std::string> out;
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    const bool big = bytes[0] == '\xFE';
    std::u16string units;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      const unsigned a = static_cast<unsigned char>(bytes[i]);
      const unsigned b = static_cast<unsigned char>(bytes[i + 1]);
      units += static_cast<char16_t>(big ? (a << 8) | b : (b << 8) | a);
    }
    for (const auto& line : SplitLines<char16_t>(units)) out.push_back(velto::Utf8FromUtf16(line));
    return out;
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  const bool utf8 = velto::IsValidUtf8(bytes);
  for (auto& line : SplitLines<char>(bytes)) {
    out.push_back(utf8 ? line : velto::IconvTextCodec().Utf8FromAnsi(line));
  }
  return out;
}

const fs::path& File() {
  static const fs::path file =
      fs::temp_directory_path() / ("velto-fuzz-drop-" + std::to_string(::getpid()) + ".TXT");
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::ofstream(File(), std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

  velto::PosixFileSystem files;
  const velto::IconvTextCodec codec;
  const velto::Disk disk(files, codec);
  const auto lines = velto::ReadDroppedTextLines(disk, File());
  const auto want = PlainReading(bytes);
  Check(lines == want, "lines as a plain reading gives them");
  for (const auto& line : lines) {
    Check(!line.empty(), "no empty lines");
    Check(line.find_first_of("\r\n") == std::string::npos, "no line breaks in a line", line);
    Check(velto::IsValidUtf8(line), "lines are UTF-8", line);
  }

  // Tight limits keep a prefix of the lines; the kept text never passes the byte limit.
  velto::DroppedFileLimits limits;
  limits.max_lines = size % 7;
  limits.max_bytes = size % 97;
  const auto cut = velto::ReadDroppedTextLines(disk, File(), limits);
  Check(cut.size() <= limits.max_lines, "line limit kept");
  Check((cut.size() <= lines.size() && std::equal(cut.begin(), cut.end(), lines.begin())) ||
            !velto::IsValidUtf8(bytes),
        "a cut reading keeps the first lines");
  return 0;
}
