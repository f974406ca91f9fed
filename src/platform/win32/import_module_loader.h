#pragma once
// The engine sources of velto-import.dll, which holds the readers of the browsers' files with
// their SQLite, LZ4 and expat. The bar loads it from its own folder when the user first imports
// engines; without it, each call tells why nothing can be read.
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

#include "platform/win32/win32_file_system.h"
#include "ports/engine_sources.h"
#include "settings/file_path.h"

namespace velto::win32 {

inline constexpr wchar_t kImportModuleName[] = L"velto-import.dll";

class ImportModule final : public EngineSources {
 public:
  explicit ImportModule(const FilePath& program_folder);

  FoundEngines FindInBrowsers() override;
  FoundEngines ReadDescription(const FilePath& file) override;

 private:
  struct ModuleFreer {
    void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
  };

  // Members go in reverse order: the module's object first, then the file system it reads
  // through, and the module's code last.
  std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer> module_;
  Win32FileSystem files_;
  std::unique_ptr<EngineSources> sources_;
  std::string failure_;  // why there are no sources
};

}  // namespace velto::win32
