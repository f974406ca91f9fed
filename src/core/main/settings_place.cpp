#include "main/settings_place.h"

#include "dialog/settings_dialog.h"
#include "ports/settings_place_probe.h"
#include "settings/path_text.h"
#include "settings/settings_store.h"
#include "settings/starter_file.h"

namespace velto {
namespace {

// "/x" on Linux; "C:\x", "\\server\x" or "\x" on Windows.
bool IsAbsolute(const FilePath& path) {
  const auto& text = path.native();
  if (text.empty()) return false;
  if (text[0] == '/' || text[0] == '\\') return true;
  return text.size() > 2 && text[1] == ':' && (text[2] == '\\' || text[2] == '/');
}

FilePath UserConfigFolder(const UserFolders& user) {
  const FilePath velto = FilePathFromUtf8("velto");
  if (IsAbsolute(user.xdg_config_home)) return user.xdg_config_home / velto;
  if (!user.home.empty()) return user.home / FilePathFromUtf8(".config") / velto;
  return {};
}

}  // namespace

ProgramFolders ChooseProgramFolders(const ProgramPlaces& places, const SettingsPlaceProbe& probe) {
  const FilePath& program = places.executable_folder;
  ProgramFolders folders{program, program, false};
  const FilePath help_name = FilePathFromUtf8(kHelpFileName);
  const bool installed = !places.installed_data.empty() && !probe.IsFile(program / help_name) &&
                         probe.IsFile(places.installed_data / help_name);
  if (installed) folders.help = places.installed_data;
  // A settings file beside the program that can be used is never passed over; where the
  // folder refuses new files, the store rewrites it in place. Without one, even root, who may
  // write into /usr/bin, keeps the settings of an installed program in a folder of its own.
  const bool own_file = probe.CanReadAndWrite(program / FilePathFromUtf8(kSettingsFileName));
  if (!own_file && (installed || !probe.CanWriteInto(program))) {
    if (FilePath config = UserConfigFolder(places.user); !config.empty()) {
      folders.settings = std::move(config);
      folders.per_user = true;
    }
  }
  return folders;
}

bool CreateSettingsFolder(const ProgramFolders& folders, const SettingsPlaceProbe& probe) {
  if (!folders.per_user) return probe.Exists(folders.settings);
  return probe.CreateFolders(folders.settings);
}

bool WriteStarterSettingsOnFirstUse(const FilePath& settings_folder,
                                    const SettingsPlaceProbe& probe, Disk disk) {
  const SettingsStore store(settings_folder, disk);
  if (probe.Exists(store.SettingsPath())) return false;
  return AdoptStarterFile(disk.files(), settings_folder) || store.WriteStarterSettings();
}

}  // namespace velto
