#include "platform/win32/win32_platform.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <optional>

#include "main/browser_command.h"
#include "platform/program_folder.h"
#include "platform/win32/command_line.h"
#include "platform/win32/engine_chooser.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {

namespace {

std::size_t Slot(WindowRole role) {
  return role == WindowRole::SearchBar ? 0 : 1;
}

// The longest address handed to ShellExecuteW. Wine's shell (8.0) builds the handler's command
// line with the address put in, in a buffer of about 1,024 characters: behind winebrowser's
// 40-character command, addresses of up to 984 characters arrive whole, 985 to 995 arrive cut
// to their scheme, 996 fails and 997 or more crash the program. Longer addresses go to the
// handler directly, well before that point.
constexpr std::size_t kShellExecuteLimit = 512;

// Starts a command line detached; false when the program could not be started.
bool StartProcess(const std::wstring& command_line) {
  // CreateProcessW may write into the line; the limit of a command line is 32,767 characters.
  if (command_line.size() >= 32767) return false;
  std::wstring line = command_line;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    return false;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

// ASSOCF_IS_PROTOCOL: the user's choice of handler of a URL scheme (Windows 8 and later; earlier
// systems refuse the flag, and the scheme's own key answers).
constexpr ASSOCF kAssocIsProtocol = 0x00001000;

// The "open" command registered for the address's URL scheme ("http" for "http://...").
std::optional<std::wstring> SchemeHandler(const std::wstring& address) {
  const std::size_t colon = address.find(L':');
  if (colon == std::wstring::npos || colon == 0) return std::nullopt;
  const std::wstring scheme = address.substr(0, colon);
  const SystemLibrary shlwapi(L"shlwapi.dll");
  const auto query = shlwapi.Find<decltype(&::AssocQueryStringW)>("AssocQueryStringW");
  if (query == nullptr) return std::nullopt;
  for (const ASSOCF flags : {kAssocIsProtocol, ASSOCF(ASSOCF_NONE)}) {
    std::wstring command(4096, L'\0');
    DWORD size = static_cast<DWORD>(command.size());
    if (FAILED(query(flags, ASSOCSTR_COMMAND, scheme.c_str(), L"open", command.data(), &size)))
      continue;
    command.resize(wcslen(command.c_str()));
    if (!command.empty()) return command;
  }
  return std::nullopt;
}

}  // namespace

Win32Platform::Win32Platform() : folder_(ExecutableFolder()) {}

void Win32Platform::SetOwnerWindow(WindowRole role, HWND window) {
  owners_[Slot(role)] = window;
}

HWND Win32Platform::Owner(WindowRole role) const {
  return owners_[Slot(role)];
}

std::string Win32Platform::CommandLine() const {
  return Utf8FromWide(ArgumentText(GetCommandLineW()));
}

void Win32Platform::OpenWithShell(WindowRole owner, const std::string& address) {
  // The wide call hands any script to the browser whole; the result is not examined.
  const std::wstring wide = WideFromUtf8(address);
  // The shell puts the address into the handler's command line as it stands, so a quote in it
  // (a phrase query) ends the argument early: such an address, like a long one, goes straight to
  // its scheme's handler as one properly quoted argument.
  const bool has_quote = wide.find(L'"') != std::wstring::npos;
  if (wide.size() <= kShellExecuteLimit && !has_quote) {
    ShellOpen(owner, wide);
    return;
  }
  const auto handler = SchemeHandler(wide);
  const auto line =
      handler ? HandlerCommandLine(Utf8FromWide(*handler), address) : std::optional<std::string>{};
  if (line && StartProcess(WideFromUtf8(*line))) return;
  // No handler of our own reach (a scheme served through the shell alone): a short address
  // still goes to the shell.
  if (wide.size() <= kShellExecuteLimit) ShellOpen(owner, wide);
}

HINSTANCE Win32Platform::ShellOpen(WindowRole owner, const std::wstring& address) {
  if (!shell_) shell_ = std::make_unique<SystemLibrary>(L"shell32.dll");
  const auto execute = shell_->Find<decltype(&::ShellExecuteW)>("ShellExecuteW");
  if (execute == nullptr) return nullptr;
  return execute(Owner(owner), L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

bool Win32Platform::OpenWithCommand(WindowRole, const std::string& command,
                                    const std::string& address) {
  const auto line = WindowsCommandLine(command, address);
  return line && StartProcess(WideFromUtf8(*line));
}

MessageAnswer Win32Platform::ShowMessage(WindowRole owner, const std::string& text,
                                         const std::string& caption, MessageButtons buttons) {
  const UINT type = buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK;
  const int answer =
      MessageBoxW(Owner(owner), WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(), type);
  return answer == IDOK ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void Win32Platform::ShowNotice(WindowRole owner, const std::string& text,
                               const std::string& caption) {
  notice_.Show(Owner(owner), WideFromUtf8(text), WideFromUtf8(caption));
}

EngineSources& Win32Platform::Engines() {
  if (!import_) import_ = std::make_unique<ImportModule>(folder_);
  return *import_;
}

std::optional<std::vector<bool>> Win32Platform::ChooseEngines(WindowRole owner,
                                                              const EngineChoice& choice) {
  return AskForEngines(Owner(owner), choice);
}

}  // namespace velto::win32
