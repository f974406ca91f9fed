#pragma once
// Commands a later start of the program hands to the running search bar: bring it forward
// with the query box focused, or search a text with the default button. The same command is
// read from the command line ("--focus", "--search TEXT", "/F", "/S TEXT") and travels between
// the two processes as one short message.
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

// The longest query a command carries; a longer one is no command. A message is never longer
// than the query plus kCommandHeaderBytes.
inline constexpr std::size_t kMaxCommandTextBytes = 4000;
inline constexpr std::size_t kCommandHeaderBytes = 8;
inline constexpr std::size_t kMaxCommandMessageBytes = kMaxCommandTextBytes + kCommandHeaderBytes;

// The command of a command line (the arguments as one text), or nullopt when it names none:
// "--focus" or "/F" (either case) alone; "--search" and one blank, or "/S" (either case) and
// blanks, then a query of valid UTF-8 without NULs, at most kMaxCommandTextBytes long. A query
// after "/S" that is wrapped in double quotes loses them, as the Windows command line writes it.
std::optional<BarCommand> ParseBarCommand(std::string_view command_line);

// The message for a command, and the command of a message: nullopt for anything that is not
// exactly what EncodeBarCommand writes for a command ParseBarCommand could have given.
std::string EncodeBarCommand(const BarCommand& command);
std::optional<BarCommand> DecodeBarCommand(std::string_view message);

}  // namespace velto
