#pragma once
// velto.exe --version and --help, and a search that cannot be carried out: answered without a
// window. A GUI program has no console of its own, so the text goes to redirected standard
// output (standard error for a complaint), else to the console it was started from, else into
// a message box.
#include <optional>
#include <string_view>

namespace velto::win32 {

// The exit status when the arguments ask for the version or the help (0) or name a search that
// cannot be carried out (2); nothing otherwise.
std::optional<int> AnswerBeforeStart(std::wstring_view arguments);

// A later start whose command the running bar did not take says so where a script or a console
// sees it; without either it stays silent (the status is 1), since a message box would hold
// up whatever started it.
void TellCommandNotTaken();

// A command refused before the start goes on (a search with a settings file that cannot be
// read), told as a command-line error is: "velto.exe: " and the problem.
void TellCommandRefused(std::string_view problem);

}  // namespace velto::win32
