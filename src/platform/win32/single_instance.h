#pragma once
// One running search bar per program folder: a named mutex whose name is the folder's instance
// name, held until released or the end of this object.
#include <string>

#include "platform/win32/handles.h"
#include "settings/file_path.h"

namespace velto::win32 {

// The folder in one spelling, upper case as Windows compares names, in UTF-8: what the
// instance name is made from.
std::string InstanceKeyOf(const FilePath& folder);

// The mutex name for an instance name, and for a program folder through its instance name.
std::wstring InstanceMutexNameOf(const std::string& instance_name);
std::wstring InstanceMutexName(const FilePath& folder);

class SingleInstance {
 public:
  explicit SingleInstance(std::wstring mutex_name) : name_(std::move(mutex_name)) {}
  // True when this process holds the claim (also when it already held it).
  bool Claim();
  void Release() { mutex_.reset(); }

 private:
  std::wstring name_;
  UniqueKernelHandle mutex_;
};

}  // namespace velto::win32
