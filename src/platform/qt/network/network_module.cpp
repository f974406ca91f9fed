// The entry point of the network module. The search bar loads the module, and with it Qt's
// network library, only when suggestions are first asked for: a bar without suggestions never
// maps the network libraries at all.
#include <QtGlobal>
#include <memory>

#include "platform/qt/network/suggestion_fetcher.h"

extern "C" Q_DECL_EXPORT void velto_make_suggestion_fetcher(
    std::unique_ptr<velto::SuggestionFetcher>& out) {
  out = std::make_unique<velto::NetworkSuggestionFetcher>();
}
