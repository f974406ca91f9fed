// The entry point of the import module on Linux. The search bar loads it, and with it SQLite,
// LZ4 and expat, only when the user first imports engines.
#include <memory>

#include "import/browser_engine_sources.h"

extern "C" __attribute__((visibility("default"))) void velto_make_engine_sources(
    velto::FileSystem& files, std::unique_ptr<velto::EngineSources>& out) {
  out = std::make_unique<velto::BrowserEngineSources>(files, velto::BrowserFoldersOfThisProcess());
}
