#pragma once
// The file system over the POSIX calls.
#include "platform/byte_file.h"

namespace velto {

class PosixFileSystem final : public StdioFileSystem {
 public:
  FileInfo InspectFile(const FilePath& path) override;
  std::optional<FilePath> FollowLink(const FilePath& path) override;
  NewTempFile CreateTempFileBeside(const FilePath& file) override;
  std::vector<FilePath> TempFilesBeside(const FilePath& file) override;
  bool SetPermissions(const FilePath& path, const FileInfo& like) override;
  bool RenameOver(const FilePath& from, const FilePath& to) override;
  bool RemoveFile(const FilePath& path) override;
  bool TruncateFile(const FilePath& path, std::uint64_t length) override;
};

}  // namespace velto
