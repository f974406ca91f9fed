// The entry point of velto-import.dll. velto.exe loads it, with the SQLite, LZ4 and expat it
// holds, only when the user first imports engines: the program itself stays small.
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "import/browser_engine_sources.h"
#include "settings/unicode_text.h"

extern "C" __declspec(dllexport) void velto_make_engine_sources(
    velto::FileSystem& files, std::unique_ptr<velto::EngineSources>& out) noexcept {
  // No exception crosses into the program, whose copy of the runtime could not catch it: the
  // program tells the user that the module offers nothing.
  try {
    const velto::BrowserFolders folders =
        velto::StandardBrowserFolders([](std::string_view name) -> std::optional<std::string> {
          const std::wstring wide(name.begin(), name.end());
          const wchar_t* value = _wgetenv(wide.c_str());
          if (!value) return std::nullopt;
          const std::wstring_view text(value);
          return velto::Utf8FromUtf16(
              std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
        });
    out = std::make_unique<velto::BrowserEngineSources>(files, folders);
  } catch (...) {
    out.reset();
  }
}
