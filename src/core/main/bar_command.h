#pragma once
// Commands a later start of the program hands to the running search bar: bring it forward
// with the query box focused, or search a text with the default button. The same command is
// read from the command line ("--focus", "--search TEXT", "/F", "/S TEXT") and travels between
// the two processes as one message.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velto {

struct BarCommand {
  // Search is a text given to search as if typed (an engine keyword at its start counts);
  // SearchSelection is the selected text of the global key, searched as data, as a drop is. It
  // never travels between processes.
  enum class Kind { Focus, Search, SearchSelection };
  Kind kind = Kind::Focus;
  std::string text;  // the query of a search, UTF-8; empty for Focus

  bool operator==(const BarCommand&) const = default;
};

// The longest query a command carries, in Unicode characters (as the selection key's text); a
// longer one is refused. A message is never longer than the query's UTF-8 (at most four bytes a
// character) plus kCommandHeaderBytes.
inline constexpr std::size_t kMaxCommandTextCharacters = 32767;
inline constexpr std::size_t kCommandHeaderBytes = 8;
inline constexpr std::size_t kMaxCommandMessageBytes =
    4 * kMaxCommandTextCharacters + kCommandHeaderBytes;

// What a command line asks of the running bar: a command, or a command that cannot be carried
// out and the reason, or (both empty) nothing.
struct CommandLineRequest {
  std::optional<BarCommand> command;
  std::string problem;  // one line in English, without the program's name
};

// The request of a command line (the arguments as one text): "--focus" or "/F" (either case)
// alone; "--search" and one blank then the query as it is (the Linux arguments joined by one
// blank), or "/S" (either case) then arguments read as CommandLineToArgvW reads them and joined
// by one blank, so that \" gives a quote and quotes only group. A query must be valid UTF-8
// without NULs, not empty and at most kMaxCommandTextCharacters long.
CommandLineRequest ReadCommandLine(std::string_view command_line);

// The usable command of a command line, or nullopt.
std::optional<BarCommand> ParseBarCommand(std::string_view command_line);

// The message for a command, and the command of a message: nullopt for anything that is not
// exactly what EncodeBarCommand writes for a command ParseBarCommand could have given.
std::string EncodeBarCommand(const BarCommand& command);
std::optional<BarCommand> DecodeBarCommand(std::string_view message);

}  // namespace velto
