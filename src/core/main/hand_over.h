#pragma once
// A later start's part: hand the command to the running bar and end with a status that never
// contradicts what the bar does.
#include <chrono>
#include <string_view>

#include "main/bar_command.h"

namespace velto {

class StartUpHost;

// The exit statuses of a start that hands a command over (2, a command that cannot be carried
// out, is answered before any of this).
inline constexpr int kStatusDone = 0;
inline constexpr int kStatusNotTaken = 1;

// How long a later start waits for the running bar to listen: it holds the claim before it
// listens, so it may still be starting.
inline constexpr std::chrono::milliseconds kHandOverWait{5000};
// A bar this very start has just started has a cold start ahead of it on a busy machine.
inline constexpr std::chrono::milliseconds kStartedBarWait{20000};
inline constexpr std::chrono::milliseconds kHandOverRetry{20};

// Tries until the bar takes the command, refuses it or the wait is over, a short pause between
// tries; tells the caller why when it was not taken.
int HandOver(StartUpHost& host, std::string_view instance, const BarCommand& command,
             std::chrono::milliseconds wait);

}  // namespace velto
