#include "platform/win32/command_line.h"

#include "settings/ascii_text.h"

namespace velto::win32 {

std::wstring_view ArgumentText(std::wstring_view command_line) {
  std::size_t end = 0;
  if (!command_line.empty() && command_line.front() == L'"') {
    // A quoted program name runs to the closing quote; blanks inside it are part of it.
    const std::size_t close = command_line.find(L'"', 1);
    end = close == std::wstring_view::npos ? command_line.size() : close + 1;
  } else {
    while (end < command_line.size() && !IsBlank(command_line[end])) ++end;
  }
  if (end < command_line.size() && IsBlank(command_line[end])) ++end;
  return command_line.substr(end);
}

}  // namespace velto::win32
