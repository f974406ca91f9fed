#include "command_line_answer.h"

#include <windows.h>

#include <string>
#include <vector>

#include "main/bar_command.h"
#include "main/program_info.h"
#include "platform/win32/command_line.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {
namespace {

std::string FirstArgument(std::wstring_view arguments) {
  const auto begin = arguments.find_first_not_of(L" \t");
  if (begin == std::wstring_view::npos) return {};
  arguments.remove_prefix(begin);
  return Utf8FromWide(arguments.substr(0, arguments.find_first_of(L" \t")));
}

// A pipe or a file takes UTF-8 as it is; a console shows UTF-16.
bool WriteToStandardHandle(DWORD which, const std::string& text) {
  const HANDLE out = GetStdHandle(which);
  DWORD mode = 0;
  if (out == nullptr || out == INVALID_HANDLE_VALUE || GetConsoleMode(out, &mode)) return false;
  DWORD written = 0;
  return WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0;
}

bool WriteToParentConsole(const std::string& text) {
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
  const HANDLE raw =
      CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  bool done = false;
  if (raw != INVALID_HANDLE_VALUE) {
    const UniqueKernelHandle console(raw);
    const std::wstring wide = WideFromUtf8(text);
    DWORD written = 0;
    done = WriteConsoleW(console.get(), wide.data(), static_cast<DWORD>(wide.size()), &written,
                         nullptr) != 0;
  }
  FreeConsole();
  return done;
}

// To the redirected output, else the console the program was started from, else a message box:
// the same way for an answer and for a complaint, so that a script that redirects gets both and
// a start from a shortcut sees both.
void Tell(const std::string& text, bool complaint, bool box = true) {
  if (WriteToStandardHandle(complaint ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE, text) ||
      WriteToParentConsole(text) || !box)
    return;
  MessageBoxW(nullptr, WideFromUtf8(text).c_str(), L"ヴェルト",
              MB_OK | (complaint ? MB_ICONWARNING : MB_ICONINFORMATION));
}

}  // namespace

std::optional<int> AnswerBeforeStart(std::wstring_view arguments) {
  const std::vector<std::string> args{FirstArgument(arguments)};
  std::string text;
  switch (StartRequestFromArguments(args)) {
    case StartRequest::PrintVersion:
      text = VersionText("velto.exe");
      break;
    case StartRequest::PrintHelp:
      text = SearchBarHelpText(HelpSystem::Windows);
      break;
    case StartRequest::RunSearchBar: {
      // A command that cannot be carried out is refused, bar or no bar: nothing is started
      // for it and nothing is handed over.
      const CommandLineRequest request =
          ReadCommandLine(Utf8FromWide(ArgumentText(GetCommandLineW())));
      if (request.problem.empty()) return std::nullopt;
      Tell("velto.exe: " + request.problem + "\n", true);
      return 2;
    }
  }
  Tell(text, false);
  return 0;
}

void TellCommandNotTaken() {
  Tell("velto.exe: the running search bar did not take the command\n", true, false);
}

void TellCommandRefused(std::string_view problem) {
  Tell("velto.exe: " + std::string(problem) + "\n", true);
}

}  // namespace velto::win32
