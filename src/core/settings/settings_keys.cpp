#include "settings/settings_keys.h"

#include <array>

#include "settings/ascii_text.h"
#include "settings/settings_model.h"

namespace velto {
namespace {

struct IndexedKeyKind {
  std::string_view section;
  std::string_view name;
  int count;
};

constexpr std::array<IndexedKeyKind, 10> kIndexedKeys{{
    {kVeltoSection, kSearchSelectKey, kUsedButtonSelections},
    {kSearchDataSection, kSearchNameKey, kEditableEngineSlots},
    {kSearchDataSection, kSearchHomeKey, kEditableEngineSlots},
    {kSearchDataSection, kSearchEngnKey, kEditableEngineSlots},
    {kSearchDataSection, kSearchKeyKey, kEditableEngineSlots},
    {kSearchDataSection, kSearchBrowserKey, kEditableEngineSlots},
    {kSearchDataSection, kSuggestEngnKey, kEditableEngineSlots},
    {kSearchDataSection, kSearchEncodingKey, kEditableEngineSlots},
    {kSearchDataSection, kSearchSpaceKey, kEditableEngineSlots},
    {kHistorySection, kSearchHistoryKey, kStoredHistory},
}};

}  // namespace

std::optional<IndexedKeyName> ReadIndexedKey(std::string_view section, std::string_view key) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  for (const IndexedKeyKind& kind : kIndexedKeys) {
    if (!EqualsIgnoringAsciiCase(section, kind.section) ||
        !StartsWithIgnoringAsciiCase(key, std::string(kind.name) + "("))
      continue;
    IndexedKeyName found{kind.name, std::nullopt, kind.count};
    for (int index = 0; index < kind.count; ++index) {
      if (EqualsIgnoringAsciiCase(key, IndexedKey(kind.name, index))) found.index = index;
    }
    return found;
  }
  return std::nullopt;
}

}  // namespace velto
