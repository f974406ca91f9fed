#pragma once
// What reading one source of engines gives: the engines, those it already knows it cannot use,
// or why the source itself cannot be read.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "settings/engine_import.h"

namespace velto {

struct FoundEngines {
  std::vector<FoundEngine> engines;
  std::vector<SkippedEngine> skipped;
  // Set when the source is damaged or no source of its kind: nothing of it is used.
  std::optional<std::string> error;

  static FoundEngines Failure(std::string message) {
    FoundEngines failed;
    failed.error = std::move(message);
    return failed;
  }
  // Adds another source's findings; its error, if any, becomes this one's.
  void Add(FoundEngines&& more);
};

// The most engines one file may hold; a browser holds a few dozen. More is no file a browser
// wrote, and reading on would only fill the output.
inline constexpr std::size_t kMostEnginesInAFile = 1000;
// The largest file read: the browsers' files are a few megabytes at most.
inline constexpr std::size_t kLargestSourceFile = 256u << 20;

}  // namespace velto
