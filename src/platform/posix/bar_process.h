#pragma once
// A new process of the program for the bar, started by a start that has a command to hand over.
#include <filesystem>

namespace velto {

// Starts the program without arguments in a session of its own, with no signal blocked, its
// standard input, output and error on /dev/null: whoever waits on the starting process's
// output or terminal is not kept waiting by the bar. True when it was started.
bool StartDetachedProgram(const std::filesystem::path& program);

}  // namespace velto
