#include "main/bar_command.h"

#include <algorithm>

#include "settings/ascii_text.h"
#include "settings/unicode_text.h"

namespace velto {
namespace {

// "VELTO1" and the kind: 'F' or 'S'; a search's query follows after a blank.
constexpr std::string_view kMagic = "VELTO1";
static_assert(kMagic.size() + 2 == kCommandHeaderBytes);

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

bool IsUsableQuery(std::string_view text) {
  return !text.empty() && text.size() <= kMaxCommandTextBytes &&
         text.find('\0') == std::string_view::npos && IsValidUtf8(text);
}

std::optional<BarCommand> Search(std::string_view text) {
  if (!IsUsableQuery(text)) return std::nullopt;
  return BarCommand{BarCommand::Kind::Search, std::string(text)};
}

}  // namespace

std::optional<BarCommand> ParseBarCommand(std::string_view command_line) {
  const std::string_view line = SkipBlanks(command_line);
  const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
  const std::string_view word = line.substr(0, end);
  const std::string_view rest = line.substr(end);

  if (word == "--focus" || EqualsIgnoringAsciiCase(word, "/F")) {
    if (!SkipBlanks(rest).empty()) return std::nullopt;
    return BarCommand{BarCommand::Kind::Focus, {}};
  }
  // The Linux command line is the arguments joined by one blank: the query is all after it.
  if (word == "--search") return rest.empty() ? std::nullopt : Search(rest.substr(1));
  if (EqualsIgnoringAsciiCase(word, "/S")) {
    std::string_view text = SkipBlanks(rest);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
      text = text.substr(1, text.size() - 2);
    return Search(text);
  }
  return std::nullopt;
}

std::string EncodeBarCommand(const BarCommand& command) {
  std::string message(kMagic);
  if (command.kind == BarCommand::Kind::Focus) return message + 'F';
  return message + "S " + command.text;
}

std::optional<BarCommand> DecodeBarCommand(std::string_view message) {
  if (message.size() > kMaxCommandMessageBytes || !message.starts_with(kMagic)) return std::nullopt;
  const std::string_view body = message.substr(kMagic.size());
  if (body == "F") return BarCommand{BarCommand::Kind::Focus, {}};
  if (body.starts_with("S ")) return Search(body.substr(2));
  return std::nullopt;
}

}  // namespace velto
