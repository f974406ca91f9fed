#pragma once
// Commands between two starts of the Linux program for the same settings folder: the running
// bar listens on a Unix socket named after that folder, in a folder only its user may enter;
// a later start connects, waits for the bar's greeting, writes one command message and waits
// for the answer. The bar carries out exactly the commands it answered.
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "main/bar_command.h"
#include "platform/posix/unique_fd.h"

namespace velto {

// Where the bar of a settings folder listens: $XDG_RUNTIME_DIR/velto (or, without one,
// /tmp/velto-UID), a file named by a hash of the folder's canonical path, so that any folder
// fits a socket address. runtime_dir is $XDG_RUNTIME_DIR; only an absolute path counts.
std::filesystem::path CommandSocketPath(const std::filesystem::path& settings_folder,
                                        const std::string& runtime_dir);
std::filesystem::path CommandSocketPath(const std::filesystem::path& settings_folder);

// What is wrong with the folder of the socket, if anything: it must be a folder (not a link)
// owned by this user that nobody else may enter. status is the folder's lstat, null when it
// does not exist.
enum class FolderFault { None, Missing, NotAFolder, NotOwned, NotPrivate };
FolderFault FolderFaultOf(const struct stat* status, uid_t user);

// Makes the folder (mode 0700) where it is missing, then names its fault in English, if any.
std::optional<std::string> PrivateFolderProblem(const std::filesystem::path& folder);

// Hands the command to the bar listening at the path. Gives up when the bar has not greeted
// the connection within `wait` (it may still be starting, or busy with a burst of commands);
// once greeted, waits for its answer. nullopt when the bar took the command and will carry it
// out; else why not, in English, and the bar will not.
std::optional<std::string> SendBarCommand(const std::filesystem::path& socket_path,
                                          const BarCommand& command,
                                          std::chrono::milliseconds wait = std::chrono::seconds(5));

// A later start's part, for a bar whose instance lock is held elsewhere: hands the command,
// if any, to the running bar. The program's exit status: 0 when there was none or it was taken,
// 1 with a line on stderr when it was not.
int HandOverCommand(const std::filesystem::path& settings_folder,
                    const std::optional<BarCommand>& command);

// The running bar's end. Made while this process holds the instance lock, so a socket file
// left at the path by a bar that was killed is stale and is replaced. Removed again on the way
// out.
class CommandListener {
 public:
  explicit CommandListener(std::filesystem::path socket_path);
  ~CommandListener();
  CommandListener(const CommandListener&) = delete;
  CommandListener& operator=(const CommandListener&) = delete;

  bool listening() const { return fd_.valid(); }
  // Readable when a connection waits.
  int fd() const { return fd_.get(); }

  // Takes one waiting connection, greets it and reads its message (one bounded message, at most
  // a short while); answers and returns the command, or closes the connection without an
  // answer and returns nullopt for anything malformed, too long, slow, from another user or
  // from a client that has gone.
  std::optional<BarCommand> Receive();

 private:
  std::filesystem::path path_;
  UniqueFd fd_;
};

}  // namespace velto
