#include "main/history_log.h"

#include <algorithm>
#include <deque>
#include <memory>

namespace velto {
namespace {

// Lines of the log in file order, the oldest dropped once the limits are passed.
class LogLines {
 public:
  explicit LogLines(const HistoryLogLimits& limits) : limits_(limits) {}

  void Add(std::string_view line) {
    if (line.empty() || line.size() > limits_.max_line_bytes) return;
    for (const char c : line)
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return;
    lines_.emplace_back(line);
    bytes_ += line.size();
    while (lines_.size() > limits_.max_lines || bytes_ > limits_.max_bytes) {
      bytes_ -= lines_.front().size();
      lines_.pop_front();
    }
  }

  std::vector<std::string> NewestFirst() {
    std::vector<std::string> lines;
    lines.reserve(lines_.size());
    for (auto line = lines_.rbegin(); line != lines_.rend(); ++line)
      lines.push_back(std::move(*line));
    return lines;
  }

 private:
  const HistoryLogLimits& limits_;
  std::deque<std::string> lines_;
  std::size_t bytes_ = 0;
};

// Splits UTF-8 text at CR, LF and CRLF. A CR at the very end may be the first half of a CRLF
// in the next part: the LF that opens the next part then ends no line.
void SplitLines(std::string_view text, LogLines& lines, bool& after_cr) {
  std::size_t start = 0;
  if (after_cr && !text.empty() && text.front() == '\n') start = 1;
  after_cr = false;
  for (std::size_t i = start; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.Add(text.substr(start, i - start));
    if (text[i] == '\r') {
      if (i + 1 == text.size())
        after_cr = true;
      else if (text[i + 1] == '\n')
        ++i;
    }
    start = i + 1;
  }
  lines.Add(text.substr(start));
}

}  // namespace

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

std::vector<std::string> ReadHistoryLog(Disk disk, const FilePath& file,
                                        const HistoryLogLimits& limits) {
  const std::unique_ptr<ByteReader> in = disk.files().OpenForReading(file);
  if (!in) return {};
  LogLines lines(limits);
  // The file is read a part at a time; each part up to its last line break is converted in one
  // go (no code page the log is written in has a line-break byte inside a character).
  std::string pending;  // bytes after the last line break read so far
  bool after_cr = false;
  std::string part(std::size_t{1} << 20, '\0');
  for (;;) {
    const std::size_t got = in->Read(part.data(), part.size());
    const std::string_view read(part.data(), got);
    const std::size_t end = read.find_last_of("\r\n");
    if (end == std::string_view::npos) {
      // A line longer than any query is skipped as it comes, not gathered whole.
      if (pending.size() <= limits.max_line_bytes) pending.append(read);
    } else {
      pending.append(read.substr(0, end + 1));
      // The last break is cut off here, so a line it ends is taken now, not with the next part.
      const bool cr_last = pending.back() == '\r';
      pending.pop_back();
      SplitLines(disk.codec().Utf8FromAnsi(pending), lines, after_cr);
      after_cr = cr_last;
      pending.assign(read.substr(end + 1));
    }
    if (got < part.size() || in->failed()) break;
  }
  if (!in->failed() && pending.size() <= limits.max_line_bytes)
    SplitLines(disk.codec().Utf8FromAnsi(pending), lines, after_cr);
  return lines.NewestFirst();
}

}  // namespace velto
