#include "main/browser_opener.h"

#include "main/search_bar_layout.h"
#include "main/shell_address.h"
#include "settings/ascii_text.h"
#include "settings/settings_keys.h"

namespace velto {

void BrowserOpener::OpenSearch(std::optional<int> slot, std::string_view engine,
                               std::string_view query) {
  if (auto address = SearchAddressForShell(engine, query)) Open(slot, *address);
}

void BrowserOpener::OpenHomePage(int slot, std::string_view home) {
  if (auto address = HomePageForShell(home)) Open(slot, *address);
}

void BrowserOpener::Open(std::optional<int> slot, const std::string& address) {
  std::string setting(kBrowserKey);
  std::string_view command = TrimBlanks(model_.Browser);
  if (slot && *slot >= 0 && *slot < kEngineSlots) {
    const std::string_view own = TrimBlanks(model_.SearchBrowser[static_cast<std::size_t>(*slot)]);
    if (!own.empty()) {
      command = own;
      setting = IndexedKey(kSearchBrowserKey, *slot);
    }
  }
  if (command.empty()) return platform_.OpenWithShell(WindowRole::SearchBar, address);
  const std::string text(command);
  if (platform_.OpenWithCommand(WindowRole::SearchBar, text, address)) return;
  // The page opens first; the message only explains why it opened elsewhere.
  platform_.OpenWithShell(WindowRole::SearchBar, address);
  if (!reported_.insert(setting).second) return;
  platform_.ShowMessage(WindowRole::SearchBar,
                        "ブラウザーのコマンド (" + setting + ") を起動できません。\n" + text +
                            "\n\n既定のブラウザーで開きます。",
                        std::string(kSearchBarCaption), MessageButtons::Ok);
}

}  // namespace velto
