#pragma once
// The search bar's behaviour: start-up, buttons, keys, the fixed search menu, drops and
// shutdown. Front ends forward their window's events here and carry out what the view is told.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "main/bar_command.h"
#include "main/drop_data.h"
#include "main/history_list.h"
#include "main/search_bar_view.h"
#include "platform/platform.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"

namespace velto {

// Button indices of the Command1 array.
inline constexpr int kClearButton = 4;
inline constexpr int kMenuButton = 5;
inline constexpr int kButtonCount = 6;

// Mouse button codes of Command1_MouseDown.
inline constexpr int kLeftMouseButton = 1;
inline constexpr int kRightMouseButton = 2;
inline constexpr int kMiddleMouseButton = 4;

class SearchBar {
 public:
  SearchBar(SettingsModel& model, SearchBarView& view, Platform& platform);

  // The settings dialog opened by menu entry 0; without one that entry does nothing.
  void SetSettingsDialog(SettingsDialogLauncher* dialog) { dialog_ = dialog; }

  // The start-up sequence. False when another instance runs: the program ends at once and
  // nothing has been read, shown or written.
  bool Form_Load();
  // Topmost state from AlwaysTop: not topmost for 0, topmost for any other number; nothing
  // when AlwaysTop does not convert.
  void ApplyTopmost();

  void Command1_Click(int index);
  void Command1_MouseDown(int index, int mouse_button);
  void Command1_OLEDragDrop(int index, const DropData& data);
  void Form_OLEDragDrop(const DropData& data);
  void Text1_OLEDragDrop(const DropData& data);
  // Virtual key code; the shift state is not looked at.
  void Form_KeyDown(int key_code, int shift);
  void MenuSearch_Click(int index);
  // The closing steps: the log, then SavePlacement. The caller ends the program afterwards.
  void Form_Unload();

  // A command from a later start or a global key: Focus brings the bar forward with the whole
  // query selected; Search runs as the text dropped on the default button.
  void CarryOut(const BarCommand& command);

  // LoadSettings over this search bar: fills the model and moves the window to the stored
  // position unless that would put it off every screen (start-up and restore-defaults).
  void LoadSettings();

  // Relabels search buttons 0..3 from the model (start-up and the dialog's OK): caption, enabled
  // when the caption is not empty, tooltip. A button whose SearchSelect entry lies outside the
  // engine table (0..20) shows an empty caption and is disabled. Bold states are left alone.
  void LabelSearchButtons();
  // Which buttons lose the bold font before the default one gets it: all six at start-up and
  // on F5, only the four search buttons on the dialog's OK.
  enum class Unbold { AllButtons, SearchButtons };
  // Moves the bold font to the default button named by DefaultSearch (rounded to the nearest
  // whole number); no button gets it when it names none of the six.
  void ShowDefaultButton(Unbold unbold = Unbold::AllButtons);

  bool DebugSwitch() const { return debug_switch_; }
  std::int16_t NewHistoryCount() const { return new_history_count_; }
  const HistoryList& History() const { return history_; }
  SettingsStore& Store() { return store_; }
  SettingsModel& Model() { return model_; }
  SearchBarView& View() { return view_; }
  Platform& System() { return platform_; }

 private:
  // The engine slot of search button 0..3; nullopt outside the button row or the engine table.
  std::optional<int> EngineSlotOfButton(int index) const;
  // History list changes, mirrored in the view.
  void InsertHistory(int position, std::string text);
  void RemoveHistory(int position);
  void ShowWholeHistory();
  // Puts the query first and removes its later copies; false when it was first already.
  bool MoveQueryToTop(const std::string& query);
  void CountNewQuery();
  void FillHistoryFromModel();
  void HideDebugMenuEntries();
  void WriteLog();

  SettingsModel& model_;
  SearchBarView& view_;
  Platform& platform_;
  SettingsDialogLauncher* dialog_ = nullptr;
  SettingsStore store_;
  HistoryList history_;
  std::int16_t new_history_count_ = 0;
  bool debug_switch_ = false;
};

}  // namespace velto
