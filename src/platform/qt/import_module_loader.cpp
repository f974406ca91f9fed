#include "platform/qt/import_module_loader.h"

#include <QLibrary>
#include <QString>
#include <QStringList>

#include "import/browser_engine_sources.h"
#include "platform/qt/module_candidates.h"

namespace velto {
namespace {

constexpr char kMissingModule[] = "the import module velto-import.so cannot be loaded";

}  // namespace

EngineSources* ImportModuleSources::Loaded() {
  if (tried_) return sources_.get();
  tried_ = true;
  for (const QString& path : ModuleCandidates(QStringLiteral("velto-import"),
                                              QStringLiteral(VELTO_IMPORT_MODULE_BUILT))) {
    // The library stays loaded for the rest of the run: QLibrary does not unload on destruction.
    QLibrary module(path);
    const auto make = reinterpret_cast<MakeEngineSources>(module.resolve(kMakeEngineSourcesName));
    if (make == nullptr) continue;
    make(files_, sources_);
    if (sources_) break;
  }
  return sources_.get();
}

FoundEngines ImportModuleSources::FindInBrowsers() {
  EngineSources* sources = Loaded();
  return sources ? sources->FindInBrowsers() : FoundEngines::Failure(kMissingModule);
}

FoundEngines ImportModuleSources::ReadDescription(const FilePath& file) {
  EngineSources* sources = Loaded();
  return sources ? sources->ReadDescription(file) : FoundEngines::Failure(kMissingModule);
}

}  // namespace velto
