#include "import/browser_profiles.h"

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "import/chromium_web_data.h"
#include "import/firefox_search_file.h"
#include "settings/ascii_text.h"
#include "settings/path_text.h"
#include "settings/unicode_text.h"

namespace velto {
namespace {

FilePath Under(const FilePath& folder, std::string_view relative) {
  return folder / FilePathFromUtf8(relative);
}

bool IsFile(FileSystem& files, const FilePath& path) {
  return files.InspectFile(path).kind == FileKind::File;
}

// "PATH: reason", how a damaged source is reported.
std::string About(const FilePath& path, std::string_view reason) {
  return Utf8FromFilePath(path) + ": " + std::string(reason);
}

struct FirefoxProfile {
  std::string name;
  std::string path;
  bool relative = true;
};

// The [ProfileN] sections of profiles.ini (UTF-8, key=value lines).
std::vector<FirefoxProfile> ReadProfilesIni(std::string_view text) {
  std::vector<FirefoxProfile> profiles;
  bool in_profile = false;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = TrimBlanks(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.starts_with('[')) {
      in_profile = StartsWithIgnoringAsciiCase(line, "[Profile");
      if (in_profile) profiles.emplace_back();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!in_profile || equals == std::string_view::npos) continue;
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    const std::string value(TrimBlanks(line.substr(equals + 1)));
    if (EqualsIgnoringAsciiCase(key, "Name")) profiles.back().name = value;
    if (EqualsIgnoringAsciiCase(key, "Path")) profiles.back().path = value;
    if (EqualsIgnoringAsciiCase(key, "IsRelative")) profiles.back().relative = value != "0";
  }
  std::erase_if(profiles, [](const FirefoxProfile& p) { return p.path.empty(); });
  return profiles;
}

FoundEngines FirefoxProfileEngines(FileSystem& files, const FilePath& profile,
                                   const std::string& origin) {
  const FilePath search_file = Under(profile, "search.json.mozlz4");
  if (!IsFile(files, search_file)) return {};  // a profile Firefox has not searched from yet
  SourceBytes read = ReadSourceFile(files, search_file);
  if (!read.bytes) return FoundEngines::Failure(About(search_file, read.reason));
  FoundEngines found = ReadFirefoxSearchFile(*read.bytes, origin);
  if (found.error) found.error = About(search_file, *found.error);
  return found;
}

std::string LookedIn(std::span<const BrowserFolder> folders) {
  std::string list;
  for (const BrowserFolder& folder : folders)
    list += (list.empty() ? "" : ", ") + Utf8FromFilePath(folder.folder);
  // No HOME (or APPDATA) at all: no place to look in.
  return list.empty() ? std::string("none of the usual folders (their variables are not set)")
                      : list;
}

// The profile folders "Local State" names, with their names as the browser shows them.
std::vector<std::pair<std::string, std::string>> ChromiumProfiles(FileSystem& files,
                                                                  const FilePath& folder) {
  std::vector<std::pair<std::string, std::string>> profiles;
  const SourceBytes state = ReadSourceFile(files, Under(folder, "Local State"));
  if (state.bytes) {
    const auto json = nlohmann::json::parse(*state.bytes, nullptr, false);
    if (json.is_object() && json.contains("profile") && json["profile"].is_object() &&
        json["profile"].contains("info_cache") && json["profile"]["info_cache"].is_object()) {
      for (const auto& [directory, info] : json["profile"]["info_cache"].items()) {
        std::string name = directory;
        if (info.is_object() && info.contains("name") && info["name"].is_string())
          name = info["name"].get<std::string>();
        profiles.emplace_back(directory, name);
      }
    }
  }
  if (profiles.empty()) profiles.emplace_back("Default", "Default");
  return profiles;
}

FoundEngines ChromiumProfileEngines(FileSystem& files, const FilePath& web_data,
                                    const std::string& origin) {
  SourceBytes read = ReadSourceFile(files, web_data);
  if (!read.bytes) return FoundEngines::Failure(About(web_data, read.reason));
  FoundEngines found = ReadChromiumWebData(std::move(*read.bytes), origin);
  if (found.error) found.error = About(web_data, *found.error);
  return found;
}

}  // namespace

SourceBytes ReadSourceFile(FileSystem& files, const FilePath& path) {
  const FileInfo info = files.InspectFile(path);
  if (info.kind == FileKind::Missing) return {std::nullopt, "no such file"};
  if (info.kind != FileKind::File) return {std::nullopt, "not a file"};
  const std::unique_ptr<ByteReader> in = files.OpenForReading(path);
  if (!in) return {std::nullopt, "it cannot be opened"};
  std::string bytes;
  std::string buffer(1 << 16, '\0');
  for (;;) {
    const std::size_t got = in->Read(buffer.data(), buffer.size());
    bytes.append(buffer, 0, got);
    if (bytes.size() > kLargestSourceFile)
      return {std::nullopt,
              "it is larger than " + std::to_string(kLargestSourceFile >> 20) + " MB"};
    if (got < buffer.size()) break;
  }
  if (in->failed()) return {std::nullopt, "it cannot be read"};
  return {std::move(bytes), {}};
}

