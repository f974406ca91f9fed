#pragma once
// The engine sources the bar's import module offers: every browser profile of the user, and
// OpenSearch description files.
#include "import/browser_profiles.h"
#include "ports/engine_sources.h"
#include "ports/file_system.h"

namespace velto {

class BrowserEngineSources final : public EngineSources {
 public:
  // The file system stays the caller's and must outlive this.
  BrowserEngineSources(FileSystem& files, BrowserFolders folders)
      : files_(files), folders_(std::move(folders)) {}

  // Firefox's engines, then the Chromium family's. A browser the user does not have, or whose
  // files cannot be read, adds nothing: the others still count.
  FoundEngines FindInBrowsers() override;
  FoundEngines ReadDescription(const FilePath& file) override;

 private:
  FileSystem& files_;
  BrowserFolders folders_;
};

// An OpenSearch description file read whole; errors name the file.
FoundEngines ReadOpenSearchPath(FileSystem& files, const FilePath& path);

// The module's entry: the sources over the caller's file system, browser folders from the
// environment. Both the Linux module and the Windows library export it under this name.
using MakeEngineSources = void (*)(FileSystem& files, std::unique_ptr<EngineSources>& out);
inline constexpr char kMakeEngineSourcesName[] = "velto_make_engine_sources";

}  // namespace velto
