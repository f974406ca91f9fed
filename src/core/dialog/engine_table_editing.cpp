// The engine editor of the settings dialog: the slot chosen in Combo1(4) shown in the edit
// boxes (name, home page, search address, keyword, suggestion address), and 変更, 削除 and クリア.
// A change reaches the model, all five engine selectors and the settings file at once; Cancel
// does not undo it.
#include <cstddef>
#include <optional>

#include "dialog/settings_dialog.h"
#include "main/engine_import_offer.h"
#include "main/engine_keyword.h"
#include "main/key_codes.h"
#include "settings/ascii_text.h"
#include "settings/engine_import.h"
#include "settings/query_encoding.h"
#include "settings/settings_store.h"
#include "settings/storable_text.h"

namespace velto {
namespace {

// The entry of the character-set selector that a stored SearchEncoding names; none for a name
// the program does not know, which then stays as it is.
std::optional<int> EncodingEntry(std::string_view stored) {
  const auto set = ReadEncodingName(stored);
  if (!set) return std::nullopt;
  for (std::size_t i = 0; i < kEncodingNames.size(); ++i) {
    if (ReadEncodingName(kEncodingNames[i]) == set) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::optional<int> BlankEntry(std::string_view stored) {
  const auto plus = ReadBlankName(stored);
  if (!plus) return std::nullopt;
  return *plus ? 1 : 0;
}

}  // namespace

void SettingsDialog::ShowSlot(int slot) {
  const SettingsModel& model = bar_.Settings();
  const auto k = static_cast<std::size_t>(slot);
  view_.SetEditText(kNameBox, model.SearchName[k]);
  view_.SetEditText(kHomeBox, model.SearchHome[k]);
  view_.SetEditText(kEngineBox, model.SearchEngn[k]);
  view_.SetEditText(kKeywordBox, model.SearchKey[k]);
  view_.SetEditText(kSuggestBox, model.SuggestEngn[k]);
  view_.SelectEntry(kEncodingSelector, EncodingEntry(model.SearchEncoding[k]));
  view_.SelectEntry(kSpaceSelector, BlankEntry(model.SearchSpace[k]));
}

bool SettingsDialog::TakeQueryEncoding(int slot) {
  SettingsModel& model = bar_.Settings();
  const auto k = static_cast<std::size_t>(slot);
  bool changed = false;
  // A choice that means what is stored keeps the stored text: an empty one stays unwritten.
  const auto encoding = view_.SelectedEntry(kEncodingSelector);
  if (encoding && *encoding >= 0 && *encoding < static_cast<int>(kEncodingNames.size()) &&
      EncodingEntry(model.SearchEncoding[k]) != encoding) {
    model.SearchEncoding[k] = kEncodingNames[static_cast<std::size_t>(*encoding)];
    changed = true;
  }
  const auto blank = view_.SelectedEntry(kSpaceSelector);
  if (blank && *blank >= 0 && *blank < static_cast<int>(kBlankNames.size()) &&
      BlankEntry(model.SearchSpace[k]) != blank) {
    model.SearchSpace[k] = kBlankNames[static_cast<std::size_t>(*blank)];
    changed = true;
  }
  return changed;
}

void SettingsDialog::Combo1_Click(int index) {
  // The other selectors take effect on OK only.
  if (index != kSlotSelector) return;
  if (auto slot = SelectedPosition(kSlotSelector)) ShowSlot(*slot);
}

void SettingsDialog::Command5_Click(DialogCommand command) {
  if (command == DialogCommand::StoreSlot) {
    StoreSlot();
  } else if (command == DialogCommand::DeleteSlot) {
    DeleteSlot();
  } else if (command == DialogCommand::ClearBoxes) {
    for (int box = 0; box < kEditBoxCount; ++box) view_.SetEditText(box, {});
  }
}

bool SettingsDialog::Text1_KeyDown(int /*index*/, int key_code, int /*shift*/) {
  if (key_code != kKeyEnter) return false;
  StoreSlot();
  return true;
}

void SettingsDialog::StoreSlot() {
  std::string name = view_.EditText(kNameBox);
  std::string engine = view_.EditText(kEngineBox);
  if (name.empty() || engine.empty()) {
    platform_.ShowMessage(WindowRole::SettingsDialog, std::string(kMissingEngineMessage),
                          std::string(kAppTitle), MessageButtons::Ok);
    return;
  }
  // A name the settings file would turn into "?" is refused; the boxes keep what was typed.
  if (const auto character = FirstUnstorableCharacter(bar_.Store().disk().codec(), name)) {
    platform_.ShowMessage(WindowRole::SettingsDialog,
                          std::string(kUnstorableNameMessage) + CharacterCode(*character),
                          std::string(kAppTitle), MessageButtons::Ok);
    return;
  }
  const std::optional<int> slot = SelectedPosition(kSlotSelector);
  if (!slot) {
    // No slot to store into: point the user at the slot selector.
    view_.FocusSelector(kSlotSelector);
    return;
  }
  // Blanks around the keyword are not part of it (the file drops them too).
  const std::string keyword(TrimBlanks(view_.EditText(kKeywordBox)));
  if (!AcceptKeyword(*slot, keyword)) return;
  // Addresses keep what the file cannot hold as percent escapes; the boxes show what is stored.
  const std::string home = view_.EditText(kHomeBox);
  SettingsModel& model = bar_.Settings();
  const auto k = static_cast<std::size_t>(*slot);
  model.SearchName[k] = std::move(name);
  model.SearchHome[k] = StorableAddress(bar_.Store().disk().codec(), home);
  model.SearchEngn[k] = StorableAddress(bar_.Store().disk().codec(), engine);
  model.SearchKey[k] = keyword;
  if (model.SearchHome[k] != home) view_.SetEditText(kHomeBox, model.SearchHome[k]);
  if (model.SearchEngn[k] != engine) view_.SetEditText(kEngineBox, model.SearchEngn[k]);
  view_.SetEditText(kKeywordBox, keyword);
  const std::string suggest =
      StorableAddress(bar_.Store().disk().codec(), view_.EditText(kSuggestBox));
  const bool suggest_changed = suggest != model.SuggestEngn[k];
  model.SuggestEngn[k] = suggest;
  view_.SetEditText(kSuggestBox, suggest);
  TakeQueryEncoding(*slot);
  FinishSlotChange(*slot, suggest_changed);
}

bool SettingsDialog::AcceptKeyword(int slot, std::string_view keyword) {
  const auto refusal =
      RefuseEngineKeyword(bar_.Store().disk().codec(), bar_.Settings(), slot, keyword);
  if (!refusal) return true;
  std::string message;
  switch (refusal->reason) {
    case KeywordRefusal::Reason::NotOneWord:
      message = kInvalidKeywordMessage;
      break;
    case KeywordRefusal::Reason::Unstorable:
      message = std::string(kUnstorableKeywordMessage) + CharacterCode(refusal->character);
      break;
    case KeywordRefusal::Reason::InUse:
      message = std::string(kKeywordInUseStart) +
                bar_.Settings().SearchName[static_cast<std::size_t>(refusal->owner)] +
                std::string(kKeywordInUseEnd);
      break;
  }
  platform_.ShowMessage(WindowRole::SettingsDialog, message, std::string(kAppTitle),
                        MessageButtons::Ok);
  return false;
}

void SettingsDialog::DeleteSlot() {
  const std::optional<int> slot = SelectedPosition(kSlotSelector);
  if (!slot) {
    view_.FocusSelector(kSlotSelector);
    return;
  }
  SettingsModel& model = bar_.Settings();
  const auto k = static_cast<std::size_t>(*slot);
  model.SearchName[k].clear();
  model.SearchHome[k].clear();
  model.SearchEngn[k].clear();
  model.SearchKey[k].clear();
  const bool suggest_changed = !model.SuggestEngn[k].empty();
  model.SuggestEngn[k].clear();
  // A deleted engine leaves no character set behind for the next one in its slot.
  model.SearchEncoding[k].clear();
  model.SearchSpace[k].clear();
  for (int box = 0; box < kEditBoxCount; ++box) view_.SetEditText(box, {});
  ShowSlot(*slot);
  FinishSlotChange(*slot, suggest_changed);
}

// Every engine selector shows the new name; the settings file gets the slot's keys, and its
// suggestion address when that changed (a file without one keeps it missing). A failed write is
// not reported: memory and lists stand.
void SettingsDialog::Command6_Click() {
  SettingsModel& model = bar_.Settings();
  SettingsModel before = model;
  const ImportTarget target{platform_, WindowRole::SettingsDialog, bar_.Store(), model};
  if (OfferEngineImport(target, platform_.Engines().FindInBrowsers()) == 0) return;
  // The store already holds the new engines; the selectors and the editor show them, the first
  // of them in the editor.
  std::optional<int> first;
  for (int slot = 0; slot < kEditableEngineSlots; ++slot) {
    const auto k = static_cast<std::size_t>(slot);
    if (model.SearchName[k] == before.SearchName[k] && model.SearchEngn[k] == before.SearchEngn[k])
      continue;
    if (!first) first = slot;
    for (int selector = 0; selector < kUsedButtonSelections; ++selector)
      view_.SetSelectorEntry(selector, slot, model.SearchName[k]);
  }
  if (!first) return;
  view_.SelectEntry(kSlotSelector, *first);
  ShowSlot(*first);
  bar_.LabelSearchButtons();
}

void SettingsDialog::FinishSlotChange(int slot, bool suggest_changed) {
  const SettingsModel& model = bar_.Settings();
  const auto k = static_cast<std::size_t>(slot);
  for (int selector = 0; selector < kUsedButtonSelections; ++selector)
    view_.SetSelectorEntry(selector, slot, model.SearchName[k]);
  bar_.Store().WriteEngineSlot(slot, model.SearchName[k], model.SearchHome[k], model.SearchEngn[k],
                               model.SearchKey[k]);
  if (suggest_changed) bar_.Store().WriteSuggestAddress(slot, model.SuggestEngn[k]);
  bar_.Store().WriteQueryEncoding(slot, model.SearchEncoding[k], model.SearchSpace[k]);
}

}  // namespace velto
