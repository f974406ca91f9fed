#pragma once
// The system services the core needs, passed in explicitly. Each front end implements it over
// its own system (Win32, or Qt with POSIX services); core tests use a recording fake.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ports/engine_sources.h"
#include "settings/file_path.h"

namespace velto {

// Which of the program's windows a request belongs to (the owner of a shell call or message).
enum class WindowRole { SearchBar, SettingsDialog };

enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

class Platform {
 public:
  virtual ~Platform() = default;

  // The folder that holds the program's executable: velto.ini, log.txt and Help.html live there.
  virtual FilePath ProgramFolder() const = 0;
  // The folder that holds Help.html: the program folder, unless the system keeps the page
  // elsewhere (an installed Linux program keeps its settings per user, its page in share/).
  virtual FilePath HelpFolder() const { return ProgramFolder(); }
  // The program's command-line arguments as one text (UTF-8).
  virtual std::string CommandLine() const = 0;
  // Hands an address (UTF-8) to the shell's "open" verb; the result is not examined.
  virtual void OpenWithShell(WindowRole owner, const std::string& address) = 0;
  // Starts a browser command (a command line with "%u", main/browser_command.h) for the
  // address; false when it could not be started: not a usable command, or no such program.
  virtual bool OpenWithCommand(WindowRole owner, const std::string& command,
                               const std::string& address) = 0;
  // A message box without an icon.
  virtual MessageAnswer ShowMessage(WindowRole owner, const std::string& text,
                                    const std::string& caption, MessageButtons buttons) = 0;
  // A message with only OK that does not wait for its answer: it shows by the owner's window
  // without taking the keyboard from it, so that keys typed meanwhile (a search with F2 right
  // after F1) still reach the window that had them. A later notice replaces one still shown.
  virtual void ShowNotice(WindowRole owner, const std::string& text,
                          const std::string& caption) = 0;

  // Engines the user may import, read on first use.
  virtual EngineSources& Engines() = 0;
  // Asks which of the offered engines to add: one flag per row, or nullopt when the user
  // declined. Modal to the owner's window.
  virtual std::optional<std::vector<bool>> ChooseEngines(WindowRole owner,
                                                         const EngineChoice& choice) = 0;
};

}  // namespace velto
