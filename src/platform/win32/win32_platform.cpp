#include "platform/win32/win32_platform.h"

#include <shellapi.h>

#include "platform/program_folder.h"
#include "platform/win32/command_line.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {

namespace {
std::size_t Slot(WindowRole role) {
  return role == WindowRole::SearchBar ? 0 : 1;
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
  ShellExecuteW(Owner(owner), L"open", WideFromUtf8(address).c_str(), nullptr, nullptr, SW_SHOW);
}

MessageAnswer Win32Platform::ShowMessage(WindowRole owner, const std::string& text,
                                         const std::string& caption, MessageButtons buttons) {
  const UINT type = buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK;
  const int answer =
      MessageBoxW(Owner(owner), WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(), type);
  return answer == IDOK ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

}  // namespace velto::win32
