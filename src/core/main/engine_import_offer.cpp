#include "main/engine_import_offer.h"

#include <cstddef>
#include <string>
#include <vector>

#include "settings/engine_import.h"
#include "settings/path_text.h"

namespace velto {
namespace {

// The engines that could each go into a free slot of the table as it is, the first of each
// search address only.
std::vector<ImportedEngine> Candidates(const TextCodec& codec, const SettingsModel& model,
                                       const FoundEngines& found) {
  std::vector<ImportedEngine> candidates;
  for (std::size_t index = 0; index < found.engines.size(); ++index) {
    ImportPlan alone = PlanEngineImport(codec, model, std::span(&found.engines[index], 1));
    if (alone.added.empty()) continue;
    bool seen = false;
    for (const ImportedEngine& earlier : candidates)
      seen |= earlier.search == alone.added[0].search;
    if (seen) continue;
    alone.added[0].found = index;
    candidates.push_back(std::move(alone.added[0]));
  }
  return candidates;
}

std::string Row(const ImportedEngine& engine) {
  std::string row = engine.name + "  " + engine.search;
  if (!engine.keyword.empty()) row += "  キーワード: " + engine.keyword;
  if (!engine.origin.empty()) row += "  （" + engine.origin + "）";
  return row;
}

void Tell(const ImportTarget& target, const std::string& text) {
  target.platform.ShowMessage(target.owner, text, std::string(kImportTitle), MessageButtons::Ok);
}

}  // namespace

int OfferEngineImport(const ImportTarget& target, const FoundEngines& found) {
  const int free_slots = CountFreeEngineSlots(target.model);
  if (free_slots == 0) {
    Tell(target, std::string(kNoFreeSlotMessage));
    return 0;
  }
  const TextCodec& codec = target.store.disk().codec();
  const std::vector<ImportedEngine> candidates = Candidates(codec, target.model, found);
  if (candidates.empty()) {
    Tell(target, std::string(kNothingToImportMessage));
    return 0;
  }

  EngineChoice choice{std::string(kImportTitle), std::string(kImportPrompt), {}, {}};
  for (const ImportedEngine& engine : candidates) choice.rows.push_back(Row(engine));
  const std::size_t left_out = found.engines.size() + found.skipped.size() - candidates.size();
  if (left_out > 0) {
    choice.note = "ほかの " + std::to_string(left_out) +
                  " 件は登録済みか、使えない形式のため表示していません。";
  }
  if (static_cast<int>(candidates.size()) > free_slots)
    choice.note += (choice.note.empty() ? "" : "\n") + std::string("空いている番号は ") +
                   std::to_string(free_slots) + " 個です。";
  const auto chosen = target.platform.ChooseEngines(target.owner, choice);
  if (!chosen) return 0;

  // The chosen engines planned again together, so that they take the lowest free slots in
  // the order shown, and a keyword two of them share goes to the first only.
  std::vector<FoundEngine> picked;
  for (std::size_t row = 0; row < candidates.size() && row < chosen->size(); ++row) {
    if ((*chosen)[row]) picked.push_back(found.engines[candidates[row].found]);
  }
  if (picked.empty()) return 0;
  const ImportPlan plan = PlanEngineImport(codec, target.model, picked);
  if (plan.added.empty()) return 0;
  if (!target.store.WriteImportedEngines(plan.added)) {
    Tell(target,
         std::string(kImportWriteFailedMessage) + Utf8FromFilePath(target.store.SettingsPath()));
    return 0;
  }
  ApplyImportedEngines(target.model, plan.added);
  if (plan.added.size() < picked.size()) {
    Tell(target, std::to_string(picked.size() - plan.added.size()) +
                     " 件は空いている番号がないため取り込みませんでした。");
  }
  return static_cast<int>(plan.added.size());
}

}  // namespace velto
