#include "dialog/settings_dialog.h"

#include <optional>
#include <vector>

#include "dialog/dialog_layout.h"
#include "dialog/dialog_placement.h"
#include "main/screen_fit.h"
#include "settings/number_text.h"
#include "settings/path_text.h"
#include "settings/query_encoding.h"

namespace velto {
namespace {

// The whole-number part of a stored value, when it names one of count entries.
std::optional<int> InRange(std::optional<double> value, int count) {
  if (!value) return std::nullopt;
  std::optional<std::int16_t> whole = ToInt16Floor(*value);
  if (!whole || *whole < 0 || *whole >= count) return std::nullopt;
  return *whole;
}

}  // namespace

SettingsDialog::SettingsDialog(SettingsDialogHost& bar, SettingsDialogView& view,
                               Platform& platform)
    : bar_(bar), view_(view), platform_(platform) {}

std::optional<int> SettingsDialog::SelectedPosition(int selector) const {
  const int count = selector == kDefaultSelector ? kSearchButtons : kEditableEngineSlots;
  std::optional<int> position = view_.SelectedEntry(selector);
  if (position && (*position < 0 || *position >= count)) return std::nullopt;
  return position;
}

void SettingsDialog::ShowSettingsDialog() {
  if (!loaded_) {
    view_.Open();
    loaded_ = true;
    Form_Load();
    view_.Show();
    return;
  }
  PlaceBesideSearchBar();
  view_.BringToFront();
}

void SettingsDialog::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  view_.Close();
}

void SettingsDialog::PlaceBesideSearchBar() {
  const SearchBarView& bar = bar_.BarWindow();
  const ScreenRect beside{
      bar.Left(),
      DialogTop(bar.ScreenHeightTwips(), {bar.Top(), bar.Height()}, view_.OuterHeight()),
      view_.OuterWidth(), view_.OuterHeight()};
  view_.SetTop(beside.top);
  view_.SetLeft(beside.left);
  // Then wholly on the screen the bar stands on most.
  const std::vector<ScreenRect> areas = bar.ScreenWorkAreas();
  if (areas.empty()) return;
  const ScreenRect bar_rect{bar.Left(), bar.Top(), bar.Width(), bar.Height()};
  const ScreenRect kept = MoveInside(beside, areas[AreaOverlappedMost(bar_rect, areas)]);
  if (kept.top != beside.top) view_.SetTop(kept.top);
  if (kept.left != beside.left) view_.SetLeft(kept.left);
}

// Every control back to its first state: a front end may hand over a window it only hid.
void SettingsDialog::ResetControls() {
  view_.SetRestoreButtonVisible(false);
  for (int selector = 0; selector < kSelectorCount; ++selector) view_.ClearSelector(selector);
  view_.SetAlwaysTopChecked(false);
  view_.SetEditText(kNameBox, std::string(kNamePlaceholder));
  view_.SetEditText(kHomeBox, std::string(kHomePlaceholder));
  view_.SetEditText(kEngineBox, std::string(kEnginePlaceholder));
  view_.SetEditText(kKeywordBox, {});
  view_.SetSuggestChecked(false);
  view_.SetEditText(kSuggestBox, {});
}

