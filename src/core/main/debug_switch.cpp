#include "main/debug_switch.h"

#include "settings/ascii_text.h"

namespace velto {

bool HasDebugSwitch(std::string_view command_line) {
  return command_line.size() >= 2 && command_line[0] == '/' && AsciiUpper(command_line[1]) == 'D';
}

}  // namespace velto
