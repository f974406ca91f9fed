#pragma once
// A drop, as the front ends hand it to the core: its plain text, if any, and its file list.
#include <optional>
#include <string>
#include <vector>

#include "settings/file_path.h"

namespace velto {

struct DropData {
  std::optional<std::string> text;  // UTF-8
  std::vector<FilePath> files;      // in the order the source gave them
};

}  // namespace velto
