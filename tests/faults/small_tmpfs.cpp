#include "small_tmpfs.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace velto::test {

SmallTmpfs::SmallTmpfs(std::size_t size_kb, std::size_t inodes) {
  const std::string options =
      "size=" + std::to_string(size_kb) + "k,nr_inodes=" + std::to_string(inodes) + ",mode=0755";
  if (::mount("tmpfs", folder_.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) ==
      0) {
    mounted_ = true;
  } else {
    error_ = std::strerror(errno);
  }
}

SmallTmpfs::~SmallTmpfs() {
  if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
}

void SmallTmpfs::Fill(bool also_inodes) const {
  const std::vector<char> block(4096, 'x');
  {
    const int fd = ::open((path() / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
      while (::write(fd, block.data(), block.size()) > 0) {
      }
      // The last partial block: byte by byte until nothing more fits.
      while (::write(fd, block.data(), 1) > 0) {
      }
      ::close(fd);
    }
  }
  if (!also_inodes) return;
  for (int i = 0;; ++i) {
    const int fd =
        ::open((path() / ("empty" + std::to_string(i))).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) break;
    ::close(fd);
  }
}

}  // namespace velto::test
