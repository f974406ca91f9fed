#pragma once
// Opens the search bar's addresses with the browser command that applies: the engine's own
// (SearchBrowser), else the program's (Browser), else the system's handler. A command that
// cannot be started is told once per run, naming its setting, and the address goes to the
// system's handler instead, so no search is lost. What it tells is a notice that does not wait
// for its answer, so the keys typed next still search.
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "ports/platform.h"
#include "ports/text_codec.h"
#include "settings/settings_model.h"

namespace velto {

class BrowserOpener {
 public:
  // The codec puts queries into an engine's character set; it must outlive the opener.
  BrowserOpener(const SettingsModel& model, Platform& platform, const TextCodec& codec)
      : model_(model), platform_(platform), codec_(codec) {}

  // A search of an engine slot, or of no slot (the fixed searches); see shell_address.h for
  // which addresses are opened at all. A slot's template gets the query in the slot's
  // character set; a query the set cannot hold, or a set the program does not know, is told
  // in a message and nothing is opened. The fixed searches stay UTF-8.
  void OpenSearch(std::optional<int> slot, std::string_view engine, std::string_view query);
  void OpenHomePage(int slot, std::string_view home);

 private:
  void Open(std::optional<int> slot, const std::string& address);
  void Tell(const std::string& text);

  const SettingsModel& model_;
  Platform& platform_;
  const TextCodec& codec_;
  std::set<std::string> reported_;  // the settings whose command failed and was told
};

}  // namespace velto
