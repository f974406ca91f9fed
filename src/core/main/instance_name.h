#pragma once
// The name of a settings folder's one running bar, the same in every process that starts for
// that folder: what a later start finds the bar by (the Windows mutex and command window, the
// Linux command socket). A hash, so that any folder fits a kernel object or socket name.
#include <string>
#include <string_view>

namespace velto {

// 16 lowercase hexadecimal digits: FNV-1a (64 bits) over the bytes of the folder's key, its
// one spelling as the platform gives it (StartUpHost::InstanceKey).
std::string InstanceName(std::string_view folder_key);

}  // namespace velto
