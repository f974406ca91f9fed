#include "main/search_bar.h"

#include "main/accessible_names.h"
#include "main/bar_placement.h"
#include "main/debug_switch.h"
#include "main/fixed_searches.h"
#include "main/search_bar_layout.h"
#include "main/unreadable_settings.h"
#include "settings/starter_file.h"

namespace velto {

SearchBar::SearchBar(SettingsModel& model, SearchBarView& view, Platform& platform, Disk disk)
    : model_(model),
      view_(view),
      platform_(platform),
      browser_(model, platform, disk.codec()),
      disk_(disk),
      store_(platform.ProgramFolder(), disk) {}

void SearchBar::Form_Load() {
  // A fresh folder (an unpacked zip) begins from the starter settings shipped beside velto.ini.
  AdoptStarterFile(disk_.files(), platform_.ProgramFolder());
  LoadSettings();
  if (model_.AlwaysTop.Equals(1)) ApplyTopmost();
  ShowDefaultButton();
  new_history_count_ = 0;
  LabelSearchButtons();
  FillHistoryFromModel();
  for (int i = 0; i < kSearchButtons; ++i) view_.MakeCaptionSingleLine(i);
  debug_switch_ = HasDebugSwitch(platform_.CommandLine());
  if (!debug_switch_) HideDebugMenuEntries();
  if (settings_unreadable_)
    platform_.ShowMessage(WindowRole::SearchBar, UnreadableSettingsMessage(store_.SettingsPath()),
                          std::string(kSearchBarCaption), MessageButtons::Ok);
}

void SearchBar::LoadSettings() {
  BarPlacement placement(view_, history_, disk_.codec());
  settings_unreadable_ = !store_.LoadSettings(model_, placement);
  placement.ApplyCollectedPosition();
}

void SearchBar::KeepOnScreen() {
  BarPlacement(view_, history_, disk_.codec()).ApplyCollectedPosition();
}

void SearchBar::ApplyTopmost() {
  if (auto value = model_.AlwaysTop.AsNumber()) view_.SetTopmost(*value != 0);
}

std::optional<int> SearchBar::EngineSlotOfButton(int index) const {
  if (index < 0 || index >= kSearchButtons) return std::nullopt;
  const int slot = model_.SearchSelect[static_cast<std::size_t>(index)];
  if (slot < 0 || slot >= kEngineSlots) return std::nullopt;
  return slot;
}

void SearchBar::LabelSearchButtons() {
  for (int i = 0; i < kSearchButtons; ++i) {
    const auto slot = EngineSlotOfButton(i);
    const std::string caption = slot ? model_.SearchName[static_cast<std::size_t>(*slot)] : "";
    view_.SetButtonCaption(i, caption);
    view_.SetButtonEnabled(i, !caption.empty());
    view_.SetButtonToolTip(i, caption);
  }
}

void SearchBar::ShowDefaultButton(Unbold unbold) {
  std::optional<std::int16_t> index;
  if (auto value = model_.DefaultSearch.AsNumber()) index = ToInt16Rounded(*value);
  const int unbolded = unbold == Unbold::AllButtons ? kButtonCount : kSearchButtons;
  for (int i = 0; i < unbolded; ++i) view_.SetButtonBold(i, false);
  if (index && *index >= 0 && *index < kButtonCount) view_.SetButtonBold(*index, true);
  // The weight shows the default to the eye; the descriptions say which button Enter clicks,
  // found as Enter finds it.
  const auto value = model_.DefaultSearch.AsNumber();
  const auto enter = value ? ToInt16Floor(*value) : std::nullopt;
  for (int i = 0; i < kButtonCount; ++i)
    view_.SetButtonDescription(
        i, ButtonDescription(i, enter ? std::optional<int>(*enter) : std::nullopt));
}

void SearchBar::FillHistoryFromModel() {
  history_.Clear();
  for (int i = 0; i < kStoredHistory; ++i) {
    const std::string& entry = model_.SearchHistory[static_cast<std::size_t>(i)];
    if (!entry.empty()) history_.Insert(history_.Count(), entry);
  }
  ShowWholeHistory();
}

void SearchBar::HideDebugMenuEntries() {
  for (int i = kFirstDebugMenuEntry; i <= kLastDebugMenuEntry; ++i)
    view_.SetMenuEntryVisible(i, false);
}

}  // namespace velto
