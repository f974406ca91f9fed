#pragma once
// What the search bar's behaviour needs of its window. The front ends implement it; the core
// tells the window what to show and never reads widget state it keeps itself (the history list).
#include <string>
#include <vector>

#include "main/screen_fit.h"

namespace velto {

enum class MenuPlace { AtPointer, UnderMenuButton };

class SearchBarView {
 public:
  virtual ~SearchBarView() = default;

  // Outer window position and height, in twips, screen coordinates.
  virtual float Top() const = 0;
  virtual float Left() const = 0;
  virtual float Height() const = 0;
  virtual float Width() const = 0;
  virtual void SetTop(float twips) = 0;
  virtual void SetLeft(float twips) = 0;
  // The work areas of all screens in twips, the primary screen's first.
  virtual std::vector<ScreenRect> ScreenWorkAreas() const = 0;
  // Height of the screen the window stands on, in twips.
  virtual float ScreenHeightTwips() const = 0;

  virtual void SetTopmost(bool topmost) = 0;

  // Buttons 0..5 of the Command1 array.
  virtual void SetButtonCaption(int index, const std::string& caption) = 0;
  virtual void SetButtonToolTip(int index, const std::string& tip) = 0;
  virtual void SetButtonEnabled(int index, bool enabled) = 0;
  virtual bool IsButtonEnabled(int index) const = 0;
  virtual void SetButtonBold(int index, bool bold) = 0;
  // What a screen reader says of the button besides its name (accessible_names.h).
  virtual void SetButtonDescription(int index, const std::string& description) = 0;
  // Search buttons draw their caption on one line, cut at the edge.
  virtual void MakeCaptionSingleLine(int index) = 0;

  // The query box's text and focus.
  virtual std::string QueryText() const = 0;
  virtual void SetQueryText(const std::string& text) = 0;
  virtual void FocusQuery() = 0;
  // Selects the query box's whole text.
  virtual void SelectQueryText() = 0;
  // Shows the window (restored if minimised) above the others and makes it the active one.
  virtual void BringToFront() = 0;

  // The query box's drop-down list mirrors the history list the core keeps.
  virtual void HistoryInserted(int position, const std::string& text) = 0;
  virtual void HistoryRemoved(int position) = 0;
  // The whole list changed (cleared, or many entries added at once).
  virtual void HistoryReset(const std::vector<std::string>& entries) = 0;
  // Closes the drop-down list if it is open, leaving the box's text alone.
  virtual void CloseHistoryList() = 0;

  // The fixed search menu: entry visibility, and opening it at the mouse pointer or, when the
  // keyboard asked for it, under the menu button's left edge. Choosing an entry comes back as
  // SearchBar::MenuSearch_Click(index).
  virtual void SetMenuEntryVisible(int index, bool visible) = 0;
  virtual void ShowMenu(MenuPlace place) = 0;
};

// Opens the settings dialog from the menu entry "設定"; the dialog's own behaviour fills it in.
class SettingsDialogLauncher {
 public:
  virtual ~SettingsDialogLauncher() = default;
  virtual void ShowSettingsDialog() = 0;
};

}  // namespace velto
