#include "settings/settings_store.h"

#include <span>
#include <vector>

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
      : Snapshot(path, disk, ProfileFile(path, disk.files()).Load()) {}
  Snapshot(const Snapshot&) = delete;  // content_ points into bytes_
  Snapshot& operator=(const Snapshot&) = delete;

  // Whether the file could be read, or is missing and reads as empty.
  bool readable() const { return readable_; }

  std::string Read(std::string_view section, std::string_view key) const {
    const auto value = content_.Lookup(codec_.AnsiFromUtf8(section), codec_.AnsiFromUtf8(key));
    return value ? codec_.Utf8FromAnsi(*value) : std::string();
  }

 private:
  Snapshot(const FilePath& path, Disk disk, std::optional<std::string> loaded)
      : codec_(disk.codec()),
        readable_(loaded || disk.files().InspectFile(path).kind == FileKind::Missing),
        bytes_(std::move(loaded).value_or(std::string())),
        content_(bytes_) {}

  const TextCodec& codec_;
  bool readable_;
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

bool SettingsStore::SettingsFileUnreadable() const {
  return !Snapshot(SettingsPath(), disk_).readable();
}

bool SettingsStore::LoadSettings(SettingsModel& model, PlacementTarget& bar) const {
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
  model.HistorySuggest = file.Read(kVeltoSection, kHistorySuggestKey) != "0";
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
    model.SearchEncoding[i] = file.Read(kSearchDataSection, IndexedKey(kSearchEncodingKey, i));
    model.SearchSpace[i] = file.Read(kSearchDataSection, IndexedKey(kSearchSpaceKey, i));
  }
  for (int i = 0; i < kStoredHistory; ++i) {
    model.SearchHistory[i] = file.Read(kHistorySection, IndexedKey(kSearchHistoryKey, i));
  }
  return file.readable();
}

// Keys gathered for one rewrite of the file, in the order they were set.
struct SettingsStore::Changes {
  const TextCodec& codec;
  std::vector<ProfileFile::Entry> entries;

  void Set(std::string_view section, std::string_view key, std::string_view text) {
    entries.push_back(
        {codec.AnsiFromUtf8(section), codec.AnsiFromUtf8(key), codec.AnsiFromUtf8(FieldFor(text))});
  }
};

bool SettingsStore::Write(const Changes& changes) const {
  return ProfileFile(SettingsPath(), disk_.files()).Write(changes.entries);
}

bool SettingsStore::SaveOptions(const SettingsModel& model, std::optional<bool> suggest,
                                std::optional<int> encoding_slot) const {
  Changes changes{disk_.codec(), {}};
  changes.Set(kVeltoSection, kAlwaysTopKey, model.AlwaysTop.ToText());
  changes.Set(kVeltoSection, kDefaultSearchKey, model.DefaultSearch.ToText());
  for (int i = 0; i < kUsedButtonSelections; ++i) {
    changes.Set(kVeltoSection, IndexedKey(kSearchSelectKey, i),
                std::to_string(model.SearchSelect[i]));
  }
  if (suggest) changes.Set(kVeltoSection, kSuggestKey, *suggest ? "1" : "0");
  if (encoding_slot && *encoding_slot >= 0 && *encoding_slot < kEngineSlots) {
    const auto k = static_cast<std::size_t>(*encoding_slot);
    AddQueryEncoding(changes, *encoding_slot, model.SearchEncoding[k], model.SearchSpace[k]);
  }
  return Write(changes);
}

bool SettingsStore::SavePlacement(const PlacementTarget& bar) const {
  Changes changes{disk_.codec(), {}};
  changes.Set(kVeltoSection, kTopKey, FormatSingle(bar.Top()));
  changes.Set(kVeltoSection, kLeftKey, FormatSingle(bar.Left()));
  for (int i = 0; i < kStoredHistory; ++i) {
    changes.Set(kHistorySection, IndexedKey(kSearchHistoryKey, i), bar.HistoryItem(i));
  }
  return Write(changes);
}

// The options, button assignment and engines that WriteDefaults and WriteStarterSettings write.
struct SettingsStore::SettingsSet {
  std::string_view always_top;
  std::string_view default_search;
  std::span<const std::string_view> search_select;
  std::span<const FactoryEngine> engines;
};

void SettingsStore::AddSettingsSet(Changes& changes, const SettingsSet& set) const {
  changes.Set(kVeltoSection, kAlwaysTopKey, set.always_top);
  changes.Set(kVeltoSection, kDefaultSearchKey, set.default_search);
  for (int i = 0; i < static_cast<int>(set.search_select.size()); ++i) {
    changes.Set(kVeltoSection, IndexedKey(kSearchSelectKey, i), set.search_select[i]);
  }
  for (int i = 0; i < static_cast<int>(set.engines.size()); ++i) {
    const FactoryEngine& engine = set.engines[static_cast<std::size_t>(i)];
    AddEngineSlot(changes, i, engine.name, engine.home, engine.engine, engine.keyword);
  }
}

