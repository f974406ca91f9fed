#pragma once
// The raw argument text of a Windows command line: what follows the program name and the one
// blank that separates it from the arguments. Further blanks belong to the arguments, so
// "velto.exe  /D" has the arguments " /D", which do not start with the switch.
#include <string_view>

namespace velto::win32 {

std::wstring_view ArgumentText(std::wstring_view command_line);

}  // namespace velto::win32
