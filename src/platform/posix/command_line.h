#pragma once
// The program's arguments as one text: the arguments after the program name joined by one
// blank, as the system's own command line would show them.
#include <string>

namespace velto {

std::string JoinArguments(int argc, const char* const* argv);

}  // namespace velto
