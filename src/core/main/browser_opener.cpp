#include "main/browser_opener.h"

#include "main/browser_command.h"
#include "main/query_template.h"
#include "main/search_bar_layout.h"
#include "main/shell_address.h"
#include "settings/ascii_text.h"
#include "settings/query_encoding.h"
#include "settings/settings_keys.h"
#include "settings/storable_text.h"

namespace velto {
namespace {

// What to mend, said in the message; a command the rules accept failed to start its program.
std::string_view CommandFaultText(CommandFault fault) {
  switch (fault) {
    case CommandFault::NoProgram:
      return "起動するプログラムの名前がありません。";
    case CommandFault::NoAddress:
      return "アドレスを入れる位置を示す %u がありません。";
    case CommandFault::AddressInProgram:
      return "%u がプログラムの名前の中にあります。%u はプログラムの名前の後に書いてください。";
    case CommandFault::AddressInQuotes:
      return "%u が引用符 (\") の中にあります。%u は引用符の外に書いてください。";
    case CommandFault::OpenQuote:
      return "引用符 (\") が閉じていません。";
    case CommandFault::AddressInApostrophes:
      return "%u がアポストロフィ (') と同じ引数にあります。アポストロフィは引用符になりません。"
             "%u は囲まずに書いてください。";
    case CommandFault::SecondAddress:
      return "アドレスを入れる位置 (%u または %U) は一つにしてください。";
    case CommandFault::FileCode:
      return "%f と %F はファイル名を入れる位置です。アドレスには %u を使ってください。";
    case CommandFault::UnknownCode:
      return "% の後に使えない文字があります。% そのものは %% と書いてください。";
    case CommandFault::None:
      break;
  }
  return "プログラムが見つからないか、起動できません。";
}

}  // namespace

void BrowserOpener::OpenSearch(std::optional<int> slot, std::string_view engine,
                               std::string_view query) {
  if (!slot || *slot < 0 || *slot >= kEngineSlots ||
      engine.find(kQueryPlaceholder) == std::string_view::npos) {
    if (auto address = SearchAddressForShell(engine, query)) Open(slot, *address);
    return;
  }
  const auto k = static_cast<std::size_t>(*slot);
  const std::string setting = IndexedKey(kSearchEncodingKey, *slot);
  const auto set = ReadEncodingName(model_.SearchEncoding[k]);
  if (!set) {
    Tell("検索サイトの文字コード (" + setting +
         ") が分かりません: " + std::string(TrimBlanks(model_.SearchEncoding[k])) +
         "\n使える文字コードは UTF-8、Shift_JIS、EUC-JP です。\n\n検索は行いません。");
    return;
  }
  // An unknown blank form is the usual "%20": every site reads it.
  const QueryEncoding encoding{*set, ReadBlankName(model_.SearchSpace[k]).value_or(false)};
  const EncodedAddress encoded = SearchAddress(engine, query, encoding, codec_);
  if (encoded.refused) {
    const std::string where = setting + ": " + std::string(EncodingName(*set));
    Tell("検索語の文字 (" + CharacterCode(*encoded.refused) + ") は、この検索サイトの文字コード (" +
         where + ") にありません。\n" +
         "この文字を除くか、ほかの文字に置き換えてください。\n\n検索は行いません。");
    return;
  }
  if (auto address = SearchAddressForShell(engine, query, encoded.address)) Open(slot, *address);
}

// A notice, not a message box: a search is often followed at once by another key (F2 after F1),
// which a box waiting for its answer would swallow.
void BrowserOpener::Tell(const std::string& text) {
  platform_.ShowNotice(WindowRole::SearchBar, text, std::string(kSearchBarCaption));
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
  Tell("ブラウザーのコマンド (" + setting + ") を起動できません。\n" + text + "\n" +
       std::string(CommandFaultText(BrowserCommandFault(text))) +
       "\n\n既定のブラウザーで開きます。");
}

}  // namespace velto
