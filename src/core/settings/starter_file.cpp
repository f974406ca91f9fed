#include "settings/starter_file.h"

#include "settings/path_text.h"
#include "settings/profile_file.h"
#include "settings/settings_store.h"

namespace velto {

bool AdoptStarterFile(FileSystem& files, const FilePath& settings_folder) {
  const FilePath starter = settings_folder / FilePathFromUtf8(kStarterFileName);
  const ProfileFile settings(settings_folder / FilePathFromUtf8(kSettingsFileName), files);
  // Two looks at the file system on every start; the copy only on a fresh one.
  if (files.InspectFile(settings.path()).kind != FileKind::Missing) return false;
  if (files.InspectFile(starter).kind != FileKind::File) return false;
  const auto bytes = files.ReadFileBytes(starter);
  return bytes && settings.Create(*bytes);
}

}  // namespace velto
