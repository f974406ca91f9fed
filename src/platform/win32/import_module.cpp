// The entry point of velto-import.dll. velto.exe loads it, with the SQLite, LZ4 and expat it
// holds, only when the user first imports engines: the program itself stays small.
#include <memory>

#include "import/browser_engine_sources.h"

extern "C" __declspec(dllexport) void velto_make_engine_sources(
    velto::FileSystem& files, std::unique_ptr<velto::EngineSources>& out) noexcept {
  // No exception crosses into the program, whose copy of the runtime could not catch it: the
  // program tells the user that the module offers nothing.
  try {
    out =
        std::make_unique<velto::BrowserEngineSources>(files, velto::BrowserFoldersOfThisProcess());
  } catch (...) {
    out.reset();
  }
}