BrowserFolders StandardBrowserFolders(const Environment& environment) {
  BrowserFolders folders;
  const auto add = [](std::vector<BrowserFolder>& list, std::string browser,
                      const std::optional<std::string>& base, std::string_view relative) {
    if (base && !base->empty())
      list.push_back({std::move(browser), Under(FilePathFromUtf8(*base), relative)});
  };
#ifdef _WIN32
  const auto app_data = environment("APPDATA");
  const auto local = environment("LOCALAPPDATA");
  add(folders.firefox, "Firefox", app_data, "Mozilla\\Firefox");
  add(folders.chromium, "Google Chrome", local, "Google\\Chrome\\User Data");
  add(folders.chromium, "Chromium", local, "Chromium\\User Data");
  add(folders.chromium, "Microsoft Edge", local, "Microsoft\\Edge\\User Data");
  add(folders.chromium, "Brave", local, "BraveSoftware\\Brave-Browser\\User Data");
  add(folders.chromium, "Vivaldi", local, "Vivaldi\\User Data");
#else
  const auto home = environment("HOME");
  auto config = environment("XDG_CONFIG_HOME");
  if (!config || config->empty() || !config->starts_with('/')) {
    config = home ? std::optional<std::string>(*home + "/.config") : std::nullopt;
  }
  add(folders.firefox, "Firefox", home, ".mozilla/firefox");
  add(folders.firefox, "Firefox (snap)", home, "snap/firefox/common/.mozilla/firefox");
  add(folders.firefox, "Firefox (flatpak)", home, ".var/app/org.mozilla.firefox/.mozilla/firefox");
  add(folders.chromium, "Google Chrome", config, "google-chrome");
  add(folders.chromium, "Chromium", config, "chromium");
  add(folders.chromium, "Microsoft Edge", config, "microsoft-edge");
  add(folders.chromium, "Brave", config, "BraveSoftware/Brave-Browser");
  add(folders.chromium, "Vivaldi", config, "vivaldi");
#endif
  return folders;
}

BrowserFolders BrowserFoldersOfThisProcess() {
  return StandardBrowserFolders([](std::string_view name) -> std::optional<std::string> {
#ifdef _WIN32
    const std::wstring wide(name.begin(), name.end());
    const wchar_t* value = _wgetenv(wide.c_str());
    if (!value) return std::nullopt;
    const std::wstring_view text(value);
    return Utf8FromUtf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
#else
    const char* value = std::getenv(std::string(name).c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
#endif
  });
}

FoundEngines FindFirefoxEngines(FileSystem& files, std::span<const BrowserFolder> folders) {
  FoundEngines found;
  bool any_profile = false;
  for (const BrowserFolder& root : folders) {
    const FilePath ini = Under(root.folder, "profiles.ini");
    if (!IsFile(files, ini)) {
      if (!IsFile(files, Under(root.folder, "search.json.mozlz4"))) continue;
      any_profile = true;
      found.Add(FirefoxProfileEngines(files, root.folder, root.browser));
      continue;
    }
    SourceBytes read = ReadSourceFile(files, ini);
    if (!read.bytes) return FoundEngines::Failure(About(ini, read.reason));
    for (const FirefoxProfile& profile : ReadProfilesIni(*read.bytes)) {
      any_profile = true;
      const FilePath folder =
          profile.relative ? Under(root.folder, profile.path) : FilePathFromUtf8(profile.path);
      found.Add(FirefoxProfileEngines(
          files, folder,
          root.browser + ", profile " + (profile.name.empty() ? profile.path : profile.name)));
    }
  }
  if (!any_profile && !found.error)
    return FoundEngines::Failure("no Firefox profile found in " + LookedIn(folders));
  return found;
}

FoundEngines FindChromiumEngines(FileSystem& files, std::span<const BrowserFolder> folders) {
  FoundEngines found;
  bool any_profile = false;
  for (const BrowserFolder& root : folders) {
    const FilePath own = Under(root.folder, "Web Data");
    if (IsFile(files, own)) {
      any_profile = true;
      found.Add(ChromiumProfileEngines(files, own, root.browser));
      continue;
    }
    for (const auto& [directory, name] : ChromiumProfiles(files, root.folder)) {
      const FilePath web_data = Under(Under(root.folder, directory), "Web Data");
      if (!IsFile(files, web_data)) continue;
      any_profile = true;
      found.Add(ChromiumProfileEngines(files, web_data, root.browser + ", profile " + name));
    }
  }
  if (!any_profile && !found.error)
    return FoundEngines::Failure("no profile of a Chromium browser found in " + LookedIn(folders));
  return found;
}

}  // namespace velto
