#include "velto_config_import.h"

#include <optional>
#include <string>

#include "import/browser_engine_sources.h"
#include "settings/ascii_text.h"
#include "settings/path_text.h"
#include "settings/profile_file.h"
#include "settings/unicode_text.h"

namespace velto {
namespace {

// The store's view of the bar for LoadSettings: nothing of it matters here.
class NoPlacement : public PlacementTarget {
 public:
  float Top() const override { return 0; }
  float Left() const override { return 0; }
  void SetTop(float) override {}
  void SetLeft(float) override {}
  std::string HistoryItem(int) const override { return {}; }
};

int Usage(std::ostream& err, std::string_view message) {
  err << "velto-config: import: " << message << "\n"
      << "usage:" << kImportUsage.substr(6);
  return 2;
}

int Failure(std::ostream& err, std::string_view message) {
  err << "velto-config: import: " << message << "; nothing was written\n";
  return 1;
}

// A name as one line of the report, cut after 80 characters (a hostile file's names can be huge).
std::string Shown(std::string_view name) {
  constexpr int kLongestShown = 80;
  std::string shown;
  std::size_t pos = 0;
  for (int count = 0; pos < name.size(); ++count) {
    if (count == kLongestShown) return shown + "...";
    const std::size_t start = pos;
    const auto character = NextCharacter(name, pos);
    if (!character || *character < 0x20 || *character == 0x7f) {
      shown += ' ';
      if (pos == start) ++pos;
      continue;
    }
    shown += name.substr(start, pos - start);
  }
  return shown;
}

std::string Origin(std::string_view origin) {
  return origin.empty() ? std::string() : " (" + std::string(origin) + ")";
}

void Report(std::ostream& out, const ImportedEngine& engine, bool dry_run) {
  out << (dry_run ? "would add" : "added") << " slot " << engine.slot << ": " << Shown(engine.name)
      << " <" << engine.search << ">";
  if (!engine.keyword.empty()) out << " keyword \"" << engine.keyword << "\"";
  if (!engine.encoding.empty()) out << " in " << engine.encoding;
  if (!engine.suggest.empty()) out << " with suggestions";
  out << Origin(engine.origin);
  for (const std::string& note : engine.notes) out << "; " << note;
  out << "\n";
}

}  // namespace

int RunImport(std::span<const std::string_view> words, const SettingsStore& store,
              const BrowserFolders& browsers, std::ostream& out, std::ostream& err) {
  bool dry_run = false;
  std::vector<std::string_view> rest;
  for (const std::string_view word : words) {
    if (word == "--dry-run" && rest.empty()) {
      dry_run = true;
    } else if (word.starts_with("--") && rest.empty()) {
      return Usage(err, "unknown option " + std::string(word));
    } else {
      rest.push_back(word);
    }
  }
  if (rest.empty()) return Usage(err, "no source given");
  const std::string_view source = rest[0];
  const bool browser = source == "firefox" || source == "chromium";
  if (rest.size() > (browser ? 2u : 1u)) return Usage(err, "too many arguments");

  FileSystem& files = store.disk().files();
  FoundEngines found;
  if (browser) {
    const bool firefox = source == "firefox";
    std::vector<BrowserFolder> folders = firefox ? browsers.firefox : browsers.chromium;
    if (rest.size() == 2) folders = {{firefox ? "Firefox" : "Chromium", FilePathFromUtf8(rest[1])}};
    found = firefox ? FindFirefoxEngines(files, folders) : FindChromiumEngines(files, folders);
  } else {
    found = ReadOpenSearchPath(files, FilePathFromUtf8(source));
  }
  if (found.error) return Failure(err, *found.error);

  if (files.InspectFile(store.folder()).kind != FileKind::Folder)
    return Failure(err, "folder not found: " + Utf8FromFilePath(store.folder()));
  if (!ProfileFile(store.SettingsPath(), files).Load() &&
      files.InspectFile(store.SettingsPath()).kind != FileKind::Missing)
    return Failure(err, "cannot read " + Utf8FromFilePath(store.SettingsPath()));
  SettingsModel model;
  NoPlacement bar;
  store.LoadSettings(model, bar);
  ImportPlan plan = PlanEngineImport(store.disk().codec(), model, found.engines);
  if (!dry_run && !plan.added.empty() && !store.WriteImportedEngines(plan.added))
    return Failure(err, "cannot write " + Utf8FromFilePath(store.SettingsPath()));

  for (const ImportedEngine& engine : plan.added) Report(out, engine, dry_run);
  found.skipped.insert(found.skipped.end(), plan.skipped.begin(), plan.skipped.end());
  for (const SkippedEngine& skipped : found.skipped) {
    out << "skipped " << (skipped.name.empty() ? "an engine without a name" : Shown(skipped.name))
        << Origin(skipped.origin) << ": " << skipped.reason << "\n";
  }
  if (plan.added.empty() && found.skipped.empty()) out << "no engines found\n";
  return 0;
}

}  // namespace velto
