#include "platform/posix/settings_folder.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

#ifndef VELTO_DATA_FROM_BIN
#define VELTO_DATA_FROM_BIN "../share/velto"
#endif

namespace velto {

namespace fs = std::filesystem;

bool PosixSettingsPlaceProbe::IsFile(const FilePath& path) const {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool PosixSettingsPlaceProbe::Exists(const FilePath& path) const {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

// Judged with the effective ids, as open() will be.
bool PosixSettingsPlaceProbe::CanWriteInto(const FilePath& folder) const {
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool PosixSettingsPlaceProbe::CanReadAndWrite(const FilePath& file) const {
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (!fs::is_regular_file(status)) return false;
  const auto write_bits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & write_bits) == fs::perms::none) return false;
  return ::faccessat(AT_FDCWD, file.c_str(), R_OK | W_OK, AT_EACCESS) == 0;
}

bool PosixSettingsPlaceProbe::CreateFolders(const FilePath& folder) const {
  std::error_code ec;
  fs::create_directories(folder, ec);
  return fs::is_directory(folder, ec);
}

UserFolders UserFoldersFromEnvironment() {
  UserFolders user;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME")) user.xdg_config_home = xdg;
  if (const char* home = std::getenv("HOME"); home && *home) {
    user.home = home;
  } else {
    // Services and su -c may start the program without HOME.
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir)
      user.home = found->pw_dir;
  }
  return user;
}

ProgramPlaces ProgramPlacesOf(const fs::path& executable_folder, const UserFolders& user) {
  return {executable_folder, (executable_folder / VELTO_DATA_FROM_BIN).lexically_normal(), user};
}

ProgramFolders ChooseProgramFolders(const fs::path& executable_folder, const UserFolders& user) {
  return ChooseProgramFolders(ProgramPlacesOf(executable_folder, user), PosixSettingsPlaceProbe());
}

bool CreateSettingsFolder(const ProgramFolders& folders) {
  const PosixSettingsPlaceProbe probe;
  return CreateSettingsFolder(folders, probe) && fs::is_directory(folders.settings);
}

void WriteStarterSettingsOnFirstUse(const ProgramFolders& folders, Disk disk) {
  if (folders.per_user)
    WriteStarterSettingsOnFirstUse(folders.settings, PosixSettingsPlaceProbe(), disk);
}

}  // namespace velto
