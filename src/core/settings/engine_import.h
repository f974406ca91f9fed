#pragma once
// Engines found in a browser's settings or an OpenSearch file, and where they go in the engine
// table: free slots only, from the lowest, each skipped engine with its reason.
#include <span>
#include <string>
#include <vector>

#include "ports/text_codec.h"
#include "settings/settings_model.h"

namespace velto {

// An engine as its source describes it.
struct FoundEngine {
  std::string name;
  std::string search;    // the search address template, with {searchTerms}
  std::string suggest;   // the suggestion address template; may be empty
  std::string keyword;   // may be empty
  std::string encoding;  // the character set the engine wants its queries in; empty: UTF-8
  std::string origin;    // where it was found, for messages ("Firefox, profile default")
};

struct SkippedEngine {
  std::string name;
  std::string origin;
  std::string reason;  // "its address ...", "no free slot is left"
};

// An engine ready for its slot, in the form the bar stores it.
struct ImportedEngine {
  int slot = 0;
  std::size_t found = 0;  // its place in the list of found engines
  std::string name;
  std::string home;      // the search address's site root
  std::string search;    // a template with %s, storable as it is
  std::string suggest;   // a template with %s, or empty
  std::string keyword;   // empty when the found one could not be kept
  std::string encoding;  // as SearchEncoding stores it; empty for UTF-8
  std::string origin;
  std::vector<std::string> notes;  // what was left out and why ("keyword ... left empty: ...")
};

struct ImportPlan {
  std::vector<ImportedEngine> added;
  std::vector<SkippedEngine> skipped;
};

// Longest name and address an import takes; longer ones are no engine a person made.
inline constexpr std::size_t kLongestImportedName = 200;      // characters
inline constexpr std::size_t kLongestImportedAddress = 4096;  // bytes

// A slot with no name, home page or search address, which an import may fill.
bool IsFreeEngineSlot(const SettingsModel& model, int slot);
int CountFreeEngineSlots(const SettingsModel& model);

// The added engines into the model, as WriteImportedEngines stores them.
void ApplyImportedEngines(SettingsModel& model, std::span<const ImportedEngine> engines);

// The SearchEncoding name for a character set as sources name it ("shift_jis", "x-sjis",
// "Windows-31J", "euc-jp", ...); the empty text and UTF-8 give "UTF-8"; nullopt for a set the
// bar cannot encode queries in.
std::optional<std::string_view> ImportedEncodingName(std::string_view name);

// Where each found engine goes: the free slots of the model from the lowest, in the order found.
// Engines whose search address a slot (or an earlier found engine) already has are skipped, as
// are those without a usable name, address or character set. A keyword another engine has, or
// one the bar would refuse, is left empty with a note.
ImportPlan PlanEngineImport(const TextCodec& codec, const SettingsModel& model,
                            std::span<const FoundEngine> found);

}  // namespace velto
