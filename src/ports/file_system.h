#pragma once
// The few file operations the settings file needs besides reading and writing bytes, over the
// system's own calls. std::filesystem's operations would bring iostreams and the whole locale
// machinery into the static Windows program. Implemented once per platform (POSIX / Win32).
#include <cstdint>
#include <optional>
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

// What the name stands for, through links.
FileInfo InspectFile(const FilePath& path);

// The file a link leads to (every link on the way resolved), the path itself when it is no
// link; nullopt for a link that leads nowhere. Windows has no links here, as for std::filesystem.
std::optional<FilePath> FollowLink(const FilePath& path);

// A new, empty file beside `file`, for writing the file's next content: named as
// temp_file_name.h says, made by the system's own call for new files, so it never is a file that
// was there before. New files are readable and writable by their owner only (POSIX).
struct NewTempFile {
  std::optional<FilePath> path;  // nullopt when none could be made
  // The folder refuses new files (permissions, a read-only medium), as opposed to a full disk
  // or any other failure.
  bool refused = false;
};
NewTempFile CreateTempFileBeside(const FilePath& file);

// The files beside `file` named as CreateTempFileBeside names them: what writes killed halfway
// left behind (or one being written right now by another program).
std::vector<FilePath> TempFilesBeside(const FilePath& file);

// Gives the file the permission bits of another file (POSIX); nothing to do on Windows, where
// the read-only attribute is the only one and a read-only file is never rewritten.
bool SetPermissions(const FilePath& path, const FileInfo& like);

// Moves a file over another in the same folder in one step: the target is at every moment
// either the old file or the new one.
bool RenameOver(const FilePath& from, const FilePath& to);

bool RemoveFile(const FilePath& path);

// Cuts the file to the length (or extends it with zeros).
bool TruncateFile(const FilePath& path, std::uint64_t length);

}  // namespace velto
