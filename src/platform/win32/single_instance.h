#pragma once
// One running search bar per program folder: a named mutex whose name is derived from the
// folder, held for the life of this object.
#include <string>

#include "platform/win32/handles.h"
#include "settings/file_path.h"

namespace velto::win32 {

// The mutex name for a program folder: case-insensitive, as Windows paths are.
std::wstring InstanceMutexName(const FilePath& folder);

class SingleInstance {
 public:
  explicit SingleInstance(FilePath folder) : folder_(std::move(folder)) {}
  // True when this process holds the claim (also when it already held it).
  bool Claim();

 private:
  FilePath folder_;
  UniqueKernelHandle mutex_;
};

}  // namespace velto::win32
