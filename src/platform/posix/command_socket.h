#pragma once
// Commands between two starts of the Linux program for the same settings folder: the running
// bar listens on a Unix socket named after that folder, in a folder only its user may enter;
// a later start connects, writes one command message and waits for the bar's answer.
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

// Hands the command to the bar listening at the path and waits for its answer, at most `wait`
// in all (the bar may still be starting). nullopt when it was taken; else why not, in English.
std::optional<std::string> SendBarCommand(const std::filesystem::path& socket_path,
                                          const BarCommand& command,
                                          std::chrono::milliseconds wait = std::chrono::seconds(1));

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

  // Takes one waiting connection and reads its message (one bounded message, at most a short
  // while); answers and returns the command, or closes the connection without an answer and
  // returns nullopt for anything malformed, too long, slow or from another user.
  std::optional<BarCommand> Receive();

 private:
  std::filesystem::path path_;
  UniqueFd fd_;
};

}  // namespace velto
