#pragma once
// Where the running Linux bar of a settings folder listens for later starts:
// $XDG_RUNTIME_DIR/velto (or, without one, /tmp/velto-UID), in a file named after the
// folder's instance name, in a folder only its user may enter.
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>

namespace velto {

// The settings folder in one spelling: links resolved, "." and ".." parts and a trailing
// separator dropped. The instance name is made from it.
std::string CommandSocketKey(const std::filesystem::path& settings_folder);

// The socket of an instance name. runtime_dir is $XDG_RUNTIME_DIR; only an absolute path
// counts.
std::filesystem::path CommandSocketPathOf(const std::string& instance_name,
                                          const std::string& runtime_dir);
std::filesystem::path CommandSocketPathOf(const std::string& instance_name);
// The socket of a settings folder, through its instance name.
std::filesystem::path CommandSocketPath(const std::filesystem::path& settings_folder,
                                        const std::string& runtime_dir);

// What is wrong with the folder of the socket, if anything: it must be a folder (not a link)
// owned by this user that nobody else may enter. status is the folder's lstat, null when it
// does not exist.
enum class FolderFault { None, Missing, NotAFolder, NotOwned, NotPrivate };
FolderFault FolderFaultOf(const struct stat* status, uid_t user);

// Makes the folder (mode 0700) where it is missing, then names its fault in English, if any.
std::optional<std::string> PrivateFolderProblem(const std::filesystem::path& folder);

}  // namespace velto
