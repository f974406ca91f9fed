#include "platform/win32/import_module_loader.h"

#include "import/browser_engine_sources.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {

ImportModule::ImportModule(const FilePath& program_folder) {
  // Always by its full name: a bare one would let the search order find a library of that name
  // in the working folder or on the PATH. The altered search path makes the module's own
  // dependencies come from its folder too.
  const FilePath path = program_folder / FilePath(kImportModuleName);
  module_.reset(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!module_) {
    failure_ = "The import module " + Utf8FromWide(path.native()) + " could not be loaded (error " +
               std::to_string(GetLastError()) + ").";
    return;
  }
  const auto make = reinterpret_cast<MakeEngineSources>(
      reinterpret_cast<void*>(GetProcAddress(module_.get(), kMakeEngineSourcesName)));
  if (make != nullptr) make(files_, sources_);
  if (!sources_)
    failure_ = "The import module " + Utf8FromWide(path.native()) + " offers no engine sources.";
}

FoundEngines ImportModule::FindInBrowsers() {
  return sources_ ? sources_->FindInBrowsers() : FoundEngines::Failure(failure_);
}

FoundEngines ImportModule::ReadDescription(const FilePath& file) {
  return sources_ ? sources_->ReadDescription(file) : FoundEngines::Failure(failure_);
}

}  // namespace velto::win32
