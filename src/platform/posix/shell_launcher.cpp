#include "platform/posix/shell_launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>

extern char** environ;

namespace velto {
namespace {

// RAII for the two spawn descriptions.
class SpawnAttributes {
 public:
  SpawnAttributes() { ok_ = posix_spawnattr_init(&attr_) == 0; }
  ~SpawnAttributes() {
    if (ok_) posix_spawnattr_destroy(&attr_);
  }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
  bool ok() const { return ok_; }
  posix_spawnattr_t* get() { return &attr_; }

 private:
  posix_spawnattr_t attr_{};
  bool ok_ = false;
};

class SpawnFileActions {
 public:
  SpawnFileActions() { ok_ = posix_spawn_file_actions_init(&actions_) == 0; }
  ~SpawnFileActions() {
    if (ok_) posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnFileActions(const SpawnFileActions&) = delete;
  SpawnFileActions& operator=(const SpawnFileActions&) = delete;
  bool ok() const { return ok_; }
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_{};
  bool ok_ = false;
};

}  // namespace

bool ShellLauncher::Open(const std::string& address) {
  return Start({command_, address});
}

bool ShellLauncher::Start(const std::vector<std::string>& arguments) {
  Reap();
  if (arguments.empty() || arguments.front().empty()) return false;
  SpawnAttributes attr;
  SpawnFileActions actions;
  if (!attr.ok() || !actions.ok()) return false;

  // The program blocks the signals it reads through a descriptor; the browser must start with
  // none blocked and every signal at its default. Its own session keeps it alive when the
  // terminal that started the search bar goes.
  sigset_t none;
  sigemptyset(&none);
  sigset_t all;
  sigfillset(&all);
  short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID;
  if (posix_spawnattr_setflags(attr.get(), flags) != 0 ||
      posix_spawnattr_setsigmask(attr.get(), &none) != 0 ||
      posix_spawnattr_setsigdefault(attr.get(), &all) != 0)
    return false;
  // No reading from the terminal the search bar may have been started from.
  posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);

  std::vector<std::string> copies = arguments;
  std::vector<char*> argv;
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  // A program that cannot be run (missing, not executable) is told here: the C library reports
  // the failure of the new program's start.
  int rc =
      posix_spawnp(&pid, copies.front().c_str(), actions.get(), attr.get(), argv.data(), environ);
  if (rc != 0) return false;
  running_.push_back(pid);
  return true;
}

int ShellLauncher::Reap() {
  std::erase_if(running_, [](pid_t pid) {
    int status = 0;
    pid_t rc;
    do {
      rc = ::waitpid(pid, &status, WNOHANG);
    } while (rc < 0 && errno == EINTR);
    // Gone (rc == pid) or not our child any more (ECHILD): either way nothing to wait for.
    return rc != 0;
  });
  return static_cast<int>(running_.size());
}

}  // namespace velto
