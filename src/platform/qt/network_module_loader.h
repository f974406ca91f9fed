#pragma once
// The suggestion fetcher of the network module, loaded on first use.
#include <memory>

#include "ports/suggestion_ports.h"

namespace velto {

// The network module's fetcher: looked for beside the program, then where the package installs
// it (../lib/velto/modules), then in the build folder. Without the module, a fetcher that never
// answers (the core's deadline then drops the request, and no suggestions show).
std::unique_ptr<SuggestionFetcher> LoadNetworkFetcher();

}  // namespace velto
