#include "platform/posix/settings_folder.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

#include "dialog/settings_dialog.h"
#include "settings/settings_store.h"

#ifndef VELTO_DATA_FROM_BIN
#define VELTO_DATA_FROM_BIN "../share/velto"
#endif

namespace velto {
namespace {

namespace fs = std::filesystem;

bool IsFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// Writable and searchable by this process, judged with its effective ids as open() will be.
bool CanWriteInto(const fs::path& folder) {
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// A settings file this process may read and rewrite. One without any write permission bit is
// read-only even for root, as the store treats it.
bool CanReadAndWrite(const fs::path& file) {
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (!fs::is_regular_file(status)) return false;
  const auto write_bits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & write_bits) == fs::perms::none) return false;
  return ::faccessat(AT_FDCWD, file.c_str(), R_OK | W_OK, AT_EACCESS) == 0;
}

fs::path UserConfigFolder(const UserFolders& user) {
  const fs::path xdg(user.xdg_config_home);
  if (xdg.is_absolute()) return xdg / "velto";
  if (!user.home.empty()) return fs::path(user.home) / ".config" / "velto";
  return {};
}

}  // namespace

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

ProgramFolders ChooseProgramFolders(const fs::path& executable_folder, const UserFolders& user) {
  ProgramFolders folders{executable_folder, executable_folder, false};
  const fs::path help_name(kHelpFileName);
  const fs::path data = (executable_folder / VELTO_DATA_FROM_BIN).lexically_normal();
  const bool installed = !IsFile(executable_folder / help_name) && IsFile(data / help_name);
  if (installed) folders.help = data;
  // A settings file beside the program that can be used is never passed over; where the
  // folder refuses new files, the store rewrites it in place. Without one, even root, who may
  // write into /usr/bin, keeps the settings of an installed program in a folder of its own.
  const bool own_file = CanReadAndWrite(executable_folder / kSettingsFileName);
  if (!own_file && (installed || !CanWriteInto(executable_folder))) {
    if (fs::path config = UserConfigFolder(user); !config.empty()) {
      folders.settings = std::move(config);
      folders.per_user = true;
    }
  }
  return folders;
}

bool CreateSettingsFolder(const ProgramFolders& folders) {
  std::error_code ec;
  if (folders.per_user) fs::create_directories(folders.settings, ec);
  return fs::is_directory(folders.settings, ec);
}

void WriteStarterSettingsOnFirstUse(const ProgramFolders& folders, Disk disk) {
  if (!folders.per_user) return;
  const SettingsStore store(folders.settings, disk);
  std::error_code ec;
  if (fs::exists(fs::symlink_status(store.SettingsPath(), ec))) return;
  // A failure leaves no file; the program then runs on empty settings, as with a
  // read-only folder.
  store.WriteStarterSettings();
}

}  // namespace velto
