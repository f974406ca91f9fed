#pragma once
// velto-config import: engines from the user's browsers or an OpenSearch file into the free
// slots of the engine table.
#include <ostream>
#include <span>
#include <string_view>

#include "import/browser_profiles.h"
#include "settings/settings_store.h"

namespace velto {

inline constexpr std::string_view kImportUsage =
    "       velto-config [--dir FOLDER] import [--dry-run] firefox|chromium [PROFILES]\n"
    "       velto-config [--dir FOLDER] import [--dry-run] FILE.xml\n";

// The words after "import". Prints a line for each engine added (or, with --dry-run, that would
// be) and each skipped with the reason; returns the exit status: 0 done, 1 the source or the
// settings file could not be read or written (nothing written), 2 wrong usage.
int RunImport(std::span<const std::string_view> words, const SettingsStore& store,
              const BrowserFolders& browsers, std::ostream& out, std::ostream& err);

}  // namespace velto
