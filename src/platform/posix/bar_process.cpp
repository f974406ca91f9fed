#include "platform/posix/bar_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <string>

extern char** environ;

namespace velto {

bool StartDetachedProgram(const std::filesystem::path& program) {
  posix_spawnattr_t attr;
  if (posix_spawnattr_init(&attr) != 0) return false;
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) {
    posix_spawnattr_destroy(&attr);
    return false;
  }
  sigset_t none;
  sigemptyset(&none);
  sigset_t all;
  sigfillset(&all);
  bool ok = posix_spawnattr_setflags(
                &attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID) == 0 &&
            posix_spawnattr_setsigmask(&attr, &none) == 0 &&
            posix_spawnattr_setsigdefault(&attr, &all) == 0;
  ok = ok &&
       posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0 &&
       posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0) == 0 &&
       posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0) == 0;
  std::string path = program.native();
  char* argv[] = {path.data(), nullptr};
  pid_t pid = 0;
  ok = ok && posix_spawn(&pid, path.c_str(), &actions, &attr, argv, environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  // The process is not waited for: this start ends at once and the bar is adopted by init.
  return ok;
}

}  // namespace velto
