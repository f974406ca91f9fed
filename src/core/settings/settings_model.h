#pragma once
// The one in-memory copy of the settings, shared by the search bar and the settings dialog.
#include <array>
#include <cstdint>
#include <string>

#include "settings/number_text.h"

namespace velto {

inline constexpr int kEngineSlots = 21;          // slots 0..20; slot 20 stays empty
inline constexpr int kEditableEngineSlots = 20;  // slots 0..19 are loaded, offered and edited
inline constexpr int kButtonSelections = 6;      // SearchSelect entries 0..5; 0..4 are used
inline constexpr int kUsedButtonSelections = 5;
inline constexpr int kSearchButtons = 4;
inline constexpr int kStoredHistory = 10;  // SearchHistory entries 0..9 are stored

struct SettingsModel {
  std::array<std::string, kEngineSlots> SearchName{};
  std::array<std::string, kEngineSlots> SearchHome{};
  std::array<std::string, kEngineSlots> SearchEngn{};
  // An engine's keyword: "w 東京" searches that engine for 東京 (see main/engine_keyword.h).
  std::array<std::string, kEngineSlots> SearchKey{};
  // The browser command of an engine's searches and home page; empty: Browser applies.
  std::array<std::string, kEngineSlots> SearchBrowser{};
  // An engine's suggestion address: an OpenSearch-suggestions template with "%s", or empty.
  std::array<std::string, kEngineSlots> SuggestEngn{};
  // The character set of an engine's queries and the form of a blank, as stored (see
  // settings/query_encoding.h); empty: UTF-8 and "%20".
  std::array<std::string, kEngineSlots> SearchEncoding{};
  std::array<std::string, kEngineSlots> SearchSpace{};
  // Entries 0..3: engine slot of search buttons 0..3; entry 4: slot chosen in the dialog's editor.
  std::array<std::int16_t, kButtonSelections> SearchSelect{};
  NumberOrText AlwaysTop;
  NumberOrText DefaultSearch;
  // Suggestions while typing: on only when the stored text is exactly "1".
  bool Suggest = false;
  // Past searches offered while typing: on unless the stored text is exactly "0". They never
  // leave the machine, so a file without the key has them.
  bool HistorySuggest = true;
  std::array<std::string, kStoredHistory + 1> SearchHistory{};
  // The browser command ("firefox %u", see main/browser_command.h); empty: the system's handler.
  std::string Browser;

  bool operator==(const SettingsModel&) const = default;
};

}  // namespace velto
