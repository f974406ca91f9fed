#include "main/dropped_text_file.h"

#include <array>
#include <memory>
#include <optional>
#include <string_view>

#include "ports/text_codec.h"
#include "settings/ascii_text.h"
#include "settings/unicode_text.h"

namespace velto {
namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

enum class Encoding { Bytes, Utf16Le, Utf16Be };

// Splits text fed in pieces into non-empty lines. CR and LF both end a line; the empty line
// between the two characters of a CRLF is skipped like any other empty line.
template <typename Char>
class LineSplitter {
 public:
  explicit LineSplitter(const DroppedFileLimits& limits) : limits_(limits) {}

  // False once a limit is reached; the caller stops feeding.
  bool Feed(std::basic_string_view<Char> text) {
    for (Char c : text) {
      if (c == Char('\r') || c == Char('\n')) {
        if (!EndLine()) return false;
      } else {
        pending_.push_back(c);
        if (bytes_ + pending_.size() * sizeof(Char) > limits_.max_bytes) return Stop();
      }
    }
    return true;
  }
  void FinishAtEnd() { EndLine(); }

  std::vector<std::basic_string<Char>>& Lines() { return lines_; }

 private:
  bool EndLine() {
    if (pending_.empty()) return true;
    if (lines_.size() >= limits_.max_lines) return Stop();
    bytes_ += pending_.size() * sizeof(Char);
    lines_.push_back(std::move(pending_));
    pending_.clear();
    return true;
  }
  bool Stop() {
    pending_.clear();
    return false;
  }

  const DroppedFileLimits& limits_;
  std::vector<std::basic_string<Char>> lines_;
  std::basic_string<Char> pending_;
  std::size_t bytes_ = 0;
};

Encoding DetectEncoding(std::string_view head, std::size_t& bom_size) {
  bom_size = 0;
  if (head.starts_with("\xEF\xBB\xBF")) {
    bom_size = 3;
    return Encoding::Bytes;
  }
  if (head.starts_with("\xFF\xFE")) {
    bom_size = 2;
    return Encoding::Utf16Le;
  }
  if (head.starts_with("\xFE\xFF")) {
    bom_size = 2;
    return Encoding::Utf16Be;
  }
  return Encoding::Bytes;
}

// UTF-8 when every line is valid UTF-8 (line ends never fall inside a UTF-8 sequence, so this
// is the same as the whole file being valid); otherwise every line is in the ANSI code page.
std::vector<std::string> DecodeByteLines(const TextCodec& codec, std::vector<std::string>&& lines) {
  bool all_utf8 = true;
  for (const std::string& line : lines) {
    if (!IsValidUtf8(line)) {
      all_utf8 = false;
      break;
    }
  }
  if (!all_utf8)
    for (std::string& line : lines) line = codec.Utf8FromAnsi(line);
  return std::move(lines);
}

class Utf16Decoder {
 public:
  explicit Utf16Decoder(bool big_endian) : big_endian_(big_endian) {}
  // Code units of the bytes, an odd byte kept for the next piece.
  std::u16string_view Decode(std::string_view bytes) {
    units_.clear();
    for (char c : bytes) {
      auto byte = static_cast<unsigned char>(c);
      if (!odd_) {
        odd_ = byte;
        continue;
      }
      unsigned first = *odd_, second = byte;
      odd_.reset();
      units_.push_back(
          static_cast<char16_t>(big_endian_ ? (first << 8) | second : (second << 8) | first));
    }
    return units_;
  }

 private:
  bool big_endian_;
  std::optional<unsigned> odd_;
  std::u16string units_;
};

}  // namespace

bool IsDroppedTextFileName(const FilePath& file) {
  // Wide on Windows, bytes elsewhere; only ASCII is compared.
  return EndsWithIgnoringAsciiCase(std::basic_string_view<FilePath::value_type>(file.native()),
                                   ".TXT");
}

bool IsDroppedDescriptionFileName(const FilePath& file) {
  return EndsWithIgnoringAsciiCase(std::basic_string_view<FilePath::value_type>(file.native()),
                                   ".XML");
}

std::vector<std::string> ReadDroppedTextLines(Disk disk, const FilePath& file,
                                              const DroppedFileLimits& limits) {
  const std::unique_ptr<ByteReader> opened = disk.files().OpenForReading(file);
  if (!opened) return {};
  ByteReader& in = *opened;

  std::string chunk(kChunkSize, '\0');
  bool at_end = false;
  auto read_chunk = [&]() -> std::string_view {
    const std::size_t got = in.Read(chunk.data(), chunk.size());
    at_end = got < chunk.size();
    return std::string_view(chunk.data(), got);
  };

  std::string_view piece = read_chunk();
  std::size_t bom_size = 0;
  const Encoding encoding = DetectEncoding(piece, bom_size);
  piece.remove_prefix(bom_size);

  if (encoding == Encoding::Bytes) {
    LineSplitter<char> splitter(limits);
    bool more = true;
    while (more && !piece.empty()) {
      more = splitter.Feed(piece);
      if (more && !at_end)
        piece = read_chunk();
      else
        piece = {};
    }
    // A read error part-way drops the unfinished line; the end of the file completes it.
    if (more && !in.failed()) splitter.FinishAtEnd();
    return DecodeByteLines(disk.codec(), std::move(splitter.Lines()));
  }

  Utf16Decoder decoder(encoding == Encoding::Utf16Be);
  LineSplitter<char16_t> splitter(limits);
  bool more = true;
  while (more && !piece.empty()) {
    more = splitter.Feed(decoder.Decode(piece));
    if (more && !at_end)
      piece = read_chunk();
    else
      piece = {};
  }
  if (more && !in.failed()) splitter.FinishAtEnd();
  std::vector<std::string> lines;
  lines.reserve(splitter.Lines().size());
  for (std::u16string& line : splitter.Lines()) {
    lines.push_back(Utf8FromUtf16(line));
    std::u16string().swap(line);  // hand back memory as we go; the file may be large
  }
  return lines;
}

}  // namespace velto
