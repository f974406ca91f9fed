#pragma once
// What the programs say about themselves on the command line: their version and the search
// bar's help, and which of these a start asks for.
#include <span>
#include <string>
#include <string_view>

namespace velto {

// The version of both programs, from the build's project version.
std::string_view ProgramVersion();

// What a start of the search bar asks for by its first argument. Any other argument, unknown
// options included, leaves the search bar to run and to read its "/D" switch as always.
enum class StartRequest { RunSearchBar, PrintVersion, PrintHelp };
StartRequest StartRequestFromArguments(std::span<const std::string> args);

// The systems whose spelling the help uses: program name and where the settings live.
enum class HelpSystem { Linux, Windows };

// One line: the program name and its version.
std::string VersionText(std::string_view program);

// The search bar's command line: its switch, its options and where its settings live.
std::string SearchBarHelpText(HelpSystem system);

}  // namespace velto
