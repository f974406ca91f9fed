#include "command_line_answer.h"

#include <windows.h>

#include <string>
#include <vector>

#include "main/program_info.h"
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
bool WriteToStandardOutput(const std::string& text) {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
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
    case StartRequest::RunSearchBar:
      return std::nullopt;
  }
  if (!WriteToStandardOutput(text) && !WriteToParentConsole(text)) {
    MessageBoxW(nullptr, WideFromUtf8(text).c_str(), L"ヴェルト", MB_OK | MB_ICONINFORMATION);
  }
  return 0;
}

}  // namespace velto::win32
