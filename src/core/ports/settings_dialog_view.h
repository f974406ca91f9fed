#pragma once
// What the settings dialog's behaviour needs of its window. The Qt and Win32 front ends
// implement it; the core decides what the controls show and reads back what the user chose.
//
// Controls are addressed by their array indices (see dialog_layout.h):
//   selectors Combo1(0)..Combo1(7): 0..3 the engines of the search buttons, 4 the slot being
//   edited, 5 the default button, 6 and 7 the edited engine's character set and blank form; edit
//   boxes Text1(0)..Text1(2): name, home page, search prefix; Text1(4): the suggestion address.
//
// What a front end must do besides implementing this class:
// - Forward the user's events to SettingsDialog: a pick in a selector to Combo1_Click(index)
//   (only the user's picks; SelectEntry below must not report back), a click on a button to
//   OnCommand with CommandOfButton of its layout entry, the close box to
//   OnCommand(DialogCommand::CloseBox), and every key pressed in an edit box to Text1_KeyDown;
//   when that returns true the key is consumed (no default button, no beep).
// - Never unload or reload the dialog on its own: SettingsDialog::ShowSettingsDialog opens and
//   fills it, and every command that ends it calls Close.
// - When the search bar closes, call SettingsDialog::Unload before ending the program, so
//   the dialog goes with it and nothing it shows is taken over.
#include <optional>
#include <string>

namespace velto {

// Selector indices of the Combo1 array.
inline constexpr int kFirstButtonSelector = 0;  // 0..3: engine of search buttons 0..3
inline constexpr int kSlotSelector = 4;         // engine slot shown in the editor
inline constexpr int kDefaultSelector = 5;      // the default search button
inline constexpr int kEncodingSelector = 6;     // the edited engine's character set
inline constexpr int kSpaceSelector = 7;        // how the edited engine's queries write a blank
inline constexpr int kSelectorCount = 8;

// Edit box indices of the Text1 array.
inline constexpr int kNameBox = 0;
inline constexpr int kHomeBox = 1;
inline constexpr int kEngineBox = 2;
inline constexpr int kKeywordBox = 3;
inline constexpr int kSuggestBox = 4;
// Text1(0)..Text1(4); a front end ignores an index its window does not have.
inline constexpr int kEditBoxCount = 5;

class SettingsDialogView {
 public:
  virtual ~SettingsDialogView() = default;

  // Creates the window with every control at its place the first time, and afterwards hands
  // over the window Close hid; it is not visible to the user until Show. The core sets every
  // control's content, the window's place and the focus after each Open, so a reopened dialog
  // looks exactly like a new one.
  virtual void Open() = 0;
  // Makes the opened window visible: modeless, without an owner, not in the taskbar.
  virtual void Show() = 0;
  // Hides the window and keeps it, with its controls, for the next Open. It may be called from
  // within one of the window's own event handlers.
  virtual void Close() = 0;
  virtual void BringToFront() = 0;

  // Outer window measures in twips, screen coordinates. The heights are valid once Open ran.
  virtual float OuterHeight() const = 0;
  virtual float OuterWidth() const = 0;
  virtual void SetTop(float twips) = 0;
  virtual void SetLeft(float twips) = 0;

  // Drop-down lists the user can only pick from, unsorted.
  virtual void ClearSelector(int selector) = 0;
  virtual void AppendSelectorEntry(int selector, const std::string& text) = 0;
  // Replaces the text of an existing entry; the list keeps its selection.
  virtual void SetSelectorEntry(int selector, int position, const std::string& text) = 0;
  // Selects an existing entry, or none. Never reported back through Combo1_Click.
  virtual void SelectEntry(int selector, std::optional<int> position) = 0;
  virtual std::optional<int> SelectedEntry(int selector) const = 0;

  // The check box "常に手前に表示".
  virtual void SetAlwaysTopChecked(bool checked) = 0;
  virtual bool IsAlwaysTopChecked() const = 0;
  // The check box "検索候補を表示".
  virtual void SetSuggestChecked(bool checked) = 0;
  virtual bool IsSuggestChecked() const = 0;

  virtual void SetEditText(int box, const std::string& text) = 0;
  virtual std::string EditText(int box) const = 0;

  // Keyboard focus to a selector.
  virtual void FocusSelector(int selector) = 0;

  // The restore button "標準に戻す" stands in its place but the dialog keeps it hidden (the
  // layout table creates it hidden too).
  virtual void SetRestoreButtonVisible(bool visible) = 0;
};

}  // namespace velto
