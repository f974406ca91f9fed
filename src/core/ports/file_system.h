#pragma once
// The file operations the core needs (the settings file, the log, dropped text files), over
// the system's own calls. std::filesystem's operations and iostreams would bring the whole
// locale machinery into the static Windows program. Implemented once per platform (POSIX /
// Win32); core tests may give the core a disk of their own.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/file_path.h"

namespace velto {

enum class FileKind {
  Missing,  // nothing of that name, or a folder on the way is missing
  File,     // a regular file
  Folder,
  Other,  // anything else, or a name that cannot be examined (no permission)
};

struct FileInfo {
  FileKind kind = FileKind::Missing;
  // Nobody may write it: no write permission bit at all (POSIX), the read-only attribute (Windows).
  bool read_only = false;
  // The system's permission bits, for SetPermissions; 0 on Windows.
  unsigned permissions = 0;
};

// A new, empty file made by FileSystem::CreateTempFileBeside.
struct NewTempFile {
  std::optional<FilePath> path;  // nullopt when none could be made
  // The folder refuses new files (permissions, a read-only medium), as opposed to a full disk
  // or any other failure.
  bool refused = false;
};

enum class FileMode { Read, Write, Append, Update };

// A file opened for reading its bytes from the start.
class ByteReader {
 public:
  virtual ~ByteReader() = default;
  // Up to size bytes; fewer at the end of the file or on an error (see failed()).
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
  virtual bool failed() const = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // What the name stands for, through links.
  virtual FileInfo InspectFile(const FilePath& path) = 0;

  // The file a link leads to (every link on the way resolved), the path itself when it is no
  // link; nullopt for a link that leads nowhere. Windows has no links here, as for std::filesystem.
  virtual std::optional<FilePath> FollowLink(const FilePath& path) = 0;

  // A new, empty file beside `file`, for writing the file's next content: named as
  // temp_file_name.h says, made by the system's own call for new files, so it never is a file that
  // was there before. New files are readable and writable by their owner only (POSIX).
  virtual NewTempFile CreateTempFileBeside(const FilePath& file) = 0;

  // The files beside `file` named as CreateTempFileBeside names them: what writes killed halfway
  // left behind (or one being written right now by another program).
  virtual std::vector<FilePath> TempFilesBeside(const FilePath& file) = 0;

  // Gives the file the permission bits of another file (POSIX); nothing to do on Windows, where
  // the read-only attribute is the only one and a read-only file is never rewritten.
  virtual bool SetPermissions(const FilePath& path, const FileInfo& like) = 0;

  // Moves a file over another in the same folder in one step: the target is at every moment
  // either the old file or the new one.
  virtual bool RenameOver(const FilePath& from, const FilePath& to) = 0;

  virtual bool RemoveFile(const FilePath& path) = 0;

  // Cuts the file to the length (or extends it with zeros).
  virtual bool TruncateFile(const FilePath& path, std::uint64_t length) = 0;

  // Opens the file for reading in binary mode; null when it cannot be opened.
  virtual std::unique_ptr<ByteReader> OpenForReading(const FilePath& path) = 0;
  // Writes the bytes in binary mode: Write creates or truncates the file, Append adds to its
  // end (creating it when missing), Update overwrites it from its start and keeps what lies
  // beyond. False on any failure, the closing included.
  virtual bool WriteFileBytes(const FilePath& path, std::string_view bytes, FileMode mode) = 0;
  // True when the existing file opens for writing; the file is left unchanged.
  virtual bool OpensForUpdate(const FilePath& path) = 0;

  // The whole file; nullopt when it cannot be opened or read.
  std::optional<std::string> ReadFileBytes(const FilePath& path) {
    const std::unique_ptr<ByteReader> in = OpenForReading(path);
    if (!in) return std::nullopt;
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
      const std::size_t got = in->Read(buffer, sizeof buffer);
      bytes.append(buffer, got);
      if (got < sizeof buffer) break;
    }
    if (in->failed()) return std::nullopt;
    return bytes;
  }
};

}  // namespace velto
