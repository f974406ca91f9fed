#include "settings/settings_store.h"

#include <span>

#include "platform/ansi_codec.h"
#include "settings/factory_defaults.h"
#include "settings/profile_file.h"
#include "settings/starter_settings.h"
#include "settings/unicode_text.h"

namespace velto {
namespace {

constexpr std::string_view kVelto = "Velto";
constexpr std::string_view kSearchData = "SearchData";
constexpr std::string_view kHistory = "History";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
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

// One snapshot of the file for the 79 reads of LoadSettings: each read sees the file as it is
// when the routine runs, without opening it 79 times.
class Snapshot {
 public:
  explicit Snapshot(const FilePath& path)
      : bytes_(ProfileFile(path).Load().value_or(std::string())), content_(bytes_) {}
  Snapshot(const Snapshot&) = delete;  // content_ points into bytes_
  Snapshot& operator=(const Snapshot&) = delete;

  std::string Read(std::string_view section, std::string_view key) const {
    const auto value = content_.Lookup(AnsiFromUtf8(section), AnsiFromUtf8(key));
    return value ? Utf8FromAnsi(*value) : std::string();
  }

 private:
  std::string bytes_;
  ProfileContent content_;
};

}  // namespace

std::string IndexedKey(std::string_view name, int index) {
  return std::string(name) + "(" + std::to_string(index) + ")";
}

std::string SettingsStore::ReadSetting(std::string_view section, std::string_view key) const {
  const auto value = ProfileFile(SettingsPath()).Read(AnsiFromUtf8(section), AnsiFromUtf8(key));
  return value ? Utf8FromAnsi(*value) : std::string();
}

bool SettingsStore::WriteSetting(std::string_view section, std::string_view key,
                                 std::string_view text) const {
  return ProfileFile(SettingsPath())
      .Write(AnsiFromUtf8(section), AnsiFromUtf8(key), AnsiFromUtf8(FieldFor(text)));
}

void SettingsStore::LoadSettings(SettingsModel& model, PlacementTarget& bar) const {
  const Snapshot file(SettingsPath());
  const auto as_single = [](const std::string& text) -> std::optional<float> {
    const auto number = ParseNumber(text);
    return number ? ToSingle(*number) : std::nullopt;
  };
  if (const auto top = as_single(file.Read(kVelto, "Top"))) bar.SetTop(*top);
  if (const auto left = as_single(file.Read(kVelto, "Left"))) bar.SetLeft(*left);
  model.AlwaysTop = NumberOrText::Text(file.Read(kVelto, "AlwaysTop"));
  model.DefaultSearch = NumberOrText::Text(file.Read(kVelto, "DefaultSearch"));
  for (int i = 0; i < kUsedButtonSelections; ++i) {
    const auto number = ParseNumber(file.Read(kVelto, IndexedKey("SearchSelect", i)));
    if (!number) continue;
    if (const auto slot = ToInt16Rounded(*number)) model.SearchSelect[i] = *slot;
  }
  for (int i = 0; i < kEditableEngineSlots; ++i) {
    model.SearchName[i] = file.Read(kSearchData, IndexedKey("SearchName", i));
    model.SearchHome[i] = file.Read(kSearchData, IndexedKey("SearchHome", i));
    model.SearchEngn[i] = file.Read(kSearchData, IndexedKey("SearchEngn", i));
  }
  for (int i = 0; i < kStoredHistory; ++i) {
    model.SearchHistory[i] = file.Read(kHistory, IndexedKey("SearchHistory", i));
  }
}

bool SettingsStore::SaveOptions(const SettingsModel& model) const {
  bool ok = WriteSetting(kVelto, "AlwaysTop", model.AlwaysTop.ToText());
  ok &= WriteSetting(kVelto, "DefaultSearch", model.DefaultSearch.ToText());
  for (int i = 0; i < kUsedButtonSelections; ++i) {
    ok &=
        WriteSetting(kVelto, IndexedKey("SearchSelect", i), std::to_string(model.SearchSelect[i]));
  }
  return ok;
}

bool SettingsStore::SavePlacement(const PlacementTarget& bar) const {
  bool ok = WriteSetting(kVelto, "Top", FormatSingle(bar.Top()));
  ok &= WriteSetting(kVelto, "Left", FormatSingle(bar.Left()));
  for (int i = 0; i < kStoredHistory; ++i) {
    ok &= WriteSetting(kHistory, IndexedKey("SearchHistory", i), bar.HistoryItem(i));
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
  bool ok = WriteSetting(kVelto, "AlwaysTop", set.always_top);
  ok &= WriteSetting(kVelto, "DefaultSearch", set.default_search);
  for (int i = 0; i < static_cast<int>(set.search_select.size()); ++i) {
    ok &= WriteSetting(kVelto, IndexedKey("SearchSelect", i), set.search_select[i]);
  }
  for (int i = 0; i < static_cast<int>(set.engines.size()); ++i) {
    ok &= WriteSetting(kSearchData, IndexedKey("SearchName", i), set.engines[i].name);
    ok &= WriteSetting(kSearchData, IndexedKey("SearchHome", i), set.engines[i].home);
    ok &= WriteSetting(kSearchData, IndexedKey("SearchEngn", i), set.engines[i].engine);
  }
  return ok;
}

bool SettingsStore::WriteDefaults() const {
  return WriteSettingsSet(
      {kFactoryAlwaysTop, kFactoryDefaultSearch, kFactorySearchSelect, kFactoryEngines});
}

bool SettingsStore::WriteStarterSettings() const {
  return WriteSettingsSet(
      {kStarterAlwaysTop, kStarterDefaultSearch, kStarterSearchSelect, kStarterEngines});
}

}  // namespace velto
