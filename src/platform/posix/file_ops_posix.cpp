#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/posix/posix_file_system.h"
#include "ports/temp_file_name.h"

namespace velto {

FileInfo PosixFileSystem::InspectFile(const FilePath& path) {
  struct stat st {};
  FileInfo info;
  if (::stat(path.c_str(), &st) != 0) {
    info.kind = (errno == ENOENT || errno == ENOTDIR) ? FileKind::Missing : FileKind::Other;
    return info;
  }
  info.kind = S_ISREG(st.st_mode)   ? FileKind::File
              : S_ISDIR(st.st_mode) ? FileKind::Folder
                                    : FileKind::Other;
  info.permissions = st.st_mode & 07777;
  info.read_only = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
  return info;
}

std::optional<FilePath> PosixFileSystem::FollowLink(const FilePath& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  struct Freer {
    void operator()(char* p) const { ::free(p); }
  };
  const std::unique_ptr<char, Freer> resolved(::realpath(path.c_str(), nullptr));
  if (!resolved) return std::nullopt;
  return FilePath(resolved.get());
}

NewTempFile PosixFileSystem::CreateTempFileBeside(const FilePath& file) {
  std::string name = file.native() + ".XXXXXX.tmp";
  const int fd = ::mkstemps(name.data(), 4);
  if (fd < 0) return {std::nullopt, errno == EACCES || errno == EPERM || errno == EROFS};
  ::close(fd);
  return {FilePath(std::move(name)), false};
}

std::vector<FilePath> PosixFileSystem::TempFilesBeside(const FilePath& file) {
  const FilePath folder = file.has_parent_path() ? file.parent_path() : FilePath(".");
  const std::string file_name = file.filename().native();
  std::vector<FilePath> found;
  struct Closer {
    void operator()(DIR* d) const { ::closedir(d); }
  };
  const std::unique_ptr<DIR, Closer> dir(::opendir(folder.c_str()));
  if (!dir) return found;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (IsTempFileNameOf<char>(entry->d_name, file_name)) found.push_back(folder / entry->d_name);
  }
  return found;
}

bool PosixFileSystem::SetPermissions(const FilePath& path, const FileInfo& like) {
  return ::chmod(path.c_str(), static_cast<mode_t>(like.permissions)) == 0;
}

bool PosixFileSystem::RenameOver(const FilePath& from, const FilePath& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixFileSystem::RemoveFile(const FilePath& path) {
  return ::unlink(path.c_str()) == 0;
}

bool PosixFileSystem::TruncateFile(const FilePath& path, std::uint64_t length) {
  return ::truncate(path.c_str(), static_cast<off_t>(length)) == 0;
}

}  // namespace velto
