#pragma once
// Opens the search bar's addresses with the browser command that applies: the engine's own
// (SearchBrowser), else the program's (Browser), else the system's handler. A command that
// cannot be started is told once per run, naming its setting, and the address goes to the
// system's handler instead, so no search is lost.
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "ports/platform.h"
#include "settings/settings_model.h"

namespace velto {

class BrowserOpener {
 public:
  BrowserOpener(const SettingsModel& model, Platform& platform)
      : model_(model), platform_(platform) {}

  // A search of an engine slot, or of no slot (the fixed searches); see shell_address.h for
  // which addresses are opened at all.
  void OpenSearch(std::optional<int> slot, std::string_view engine, std::string_view query);
  void OpenHomePage(int slot, std::string_view home);

 private:
  void Open(std::optional<int> slot, const std::string& address);

  const SettingsModel& model_;
  Platform& platform_;
  std::set<std::string> reported_;  // the settings whose command failed and was told
};

}  // namespace velto
