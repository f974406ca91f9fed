#pragma once
// A later start's end of the command socket: one try to hand a command message to the bar
// listening at a path. The waits and retries between tries are the start-up sequence's.
#include <chrono>
#include <filesystem>
#include <string>

#include "ports/start_up_host.h"

namespace velto {

// Connects once. Nobody listening (no socket, or a socket nobody accepts on, or a full queue
// of connections) is NobodyListening. Once connected, waits at most greeting_wait for the bar
// to take the connection; nothing is sent before it has, so a start that gives up here leaves
// the bar nothing to carry out. From there the bar answers or hangs up within its own short
// wait, so its answer is awaited as long as it takes.
HandOverTry TrySendBarCommand(const std::filesystem::path& socket_path, const std::string& message,
                              std::chrono::milliseconds greeting_wait);

}  // namespace velto
