#include "main/bar_command.h"

#include <algorithm>

#include "main/windows_arguments.h"
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

// Why a query cannot be searched; empty when it can.
std::string QueryProblem(std::string_view text, std::string_view switch_name) {
  if (text.empty()) return std::string(switch_name) + " needs a text to search";
  if (text.find('\0') != std::string_view::npos || !IsValidUtf8(text))
    return "the text to search is not valid UTF-8";
  if (CountCharacters(text) > kMaxCommandTextCharacters)
    return "the text to search is longer than 32,767 characters";
  return {};
}

CommandLineRequest Search(std::string text, std::string_view switch_name) {
  std::string problem = QueryProblem(text, switch_name);
  if (!problem.empty()) return {std::nullopt, std::move(problem)};
  return {BarCommand{BarCommand::Kind::Search, std::move(text)}, {}};
}

std::string Joined(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& argument : arguments) {
    if (&argument != &arguments.front()) text += ' ';
    text += argument;
  }
  return text;
}

}  // namespace

CommandLineRequest ReadCommandLine(std::string_view command_line) {
  const std::string_view line = SkipBlanks(command_line);
  const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
  const std::string_view word = line.substr(0, end);
  const std::string_view rest = line.substr(end);

  if (word == "--focus" || EqualsIgnoringAsciiCase(word, "/F")) {
    if (!SkipBlanks(rest).empty()) return {};
    return {BarCommand{BarCommand::Kind::Focus, {}}, {}};
  }
  // The Linux command line is the arguments joined by one blank: the query is all after it.
  if (word == "--search") return Search(std::string(rest.empty() ? rest : rest.substr(1)), word);
  if (EqualsIgnoringAsciiCase(word, "/S")) return Search(Joined(SplitWindowsArguments(rest)), "/S");
  return {};
}

std::optional<BarCommand> ParseBarCommand(std::string_view command_line) {
  return ReadCommandLine(command_line).command;
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
  if (body.starts_with("S ")) return Search(std::string(body.substr(2)), "S").command;
  return std::nullopt;
}

}  // namespace velto
