#pragma once
// One running search bar per program folder: an exclusive lock on the folder itself, held
// until the lock object goes. Locking the folder writes nothing into it and also works where
// the folder is read-only.
#include <filesystem>

#include "platform/posix/unique_fd.h"

namespace velto {

class InstanceLock {
 public:
  // Tries once, without waiting.
  explicit InstanceLock(const std::filesystem::path& folder);

  // True when this process holds the lock. False when another process holds it; also true
  // when the folder cannot be opened at all, since nothing else could lock it either.
  bool held() const { return held_; }

 private:
  UniqueFd fd_;
  bool held_ = false;
};

}  // namespace velto
