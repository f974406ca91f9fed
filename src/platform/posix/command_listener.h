#pragma once
// The running bar's end of the command socket. Made while this process holds the instance
// claim, so a socket file left at the path by a bar that was killed is stale and is replaced.
// Removed again on the way out.
#include <filesystem>
#include <optional>

#include "main/bar_command.h"
#include "platform/posix/unique_fd.h"

namespace velto {

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
