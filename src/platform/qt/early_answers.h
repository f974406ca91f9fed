#pragma once
// Starts of velto that end before any window, lock or settings file: asked for the version or
// the help, given a search that cannot be carried out (status 2), or started where no display
// can be reached.
#include <optional>
#include <ostream>

#include "platform/qt/display_check.h"

namespace velto {

// The exit status of such a start, its answer written to out or err; nothing when the search
// bar is to run.
std::optional<int> AnswerBeforeStart(int argc, const char* const* argv, const DisplayProbes& probes,
                                     std::ostream& out, std::ostream& err);

}  // namespace velto
