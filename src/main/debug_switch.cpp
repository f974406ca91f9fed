#include "main/debug_switch.h"

namespace velto {

bool HasDebugSwitch(std::string_view command_line) {
  return command_line.size() >= 2 && command_line[0] == '/' &&
         (command_line[1] == 'D' || command_line[1] == 'd');
}

}  // namespace velto
