#include "main/program_info.h"

#include "velto_version.h"

namespace velto {

std::string_view ProgramVersion() {
  return VELTO_VERSION;
}

StartRequest StartRequestFromArguments(std::span<const std::string> args) {
  if (args.empty()) return StartRequest::RunSearchBar;
  const std::string_view first = args.front();
  if (first == "--version") return StartRequest::PrintVersion;
  // "/?" is how Windows programs are asked for their usage.
  if (first == "--help" || first == "-h" || first == "/?") return StartRequest::PrintHelp;
  return StartRequest::RunSearchBar;
}

std::string VersionText(std::string_view program) {
  return std::string(program) + " " + std::string(ProgramVersion()) + "\n";
}

std::string SearchBarHelpText(HelpSystem system) {
  const bool windows = system == HelpSystem::Windows;
  const std::string name = windows ? "velto.exe" : "velto";
  const std::string focus = windows ? "/F" : "--focus";
  const std::string search = windows ? "/S TEXT" : "--search TEXT";
  // One option per line, its text in the second column, or below it when the option is long.
  const auto option = [](const std::string& flag, std::string_view what) {
    const std::string gap =
        flag.size() < 12 ? std::string(12 - flag.size(), ' ') : "\n" + std::string(14, ' ');
    return "  " + flag + gap + std::string(what) + "\n";
  };
  std::string text = "usage: " + name + " [/D]\n       " + name + " " + focus + " | " + search +
                     "\n       " + name + " --help | --version\n\n";
  text +=
      "Starts the search bar ヴェルト (Velto). One search bar runs per settings folder;\n"
      "a second start ends at once, handing its command, if any, to the running one.\n"
      "\n"
      "  /D          arguments beginning with /D or /d: the menu shows its third group of\n"
      "              searches, and the log of queries is written at every close\n";
  text += option(focus, "bring the search bar forward with its query selected");
  text += option(search, "search TEXT (at most 32,767 characters) with the default button");
  text +=
      "  --help      show this text and exit\n"
      "  --version   print the version and exit\n"
      "\n"
      "Other arguments are ignored.\n"
      "Exit status: 0 when the search bar ran or the running one took the command,\n"
      "1 when it did not, 2 when TEXT is empty, too long or not UTF-8.\n";
  text += windows ? "Settings (velto.ini) and the log (log.txt) are kept in the program's folder.\n"
                  : "Settings (velto.ini) and the log (log.txt) are kept in the program's folder "
                    "or, for an\n"
                    "installed program, in $XDG_CONFIG_HOME/velto (~/.config/velto).\n"
                    "See velto(1) and velto-config(1).\n";
  return text;
}

}  // namespace velto
