#pragma once
// Hands addresses to the desktop's "open" command (xdg-open, found on PATH), or starts a
// browser command given as its arguments. Commands are started detached, each argument byte for
// byte and without a shell.
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
  // Starts a program (the first argument, a path or a name found on PATH) with the arguments.
  bool Start(const std::vector<std::string>& arguments);
  // Collects every started command that has ended; returns how many are still running.
  int Reap();

 private:
  std::string command_;
  std::vector<pid_t> running_;
};

}  // namespace velto
