#include "platform/posix/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

namespace velto {

InstanceLock::InstanceLock(const std::filesystem::path& folder) {
  // Close-on-exec: a browser started through xdg-open must not inherit the lock and keep the
  // next start of the search bar from running after this one has ended.
  fd_ = UniqueFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd_.valid()) {
    held_ = true;
    return;
  }
  int rc;
  do {
    rc = ::flock(fd_.get(), LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  // Only "somebody else holds it" means a second instance; a file system without locks
  // must not keep the program from starting.
  held_ = rc == 0 || errno != EWOULDBLOCK;
}

}  // namespace velto
