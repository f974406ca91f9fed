#include "platform/program_folder.h"

#include <system_error>

namespace velto {

std::filesystem::path ExecutableFolder() {
  std::error_code ec;
  // The link names the executable itself, resolved, whatever the working folder or argv[0].
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return std::filesystem::current_path(ec);
  return exe.parent_path();
}

}  // namespace velto
