#include "settings/settings_store.h"

#include <span>

#include "settings/ascii_text.h"
#include "settings/factory_defaults.h"
#include "settings/profile_file.h"
#include "settings/starter_settings.h"
#include "settings/storable_text.h"
#include "settings/unicode_text.h"

namespace velto {
namespace {

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

// The 200-character field for a text: line breaks and NULs as blanks, quoted where reading would
// otherwise drop blanks or quotes at its ends, then padded (never cut) to the field width.
std::string FieldFor(std::string_view text) {
  std::string field(text);
  for (char& c : field) {
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  }
  const bool needs_quotes =
      !field.empty() &&
      (IsBlank(field.front()) || IsBlank(field.back()) ||
       (field.size() >= 2 && IsQuote(field.front()) && field.back() == field.front()));
  if (needs_quotes) field = '"' + field + '"';
  const std::size_t characters = CountCharacters(field);
  if (characters < kSettingFieldWidth) field.append(kSettingFieldWidth - characters, ' ');
  return field;
}

// One snapshot of the file for the 120 reads of LoadSettings: each read sees the file as it is
// when the routine runs, without opening it 120 times.
class Snapshot {
 public:
  Snapshot(const FilePath& path, Disk disk)
      : codec_(disk.codec()),
        bytes_(ProfileFile(path, disk.files()).Load().value_or(std::string())),
        content_(bytes_) {}
  Snapshot(const Snapshot&) = delete;  // content_ points into bytes_
  Snapshot& operator=(const Snapshot&) = delete;

  std::string Read(std::string_view section, std::string_view key) const {
    const auto value = content_.Lookup(codec_.AnsiFromUtf8(section), codec_.AnsiFromUtf8(key));
    return value ? codec_.Utf8FromAnsi(*value) : std::string();
  }

