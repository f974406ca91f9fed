#pragma once
// The browser command: a command line the user sets, with "%u" where the address goes. No shell
// ever reads it, and the address is always exactly one argument, whatever it holds.
//
// Both spellings read the field codes of a desktop entry's Exec line: "%u" and "%U" are the
// address (a list of one), "%%" is a literal "%", and the codes that expand to nothing here (the
// deprecated %d %D %n %N %v %m, and %i %c %k of an entry this program does not have) are
// dropped, an argument of nothing else with them. "%f" and "%F" stand for a local file's name,
// which a search address is not: a command with them is refused rather than handed a web
// address as a file. A command is refused (nullopt) too when it names no program, has no
// address or two, has the address in its program name, inside quotes or in an argument written
// with apostrophes (which quote nothing, and would reach the browser as part of the address),
// holds a "%" code of no meaning, or leaves a quote open.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velto {

// Linux: the command split like the Exec key of a desktop file. Arguments are separated by
// blanks; double quotes group, and inside them a backslash makes the next '"', '`', '$' or '\'
// literal. "%u" may stand alone or within an unquoted argument ("--url=%u"); either way the
// address never splits. The first element is the program.
std::optional<std::vector<std::string>> ExecArguments(std::string_view command,
                                                      std::string_view address);

// Windows: the command line as written, each "%u" replaced by the address quoted so that
// CommandLineToArgvW reads it back as one argument, unchanged.
std::optional<std::string> WindowsCommandLine(std::string_view command, std::string_view address);

// Why a command is refused; None for one the rules accept (which may still fail to start).
enum class CommandFault {
  None,
  NoProgram,             // nothing, or only an empty quoted name, before the arguments
  NoAddress,             // no "%u" anywhere
  AddressInProgram,      // "%u" within the program's name
  AddressInQuotes,       // "%u" inside double quotes
  OpenQuote,             // a double quote that is never closed
  AddressInApostrophes,  // "%u" in an argument with an apostrophe ('%u')
  SecondAddress,         // "%u" or "%U" more than once
  FileCode,              // "%f" or "%F": a file's name, not an address
  UnknownCode,           // "%" before a character that is no field code, or at the end
};
// The fault by the rules of each spelling, and by those of the system this program runs on.
CommandFault ExecCommandFault(std::string_view command);
CommandFault WindowsCommandFault(std::string_view command);
CommandFault BrowserCommandFault(std::string_view command);

// One argument quoted for CommandLineToArgvW: in double quotes, each '"' escaped, and the
// backslashes that come before a '"' (or before the closing quote) doubled.
std::string QuoteWindowsArgument(std::string_view argument);

// The command line of an address's scheme handler as the system registers it ("open" command
// with "%1", or "%L"), with the address put in as one argument. "%*" (further arguments) goes.
// A handler that takes the rest of the line as its argument ("--single-argument %1") gets the
// address as it stands; nullopt when the handler has no place for the address.
std::optional<std::string> HandlerCommandLine(std::string_view handler, std::string_view address);

}  // namespace velto
