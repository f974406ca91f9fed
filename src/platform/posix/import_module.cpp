// The entry point of the import module on Linux. The search bar loads it, and with it SQLite,
// LZ4 and expat, only when the user first imports engines.
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "import/browser_engine_sources.h"

extern "C" __attribute__((visibility("default"))) void velto_make_engine_sources(
    velto::FileSystem& files, std::unique_ptr<velto::EngineSources>& out) {
  const velto::BrowserFolders folders =
      velto::StandardBrowserFolders([](std::string_view name) -> std::optional<std::string> {
        const char* value = std::getenv(std::string(name).c_str());
        return value ? std::optional<std::string>(value) : std::nullopt;
      });
  out = std::make_unique<velto::BrowserEngineSources>(files, folders);
}
