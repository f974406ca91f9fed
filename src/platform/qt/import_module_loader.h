#pragma once
// The engine sources of the import module, loaded when the user first imports engines: the
// bar's start-up never maps SQLite, LZ4 or expat.
#include <memory>

#include "platform/posix/posix_file_system.h"
#include "ports/engine_sources.h"

namespace velto {

class ImportModuleSources final : public EngineSources {
 public:
  FoundEngines FindInBrowsers() override;
  FoundEngines ReadDescription(const FilePath& file) override;

 private:
  // The module's sources, or null when the module cannot be loaded.
  EngineSources* Loaded();

  PosixFileSystem files_;
  bool tried_ = false;
  std::unique_ptr<EngineSources> sources_;
};

}  // namespace velto
