#include "platform/qt/network_module_loader.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QString>
#include <QStringList>

namespace velto {
namespace {

using MakeFetcher = void (*)(std::unique_ptr<SuggestionFetcher>&);

class NoFetcher final : public SuggestionFetcher {
 public:
  void Fetch(const std::string&, Done) override {}
  void Cancel() override {}
};

QStringList ModuleCandidates() {
  const QString bin = QCoreApplication::applicationDirPath();
  // Beside the program (a build or an unpacked folder), then where the package puts it.
  QStringList candidates{bin + QStringLiteral("/velto-network"),
                         bin + QStringLiteral("/../lib/velto/modules/velto-network")};
#ifdef VELTO_NETWORK_MODULE_BUILT
  candidates << QStringLiteral(VELTO_NETWORK_MODULE_BUILT);
#endif
  return candidates;
}

}  // namespace

std::unique_ptr<SuggestionFetcher> LoadNetworkFetcher() {
  for (const QString& path : ModuleCandidates()) {
    // The library stays loaded for the rest of the run: QLibrary does not unload on destruction.
    QLibrary module(path);
    const auto make =
        reinterpret_cast<MakeFetcher>(module.resolve("velto_make_suggestion_fetcher"));
    if (make == nullptr) continue;
    std::unique_ptr<SuggestionFetcher> fetcher;
    make(fetcher);
    if (fetcher) return fetcher;
  }
  return std::make_unique<NoFetcher>();
}

}  // namespace velto