void SettingsDialog::Form_Load() {
  ResetControls();
  PlaceBesideSearchBar();

  // Filled first: showing the edited slot picks its entries.
  for (std::string_view name : kEncodingNames)
    view_.AppendSelectorEntry(kEncodingSelector, std::string(name));
  for (std::string_view name : kBlankNames)
    view_.AppendSelectorEntry(kSpaceSelector, std::string(name));

  const SettingsModel& model = bar_.Settings();
  for (int selector = 0; selector < kUsedButtonSelections; ++selector) {
    for (int slot = 0; slot < kEditableEngineSlots; ++slot)
      view_.AppendSelectorEntry(selector, model.SearchName[static_cast<std::size_t>(slot)]);
    // A stored slot outside the list leaves the selector without a selection.
    const int stored = model.SearchSelect[static_cast<std::size_t>(selector)];
    view_.SelectEntry(selector, InRange(stored, kEditableEngineSlots));
    // Selecting the editor's slot is a selection change of its own.
    if (selector == kSlotSelector) Combo1_Click(kSlotSelector);
  }

  view_.SetAlwaysTopChecked(model.AlwaysTop.Equals(1));
  view_.SetSuggestChecked(model.Suggest);

  // Slot 20 is not listed but exists, empty; anything else keeps the placeholders.
  const int edited = model.SearchSelect[kSlotSelector];
  if (edited >= 0 && edited < kEngineSlots) ShowSlot(edited);

  for (std::string_view name : kDefaultButtonNames)
    view_.AppendSelectorEntry(kDefaultSelector, std::string(name));
  view_.SelectEntry(kDefaultSelector, InRange(model.DefaultSearch.AsNumber(), kSearchButtons));

  view_.FocusSelector(kFirstButtonSelector);
}

void SettingsDialog::Command1_Click() {
  SettingsModel& model = bar_.Settings();
  // A selector without a selection keeps its setting as it is.
  std::optional<int> encoding_slot;
  if (auto slot = SelectedPosition(kSlotSelector)) {
    model.SearchSelect[kSlotSelector] = static_cast<std::int16_t>(*slot);
    // The edited engine's character set takes effect like the other choices, without 変更.
    if (TakeQueryEncoding(*slot)) encoding_slot = *slot;
  }
  if (auto button = SelectedPosition(kDefaultSelector))
    model.DefaultSearch = NumberOrText::Number(*button);
  model.AlwaysTop = NumberOrText::Number(view_.IsAlwaysTopChecked() ? 1 : 0);
  for (int button = 0; button < kSearchButtons; ++button) {
    if (auto slot = SelectedPosition(kFirstButtonSelector + button))
      model.SearchSelect[static_cast<std::size_t>(button)] = static_cast<std::int16_t>(*slot);
  }
  bar_.LabelSearchButtons();
  // A clear or menu button made bold at start-up keeps its font.
  bar_.ShowDefaultSearchButton();
  bar_.ApplyTopmost();
  // Suggest is written only when changed, so that a file without the key keeps it missing.
  std::optional<bool> suggest;
  if (view_.IsSuggestChecked() != model.Suggest) suggest = model.Suggest = view_.IsSuggestChecked();
  bar_.Store().SaveOptions(model, suggest, encoding_slot);
  Unload();
}

void SettingsDialog::OnCommand(DialogCommand command) {
  switch (command) {
    case DialogCommand::StoreSlot:
    case DialogCommand::DeleteSlot:
    case DialogCommand::ClearBoxes:
      Command5_Click(command);
      break;
    case DialogCommand::Ok:
      Command1_Click();
      break;
    case DialogCommand::Cancel:
    case DialogCommand::CloseBox:
      Unload();
      break;
    case DialogCommand::Help:
      Command3_Click();
      break;
    case DialogCommand::RestoreDefaults:
      Command4_Click();
      break;
    case DialogCommand::ImportEngines:
      Command6_Click();
      break;
  }
}

FilePath SettingsDialog::HelpPath() const {
  return platform_.HelpFolder() / FilePathFromUtf8(kHelpFileName);
}

void SettingsDialog::Command3_Click() {
  // A local file, not a web address: it goes to the shell directly, not through the search
  // bar's rule for addresses. The dialog stays open whatever the shell does.
  platform_.OpenWithShell(WindowRole::SettingsDialog, Utf8FromFilePath(HelpPath()));
}

void SettingsDialog::Command4_Click() {
  const MessageAnswer answer =
      platform_.ShowMessage(WindowRole::SettingsDialog, std::string(kRestoreMessage),
                            std::string(kRestoreCaption), MessageButtons::OkCancel);
  if (answer != MessageAnswer::Ok) return;
  bar_.Store().WriteDefaults();
  // The same reload as at start-up, the stored window position included.
  bar_.LoadSettings();
  Unload();
  ShowSettingsDialog();
}

}  // namespace velto
