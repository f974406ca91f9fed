#pragma once
// The search bar's behaviour: start-up, buttons, keys, the fixed search menu, drops and
// shutdown. Front ends forward their window's events here and carry out what the view is told.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "main/bar_command.h"
#include "main/bar_events.h"
#include "main/browser_opener.h"
#include "main/drop_data.h"
#include "main/history_list.h"
#include "main/history_log.h"
#include "main/past_searches.h"
#include "main/search_bar_layout.h"
#include "main/suggestions.h"
#include "ports/disk.h"
#include "ports/platform.h"
#include "ports/search_bar_view.h"
#include "ports/settings_dialog_host.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"

namespace velto {

class SearchBar final : public SettingsDialogHost {
 public:
  // The disk holds velto.ini, log.txt and the dropped files; its parts must outlive the bar.
  SearchBar(SettingsModel& model, SearchBarView& view, Platform& platform, Disk disk);

  // The settings dialog opened by menu entry 0; without one that entry does nothing.
  void SetSettingsDialog(SettingsDialogLauncher* dialog) { dialog_ = dialog; }
  // The front end's HTTP client, timers and list for suggestions; without them none are shown.
  void SetSuggestionServices(const SuggestionServices& services) {
    suggestions_.Attach(services);
    timers_ = services.timers;
  }

  // The start-up sequence. The caller has already made sure that this is the only search bar
  // of its program folder (the start-up's single-instance claim). A folder without velto.ini
  // but with the starter file gets a copy of it first (starter_file.h).
  void Form_Load();
  // Topmost state from AlwaysTop: not topmost for 0, topmost for any other number; nothing
  // when AlwaysTop does not convert.
  void ApplyTopmost() override;

  // Every event of the window, as the front ends report it (bar_events.h). The answer matters
  // for a key press only: whether the focused control may still act on the key; every other
  // event answers PassOn.
  KeyOutcome Handle(const BarEvent& event);
  // What a key press will answer, asked before it arrives (a toolkit may offer a key to an
  // open list before the window sees it).
  KeyOutcome OutcomeOf(int key_code, int shift) const;
  // The entry to highlight when the history list opens: the first that begins with the query.
  std::optional<int> HighlightOnListOpen() const;
  const Suggestions& SuggestionList() const { return suggestions_; }

  // A command from a later start or a global key: Focus brings the bar forward with the whole
  // query selected; Search and SearchSelection run as the text dropped on the default button,
  // but a Search text is read for an engine keyword as a typed one is.
  void CarryOut(const BarCommand& command);

  // LoadSettings over this search bar: fills the model and moves the window to the stored
  // position unless that would put it off every screen (start-up and restore-defaults), then
  // keeps it wholly on a screen.
  void LoadSettings() override;
  // Moves the bar the least distance that puts it wholly inside one screen's work area, for a
  // front end that learns the window's outer size only once it is shown.
  void KeepOnScreen();

  // Relabels search buttons 0..3 from the model (start-up and the dialog's OK): caption, enabled
  // when the caption is not empty, tooltip. A button whose SearchSelect entry lies outside the
  // engine table (0..20) shows an empty caption and is disabled. Bold states are left alone.
  void LabelSearchButtons() override;
  // Which buttons lose the bold font before the default one gets it: all six at start-up and
  // on F5, only the four search buttons on the dialog's OK.
  enum class Unbold { AllButtons, SearchButtons };
  // Moves the bold font to the default button named by DefaultSearch (rounded to the nearest
  // whole number); no button gets it when it names none of the six.
  void ShowDefaultButton(Unbold unbold = Unbold::AllButtons);
  void ShowDefaultSearchButton() override { ShowDefaultButton(Unbold::SearchButtons); }

  bool DebugSwitch() const { return debug_switch_; }
  std::int16_t NewHistoryCount() const { return new_history_count_; }
  const HistoryList& History() const { return history_; }
  const SettingsStore& Store() const override { return store_; }

 private:
  // The dialog's access, through SettingsDialogHost only.
  SettingsModel& Settings() override { return model_; }
  const SearchBarView& BarWindow() const override { return view_; }
  // The handlers of the window's events, in the order of BarEvent.
  KeyOutcome OnKeyPress(const KeyPress& key);
  void OnMousePress(const MousePress& press);
  void Command1_Click(int index);
  // A press of the right or middle button on a search button opens its engine's home page.
  void Command1_MouseDown(int index, int mouse_button);
  void OnDrop(DropTargetRef target, const DropData& data);
  void Command1_OLEDragDrop(int index, const DropData& data);
  void Form_OLEDragDrop(const DropData& data);
  // An OpenSearch file dropped anywhere on the bar offers its engine for import; false when
  // the file is no description, and the drop then goes on as any other.
  bool OfferDroppedEngines(const FilePath& file);
  void Text1_OLEDragDrop(const DropData& data);
  // Virtual key code; the shift state is not looked at.
  void Form_KeyDown(int key_code, int shift);
  void MenuSearch_Click(int index);
  void OnSuggestionRelease(std::optional<int> row);
  // The closing steps: the log, then SavePlacement (not after a load that could not read the
  // settings file). They run once, however often the window
  // is closed (a close box, a signal and the end of the session may all ask). The caller ends
  // the program afterwards.
  void Form_Unload();

  // How a button reads the query: a typed text (the box's text searched by a click or a key, or
  // given by --search) may begin with an engine keyword; dropped data never does.
  enum class QueryKind { Typed, Data };
  void PressButton(int index, QueryKind kind);
  void DropOnButton(int index, const DropData& data, QueryKind kind);
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
  FilePath LogPath() const;
  // A key while the suggestions are shown; nullopt when the key goes on as usual.
  std::optional<KeyOutcome> OnSuggestionKey(const KeyPress& key);

  SettingsModel& model_;
  SearchBarView& view_;
  Platform& platform_;
  SuggestionTimers* timers_ = nullptr;
  BrowserOpener browser_;
  SettingsDialogLauncher* dialog_ = nullptr;
  Disk disk_;
  SettingsStore store_;
  HistoryList history_;
  std::int16_t new_history_count_ = 0;
  bool debug_switch_ = false;
  bool unloaded_ = false;
  // The settings file could not be read at the last load: the bar then never writes it, so
  // the position and history of a bar without settings never replace the ones stored.
  bool settings_unreadable_ = false;
  // The suggestion row the left button went down on; it is taken when the button comes up
  // over the same row.
  std::optional<int> suggestion_pressed_;
  // An input method's composition is open in the query box.
  bool composing_ = false;
  // The button the left mouse button last came up over, until a key or a click; a click of
  // that button is the mouse's, any other the keyboard's.
  std::optional<int> released_on_;
  bool clicked_by_mouse_ = false;
  // The log is read at the first match, not at start-up: a bar nobody types into never reads it.
  // Nothing appends to it before the closing steps, so that one reading stays current.
  PastSearches past_searches_{history_, [this] { return ReadHistoryLog(disk_, LogPath()); }};
  Suggestions suggestions_{model_, &past_searches_};
};

}  // namespace velto