bool SettingsStore::WriteDefaults() const {
  Changes changes{disk_.codec(), {}};
  AddSettingsSet(changes,
                 {kFactoryAlwaysTop, kFactoryDefaultSearch, kFactorySearchSelect, kFactoryEngines});
  return Write(changes);
}

bool SettingsStore::WriteStarterSettings() const {
  Changes changes{disk_.codec(), {}};
  AddSettingsSet(changes,
                 {kStarterAlwaysTop, kStarterDefaultSearch, kStarterSearchSelect, kStarterEngines});
  changes.Set(kVeltoSection, kSuggestKey, "0");
  for (int i = 0; i < static_cast<int>(kStarterSuggestions.size()); ++i)
    changes.Set(kSearchDataSection, IndexedKey(kSuggestEngnKey, i),
                StorableAddress(disk_.codec(), kStarterSuggestions[static_cast<std::size_t>(i)]));
  return Write(changes);
}

bool SettingsStore::WriteSuggestSwitch(bool on) const {
  return WriteSetting(kVeltoSection, kSuggestKey, on ? "1" : "0");
}

bool SettingsStore::WriteSuggestAddress(int slot, std::string_view address) const {
  return WriteSetting(kSearchDataSection, IndexedKey(kSuggestEngnKey, slot),
                      StorableAddress(disk_.codec(), address));
}

bool SettingsStore::WriteQueryEncoding(int slot, std::string_view encoding,
                                       std::string_view space) const {
  Changes changes{disk_.codec(), {}};
  AddQueryEncoding(changes, slot, encoding, space);
  if (changes.entries.empty()) return true;
  return Write(changes);
}

void SettingsStore::AddQueryEncoding(Changes& changes, int slot, std::string_view encoding,
                                     std::string_view space) const {
  const std::pair<std::string_view, std::string_view> keys[] = {{kSearchEncodingKey, encoding},
                                                                {kSearchSpaceKey, space}};
  for (const auto& [name, text] : keys) {
    const std::string key = IndexedKey(name, slot);
    if (!text.empty() || FindSetting(kSearchDataSection, key))
      changes.Set(kSearchDataSection, key, text);
  }
}

bool SettingsStore::WriteEngineSlot(int slot, std::string_view name, std::string_view home,
                                    std::string_view engine, std::string_view keyword) const {
  Changes changes{disk_.codec(), {}};
  AddEngineSlot(changes, slot, name, home, engine, keyword);
  return Write(changes);
}

bool SettingsStore::WriteImportedEngines(std::span<const ImportedEngine> engines) const {
  Changes changes{disk_.codec(), {}};
  for (const ImportedEngine& engine : engines) {
    AddEngineSlot(changes, engine.slot, engine.name, engine.home, engine.search, engine.keyword);
    const std::string suggest_key = IndexedKey(kSuggestEngnKey, engine.slot);
    if (!engine.suggest.empty() || FindSetting(kSearchDataSection, suggest_key))
      changes.Set(kSearchDataSection, suggest_key, StorableAddress(disk_.codec(), engine.suggest));
    if (!engine.encoding.empty())
      changes.Set(kSearchDataSection, IndexedKey(kSearchEncodingKey, engine.slot), engine.encoding);
  }
  if (changes.entries.empty()) return true;
  return Write(changes);
}

void SettingsStore::AddEngineSlot(Changes& changes, int slot, std::string_view name,
                                  std::string_view home, std::string_view engine,
                                  std::string_view keyword) const {
  changes.Set(kSearchDataSection, IndexedKey(kSearchNameKey, slot), name);
  changes.Set(kSearchDataSection, IndexedKey(kSearchHomeKey, slot),
              StorableAddress(disk_.codec(), home));
  changes.Set(kSearchDataSection, IndexedKey(kSearchEngnKey, slot),
              StorableAddress(disk_.codec(), engine));
  const std::string keyword_key = IndexedKey(kSearchKeyKey, slot);
  if (!keyword.empty() || FindSetting(kSearchDataSection, keyword_key))
    changes.Set(kSearchDataSection, keyword_key, keyword);
  // A new engine in the slot starts from UTF-8 and "%20"; the dialog writes the slot's own
  // choices again after it (WriteQueryEncoding).
  for (const std::string_view name : {kSearchEncodingKey, kSearchSpaceKey}) {
    const std::string key = IndexedKey(name, slot);
    if (FindSetting(kSearchDataSection, key)) changes.Set(kSearchDataSection, key, "");
  }
}

}  // namespace velto
