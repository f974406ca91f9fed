#pragma once
// Hands addresses to the desktop's "open" command (xdg-open, found on PATH). The command is
// started detached, with the address as its one argument, byte for byte and without a shell.
// Started commands are reaped by Reap(), which the owner calls when SIGCHLD arrives, so no
// zombie stays behind while the program runs.
#include <sys/types.h>

#include <string>
#include <vector>

namespace velto {

class ShellLauncher {
 public:
  explicit ShellLauncher(std::string command = "xdg-open") : command_(std::move(command)) {}
  ShellLauncher(const ShellLauncher&) = delete;
  ShellLauncher& operator=(const ShellLauncher&) = delete;

  // Starts the command for the address; false when it could not be started.
  bool Open(const std::string& address);
  // Collects every started command that has ended; returns how many are still running.
  int Reap();

 private:
  std::string command_;
  std::vector<pid_t> running_;
};

}  // namespace velto
