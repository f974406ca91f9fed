#pragma once
// Where the browsers keep their profiles, and the engines of every profile found there.
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ports/file_system.h"
#include "settings/found_engines.h"

namespace velto {

// A browser's folder of profiles: Firefox's holds profiles.ini, a Chromium browser's "Local
// State" and a folder per profile.
struct BrowserFolder {
  std::string browser;  // "Firefox", "Google Chrome", ... for messages
  FilePath folder;
};

struct BrowserFolders {
  std::vector<BrowserFolder> firefox;
  std::vector<BrowserFolder> chromium;
};

// The value of an environment variable, nullopt when it is not set.
using Environment = std::function<std::optional<std::string>(std::string_view name)>;

// The folders each browser uses for the user: on Linux under HOME (~/.mozilla/firefox and the
// snap and flatpak ones; XDG_CONFIG_HOME, by default ~/.config, for the Chromium family), on
// Windows under APPDATA (Firefox) and LOCALAPPDATA (the Chromium family's "User Data").
BrowserFolders StandardBrowserFolders(const Environment& environment);

// The same from this process's environment (read as UTF-16 on Windows).
BrowserFolders BrowserFoldersOfThisProcess();

// The engines of every Firefox profile in the folders. A folder that holds no profiles.ini is
// taken as one profile's folder when it holds a search.json.mozlz4. Fails when no folder holds
// a profile, or when a profile's search file is damaged.
FoundEngines FindFirefoxEngines(FileSystem& files, std::span<const BrowserFolder> folders);

// The same for the Chromium family: the profiles "Local State" lists (Default without one), or
// the folder itself when it holds a "Web Data".
FoundEngines FindChromiumEngines(FileSystem& files, std::span<const BrowserFolder> folders);

// A whole file of at most kLargestSourceFile bytes, or why it cannot be read.
struct SourceBytes {
  std::optional<std::string> bytes;
  std::string reason;
};
SourceBytes ReadSourceFile(FileSystem& files, const FilePath& path);

}  // namespace velto
