#include "settings/starter_file.h"

#include "ports/file_system.h"
#include "settings/byte_file.h"
#include "settings/path_text.h"
#include "settings/profile_file.h"
#include "settings/settings_store.h"

namespace velto {

bool AdoptStarterFile(const FilePath& settings_folder) {
  const FilePath starter = settings_folder / FilePathFromUtf8(kStarterFileName);
  const ProfileFile settings(settings_folder / FilePathFromUtf8(kSettingsFileName));
  // Two looks at the file system on every start; the copy only on a fresh one.
  if (InspectFile(settings.path()).kind != FileKind::Missing) return false;
  if (InspectFile(starter).kind != FileKind::File) return false;
  const auto bytes = ReadFileBytes(starter);
  return bytes && settings.Create(*bytes);
}

}  // namespace velto
