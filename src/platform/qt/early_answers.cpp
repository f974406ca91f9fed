#include "platform/qt/early_answers.h"

#include <string>
#include <vector>

#include "main/bar_command.h"
#include "main/program_info.h"
#include "platform/posix/command_line.h"

namespace velto {

std::optional<int> AnswerBeforeStart(int argc, const char* const* argv, const DisplayProbes& probes,
                                     std::ostream& out, std::ostream& err) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  switch (StartRequestFromArguments(args)) {
    case StartRequest::PrintVersion:
      out << VersionText("velto");
      return 0;
    case StartRequest::PrintHelp:
      out << SearchBarHelpText(HelpSystem::Linux);
      return 0;
    case StartRequest::RunSearchBar:
      break;
  }
  // A command that cannot be carried out is refused here, bar or no bar: nothing is started
  // for it and nothing is handed over.
  if (const auto request = ReadCommandLine(JoinArguments(argc, argv)); !request.problem.empty()) {
    err << "velto: " << request.problem << "\n";
    return 2;
  }
  if (const auto missing = MissingDisplay(DisplayEnvironmentOfProcess(argc, argv), probes)) {
    err << "velto: " << *missing << "\n";
    return 1;
  }
  return std::nullopt;
}

}  // namespace velto
