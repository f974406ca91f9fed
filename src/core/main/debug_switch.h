#pragma once
// The "/D" command-line switch: the first two characters of the arguments, upper-cased, are
// "/D". It shows the special-interest menu entries and makes the shutdown write the log.
#include <string_view>

namespace velto {

bool HasDebugSwitch(std::string_view command_line);

}  // namespace velto