 private:
  const TextCodec& codec_;
  std::string bytes_;
  ProfileContent content_;
};

}  // namespace

std::string SettingsStore::ReadSetting(std::string_view section, std::string_view key) const {
  const TextCodec& codec = disk_.codec();
  const auto value = ProfileFile(SettingsPath(), disk_.files())
                         .Read(codec.AnsiFromUtf8(section), codec.AnsiFromUtf8(key));
  return value ? codec.Utf8FromAnsi(*value) : std::string();
}

std::optional<std::string> SettingsStore::FindSetting(std::string_view section,
                                                      std::string_view key) const {
  const TextCodec& codec = disk_.codec();
  const auto value = ProfileFile(SettingsPath(), disk_.files())
                         .Read(codec.AnsiFromUtf8(section), codec.AnsiFromUtf8(key));
  if (!value) return std::nullopt;
  return codec.Utf8FromAnsi(*value);
}

bool SettingsStore::WriteSetting(std::string_view section, std::string_view key,
                                 std::string_view text) const {
  const TextCodec& codec = disk_.codec();
  return ProfileFile(SettingsPath(), disk_.files())
      .Write(codec.AnsiFromUtf8(section), codec.AnsiFromUtf8(key),
             codec.AnsiFromUtf8(FieldFor(text)));
}

void SettingsStore::LoadSettings(SettingsModel& model, PlacementTarget& bar) const {
  const Snapshot file(SettingsPath(), disk_);
  const auto as_single = [](const std::string& text) -> std::optional<float> {
    const auto number = ParseNumber(text);
    return number ? ToSingle(*number) : std::nullopt;
  };
  if (const auto top = as_single(file.Read(kVeltoSection, kTopKey))) bar.SetTop(*top);
  if (const auto left = as_single(file.Read(kVeltoSection, kLeftKey))) bar.SetLeft(*left);
  model.AlwaysTop = NumberOrText::Text(file.Read(kVeltoSection, kAlwaysTopKey));
  model.DefaultSearch = NumberOrText::Text(file.Read(kVeltoSection, kDefaultSearchKey));
  model.Browser = file.Read(kVeltoSection, kBrowserKey);
  model.Suggest = file.Read(kVeltoSection, kSuggestKey) == "1";
  for (int i = 0; i < kUsedButtonSelections; ++i) {
    const auto number = ParseNumber(file.Read(kVeltoSection, IndexedKey(kSearchSelectKey, i)));
    if (!number) continue;
    if (const auto slot = ToInt16Rounded(*number)) model.SearchSelect[i] = *slot;
  }
  for (int i = 0; i < kEditableEngineSlots; ++i) {
    model.SearchName[i] = file.Read(kSearchDataSection, IndexedKey(kSearchNameKey, i));
    model.SearchHome[i] = file.Read(kSearchDataSection, IndexedKey(kSearchHomeKey, i));
    model.SearchEngn[i] = file.Read(kSearchDataSection, IndexedKey(kSearchEngnKey, i));
    model.SearchKey[i] = file.Read(kSearchDataSection, IndexedKey(kSearchKeyKey, i));
    model.SearchBrowser[i] = file.Read(kSearchDataSection, IndexedKey(kSearchBrowserKey, i));
    model.SuggestEngn[i] = file.Read(kSearchDataSection, IndexedKey(kSuggestEngnKey, i));
  }
  for (int i = 0; i < kStoredHistory; ++i) {
    model.SearchHistory[i] = file.Read(kHistorySection, IndexedKey(kSearchHistoryKey, i));
  }
}

bool SettingsStore::SaveOptions(const SettingsModel& model) const {
  bool ok = WriteSetting(kVeltoSection, kAlwaysTopKey, model.AlwaysTop.ToText());
  ok &= WriteSetting(kVeltoSection, kDefaultSearchKey, model.DefaultSearch.ToText());
  for (int i = 0; i < kUsedButtonSelections; ++i) {
    ok &= WriteSetting(kVeltoSection, IndexedKey(kSearchSelectKey, i),
                       std::to_string(model.SearchSelect[i]));
  }
  return ok;
}

bool SettingsStore::SavePlacement(const PlacementTarget& bar) const {
  bool ok = WriteSetting(kVeltoSection, kTopKey, FormatSingle(bar.Top()));
  ok &= WriteSetting(kVeltoSection, kLeftKey, FormatSingle(bar.Left()));
  for (int i = 0; i < kStoredHistory; ++i) {
    ok &= WriteSetting(kHistorySection, IndexedKey(kSearchHistoryKey, i), bar.HistoryItem(i));
  }
  return ok;
}

// The options, button assignment and engines that WriteDefaults and WriteStarterSettings write.
struct SettingsStore::SettingsSet {
  std::string_view always_top;
  std::string_view default_search;
  std::span<const std::string_view> search_select;
  std::span<const FactoryEngine> engines;
};

bool SettingsStore::WriteSettingsSet(const SettingsSet& set) const {
  bool ok = WriteSetting(kVeltoSection, kAlwaysTopKey, set.always_top);
  ok &= WriteSetting(kVeltoSection, kDefaultSearchKey, set.default_search);
  for (int i = 0; i < static_cast<int>(set.search_select.size()); ++i) {
    ok &= WriteSetting(kVeltoSection, IndexedKey(kSearchSelectKey, i), set.search_select[i]);
  }
  for (int i = 0; i < static_cast<int>(set.engines.size()); ++i) {
    const FactoryEngine& engine = set.engines[static_cast<std::size_t>(i)];
    ok &= WriteEngineSlot(i, engine.name, engine.home, engine.engine, engine.keyword);
  }
  return ok;
}

bool SettingsStore::WriteDefaults() const {
  return WriteSettingsSet(
      {kFactoryAlwaysTop, kFactoryDefaultSearch, kFactorySearchSelect, kFactoryEngines});
}

bool SettingsStore::WriteStarterSettings() const {
  bool ok = WriteSettingsSet(
      {kStarterAlwaysTop, kStarterDefaultSearch, kStarterSearchSelect, kStarterEngines});
  ok &= WriteSuggestSwitch(false);
  for (int i = 0; i < static_cast<int>(kStarterSuggestions.size()); ++i)
    ok &= WriteSuggestAddress(i, kStarterSuggestions[static_cast<std::size_t>(i)]);
  return ok;
}

bool SettingsStore::WriteSuggestSwitch(bool on) const {
  return WriteSetting(kVeltoSection, kSuggestKey, on ? "1" : "0");
}

bool SettingsStore::WriteSuggestAddress(int slot, std::string_view address) const {
  return WriteSetting(kSearchDataSection, IndexedKey(kSuggestEngnKey, slot),
                      StorableAddress(disk_.codec(), address));
}

bool SettingsStore::WriteEngineSlot(int slot, std::string_view name, std::string_view home,
                                    std::string_view engine, std::string_view keyword) const {
  bool ok = WriteSetting(kSearchDataSection, IndexedKey(kSearchNameKey, slot), name);
  ok &= WriteSetting(kSearchDataSection, IndexedKey(kSearchHomeKey, slot),
                     StorableAddress(disk_.codec(), home));
  ok &= WriteSetting(kSearchDataSection, IndexedKey(kSearchEngnKey, slot),
                     StorableAddress(disk_.codec(), engine));
  const std::string keyword_key = IndexedKey(kSearchKeyKey, slot);
  if (!keyword.empty() || FindSetting(kSearchDataSection, keyword_key))
    ok &= WriteSetting(kSearchDataSection, keyword_key, keyword);
  return ok;
}

}  // namespace velto
