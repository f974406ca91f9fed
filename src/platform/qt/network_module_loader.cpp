#include "platform/qt/network_module_loader.h"

#include <QLibrary>
#include <QString>
#include <QStringList>

#include "platform/qt/module_candidates.h"

namespace velto {
namespace {

using MakeFetcher = void (*)(std::unique_ptr<SuggestionFetcher>&);

class NoFetcher final : public SuggestionFetcher {
 public:
  void Fetch(const std::string&, Done) override {}
  void Cancel() override {}
};

}  // namespace

std::unique_ptr<SuggestionFetcher> LoadNetworkFetcher() {
  for (const QString& path : ModuleCandidates(QStringLiteral("velto-network"),
                                              QStringLiteral(VELTO_NETWORK_MODULE_BUILT))) {
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
