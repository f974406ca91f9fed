#pragma once
// The section and key names of velto.ini, spelled once for the store, the settings dialog and
// the command-line tool. The file matches names without regard to case; these are the
// spellings the program writes.
#include <optional>
#include <string>
#include <string_view>

namespace velto {

inline constexpr std::string_view kVeltoSection = "Velto";
inline constexpr std::string_view kSearchDataSection = "SearchData";
inline constexpr std::string_view kHistorySection = "History";

// In [Velto]. SearchSelect is indexed: SearchSelect(0) to SearchSelect(4).
inline constexpr std::string_view kTopKey = "Top";
inline constexpr std::string_view kLeftKey = "Left";
inline constexpr std::string_view kAlwaysTopKey = "AlwaysTop";
inline constexpr std::string_view kDefaultSearchKey = "DefaultSearch";
inline constexpr std::string_view kSearchSelectKey = "SearchSelect";
inline constexpr std::string_view kBrowserKey = "Browser";
inline constexpr std::string_view kSuggestKey = "Suggest";
inline constexpr std::string_view kHistorySuggestKey = "HistorySuggest";

// In [SearchData], indexed by engine slot.
inline constexpr std::string_view kSearchNameKey = "SearchName";
inline constexpr std::string_view kSearchHomeKey = "SearchHome";
inline constexpr std::string_view kSearchEngnKey = "SearchEngn";
inline constexpr std::string_view kSearchKeyKey = "SearchKey";
inline constexpr std::string_view kSearchBrowserKey = "SearchBrowser";
inline constexpr std::string_view kSuggestEngnKey = "SuggestEngn";
inline constexpr std::string_view kSearchEncodingKey = "SearchEncoding";
inline constexpr std::string_view kSearchSpaceKey = "SearchSpace";

// In [History], indexed by list position.
inline constexpr std::string_view kSearchHistoryKey = "SearchHistory";

// An indexed key as written: IndexedKey(kSearchNameKey, 10) is "SearchName(10)".
inline std::string IndexedKey(std::string_view name, int index) {
  return std::string(name) + "(" + std::to_string(index) + ")";
}

// What a key names among the file's indexed keys: the key's name as the program spells it and
// the index, or no index when the one given is not one the program reads or writes
// (SearchKey(20), SearchName(03), SearchHistory(x)).
struct IndexedKeyName {
  std::string_view name;
  std::optional<int> index;
  int count = 0;  // the indexes read run from 0 to count - 1
};

// The indexed key a section and key name, as the file matches names (any case, blanks around
// them ignored); nullopt for every other key.
std::optional<IndexedKeyName> ReadIndexedKey(std::string_view section, std::string_view key);

}  // namespace velto
