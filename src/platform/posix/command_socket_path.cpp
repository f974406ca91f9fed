#include "platform/posix/command_socket_path.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "main/instance_name.h"

namespace velto {

namespace fs = std::filesystem;

std::string CommandSocketKey(const fs::path& settings_folder) {
  std::error_code ec;
  fs::path canonical = fs::weakly_canonical(settings_folder, ec);
  if (ec) canonical = fs::absolute(settings_folder, ec);
  canonical = canonical.lexically_normal();
  if (!canonical.has_filename() && canonical.has_parent_path() &&
      canonical != canonical.root_path())
    canonical = canonical.parent_path();
  return canonical.native();
}

fs::path CommandSocketPathOf(const std::string& instance_name, const std::string& runtime_dir) {
  std::error_code ec;
  const fs::path runtime(runtime_dir);
  const fs::path folder = runtime.is_absolute() ? runtime / "velto"
                                                : fs::temp_directory_path(ec) /
                                                      ("velto-" + std::to_string(::geteuid()));
  return folder / ("bar-" + instance_name + ".sock");
}

fs::path CommandSocketPathOf(const std::string& instance_name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return CommandSocketPathOf(instance_name, runtime ? runtime : "");
}

fs::path CommandSocketPath(const fs::path& settings_folder, const std::string& runtime_dir) {
  return CommandSocketPathOf(InstanceName(CommandSocketKey(settings_folder)), runtime_dir);
}

FolderFault FolderFaultOf(const struct stat* status, uid_t user) {
  if (status == nullptr) return FolderFault::Missing;
  if (!S_ISDIR(status->st_mode)) return FolderFault::NotAFolder;
  if (status->st_uid != user) return FolderFault::NotOwned;
  if ((status->st_mode & 0077) != 0) return FolderFault::NotPrivate;
  return FolderFault::None;
}

std::optional<std::string> PrivateFolderProblem(const fs::path& folder) {
  // Made with mode 0700 where missing; an existing one is taken only as it is.
  const int made = ::mkdir(folder.c_str(), 0700) == 0 ? 0 : errno;
  struct stat status {};
  const bool found = ::lstat(folder.c_str(), &status) == 0;
  const std::string& path = folder.native();
  switch (FolderFaultOf(found ? &status : nullptr, ::geteuid())) {
    case FolderFault::None:
      return std::nullopt;
    case FolderFault::Missing:
      return "the folder for the command socket does not exist and cannot be made (" +
             std::string(std::strerror(made)) + "): " + path;
    case FolderFault::NotAFolder:
      return "the place of the command socket's folder is taken by something that is not a "
             "folder: " +
             path;
    case FolderFault::NotOwned:
      return "the folder for the command socket belongs to another user: " + path;
    case FolderFault::NotPrivate:
      return "the folder for the command socket is not private to this user (others may enter "
             "it): " +
             path;
  }
  return std::nullopt;
}

}  // namespace velto
