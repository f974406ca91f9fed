#pragma once
// What the choice of the settings folder asks of the file system: plain questions about a
// place, answered by the platform with this process's own rights, and the one folder it may
// have to make.
#include "settings/file_path.h"

namespace velto {

class SettingsPlaceProbe {
 public:
  virtual ~SettingsPlaceProbe() = default;

  // A regular file (links followed).
  virtual bool IsFile(const FilePath& path) const = 0;
  // Anything at all, a dangling link included.
  virtual bool Exists(const FilePath& path) const = 0;
  // A folder this process may create files in.
  virtual bool CanWriteInto(const FilePath& folder) const = 0;
  // A regular file this process may read and rewrite; one without any write permission bit
  // counts as read-only even for a user the system would let write.
  virtual bool CanReadAndWrite(const FilePath& file) const = 0;
  // Makes the folder and any missing parents; true when the folder exists afterwards.
  virtual bool CreateFolders(const FilePath& folder) const = 0;
};

}  // namespace velto
