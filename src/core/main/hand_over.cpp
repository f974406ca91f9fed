#include "main/hand_over.h"

#include <algorithm>

#include "ports/start_up_host.h"

namespace velto {

int HandOver(StartUpHost& host, std::string_view instance, const BarCommand& command,
             std::chrono::milliseconds wait) {
  const std::string message = EncodeBarCommand(command);
  const auto deadline = host.Now() + wait;
  for (;;) {
    const auto left =
        std::max(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - host.Now()),
                 std::chrono::milliseconds(0));
    const HandOverTry tried = host.TryHandOver(instance, message, left);
    if (tried.outcome == HandOverTry::Outcome::Taken) return kStatusDone;
    if (tried.outcome == HandOverTry::Outcome::Refused || host.Now() >= deadline) {
      host.TellNotTaken(tried.reason);
      return kStatusNotTaken;
    }
    host.Pause(kHandOverRetry);
  }
}

}  // namespace velto
