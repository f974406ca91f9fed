#include "settings/engine_import.h"

#include <array>
#include <optional>
#include <utility>

#include "main/engine_keyword.h"
#include "settings/ascii_text.h"
#include "settings/query_encoding.h"
#include "settings/search_template.h"
#include "settings/storable_text.h"
#include "settings/unicode_text.h"

namespace velto {
namespace {

constexpr std::array<std::string_view, 3> kUtf8Names{"utf-8", "utf8", "unicode-1-1-utf-8"};
constexpr std::array<std::string_view, 8> kShiftJisNames{
    "shift_jis", "shift-jis", "sjis", "x-sjis", "windows-31j", "ms_kanji", "cp932", "csshiftjis"};
constexpr std::array<std::string_view, 5> kEucJpNames{"euc-jp", "euc_jp", "x-euc-jp", "eucjp",
                                                      "cseucpkdfmtjapanese"};

bool NamedIn(std::string_view name, std::span<const std::string_view> names) {
  for (const std::string_view known : names)
    if (EqualsIgnoringAsciiCase(name, known)) return true;
  return false;
}

// Control characters (a line break in a name) as blanks, as the settings file would store them.
std::string OneLine(std::string_view text) {
  std::string line(TrimBlanks(text));
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  return line;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// Why the engine's name cannot be stored; nullopt when it can.
std::optional<std::string> BadName(const TextCodec& codec, std::string_view name) {
  if (name.empty()) return "it has no name";
  if (!IsValidUtf8(name)) return "its name is no UTF-8 text";
  if (CountCharacters(name) > kLongestImportedName)
    return "its name is longer than " + std::to_string(kLongestImportedName) + " characters";
  if (const auto character = FirstUnstorableCharacter(codec, name))
    return "its name holds " + CharacterCode(*character) + ", which velto.ini cannot hold";
  return std::nullopt;
}

// Why the keyword has to be left empty; nullopt when it can be kept.
std::optional<std::string> BadKeyword(const TextCodec& codec, const SettingsModel& model, int slot,
                                      std::string_view keyword) {
  const auto refusal = RefuseEngineKeyword(codec, model, slot, keyword);
  if (!refusal) return std::nullopt;
  switch (refusal->reason) {
    case KeywordRefusal::Reason::NotOneWord:
      return std::string("it is not one word");
    case KeywordRefusal::Reason::Unstorable:
      return "velto.ini cannot hold " + CharacterCode(refusal->character);
    case KeywordRefusal::Reason::InUse:
      return "engine " + std::to_string(refusal->owner) + " (" +
             model.SearchName[static_cast<std::size_t>(refusal->owner)] + ") has it";
  }
  return std::nullopt;
}

// A search address as the bar uses it: a prefix the query follows searches as the same address
// with "%s" at its end.
std::string_view QueryPrefix(std::string_view address) {
  if (address.ends_with("%s") && address.find("%s") == address.size() - 2) address.remove_suffix(2);
  return address;
}

std::optional<int> SlotWithAddress(const SettingsModel& model, std::string_view address) {
  for (int slot = 0; slot < kEditableEngineSlots; ++slot) {
    if (QueryPrefix(model.SearchEngn[static_cast<std::size_t>(slot)]) == QueryPrefix(address))
      return slot;
  }
  return std::nullopt;
}

}  // namespace

bool IsFreeEngineSlot(const SettingsModel& model, int slot) {
  const auto k = static_cast<std::size_t>(slot);
  return model.SearchName[k].empty() && model.SearchHome[k].empty() && model.SearchEngn[k].empty();
}

int CountFreeEngineSlots(const SettingsModel& model) {
  int free = 0;
  for (int slot = 0; slot < kEditableEngineSlots; ++slot) free += IsFreeEngineSlot(model, slot);
  return free;
}

void ApplyImportedEngines(SettingsModel& model, std::span<const ImportedEngine> engines) {
  for (const ImportedEngine& engine : engines) {
    const auto k = static_cast<std::size_t>(engine.slot);
    model.SearchName[k] = engine.name;
    model.SearchHome[k] = engine.home;
    model.SearchEngn[k] = engine.search;
    model.SearchKey[k] = engine.keyword;
    model.SuggestEngn[k] = engine.suggest;
    model.SearchEncoding[k] = engine.encoding;
    model.SearchSpace[k].clear();
  }
}

std::optional<std::string_view> ImportedEncodingName(std::string_view name) {
  const std::string_view trimmed = TrimBlanks(name);
  if (trimmed.empty() || NamedIn(trimmed, kUtf8Names)) return kEncodingNames[0];
  if (NamedIn(trimmed, kShiftJisNames)) return kEncodingNames[1];
  if (NamedIn(trimmed, kEucJpNames)) return kEncodingNames[2];
  return std::nullopt;
}

ImportPlan PlanEngineImport(const TextCodec& codec, const SettingsModel& model,
                            std::span<const FoundEngine> found) {
  ImportPlan plan;
  // The table as it will be, so that later engines see the slots, addresses and keywords that
  // earlier ones took.
  SettingsModel table = model;
  int next_slot = 0;
  for (std::size_t index = 0; index < found.size(); ++index) {
    const FoundEngine& engine = found[index];
    const std::string name = OneLine(engine.name);
    const auto skip = [&](std::string reason) {
      plan.skipped.push_back({name, engine.origin, std::move(reason)});
    };
    if (auto bad = BadName(codec, name)) {
      skip(std::move(*bad));
      continue;
    }
    const auto encoding = ImportedEncodingName(engine.encoding);
    if (!encoding) {
      skip("it wants its queries in " + Quoted(OneLine(engine.encoding)) +
           ", which the bar cannot encode (UTF-8, Shift_JIS and EUC-JP only)");
      continue;
    }
    if (engine.search.size() > kLongestImportedAddress) {
      skip("its address is longer than " + std::to_string(kLongestImportedAddress) + " bytes");
      continue;
    }
    FilledTemplate search = FillSearchTemplate(engine.search, *encoding);
    if (!search.address) {
      skip(std::move(search.reason));
      continue;
    }
    const std::string address = StorableAddress(codec, *search.address);
    if (const auto owner = SlotWithAddress(table, address)) {
      skip("slot " + std::to_string(*owner) + " (" +
           table.SearchName[static_cast<std::size_t>(*owner)] + ") already has its address");
      continue;
    }
    while (next_slot < kEditableEngineSlots && !IsFreeEngineSlot(table, next_slot)) ++next_slot;
    if (next_slot == kEditableEngineSlots) {
      skip("no free slot is left");
      continue;
    }
    ImportedEngine added;
    added.slot = next_slot;
    added.found = index;
    added.name = name;
    added.search = address;
    added.home = StorableAddress(codec, SiteRoot(*search.address));
    added.encoding = *encoding == kEncodingNames[0] ? std::string() : std::string(*encoding);
    added.origin = engine.origin;
    if (!engine.suggest.empty()) {
      FilledTemplate suggest = engine.suggest.size() > kLongestImportedAddress
                                   ? FilledTemplate{std::nullopt, "its address is too long"}
                                   : FillSearchTemplate(engine.suggest, *encoding);
      if (suggest.address) {
        added.suggest = StorableAddress(codec, *suggest.address);
      } else {
        added.notes.push_back("suggestions left out: " + suggest.reason);
      }
    }
    const std::string keyword = OneLine(engine.keyword);
    if (!keyword.empty()) {
      if (auto bad = BadKeyword(codec, table, next_slot, keyword)) {
        added.notes.push_back("keyword " + Quoted(keyword) + " left empty: " + *bad);
      } else {
        added.keyword = keyword;
      }
    }
    const auto k = static_cast<std::size_t>(next_slot);
    table.SearchName[k] = added.name;
    table.SearchHome[k] = added.home;
    table.SearchEngn[k] = added.search;
    table.SearchKey[k] = added.keyword;
    plan.added.push_back(std::move(added));
  }
  return plan;
}

}  // namespace velto
