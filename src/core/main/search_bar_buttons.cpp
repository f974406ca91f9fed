// Clicks and mouse presses on the Command1 buttons.
#include "main/engine_keyword.h"
#include "main/search_bar.h"

namespace velto {

void SearchBar::Command1_Click(int index) {
  // A search or a cleared box leaves no suggestions behind, nor an answer on its way.
  if (index != kMenuButton) suggestions_.Close();
  PressButton(index, QueryKind::Typed);
}

void SearchBar::PressButton(int index, QueryKind kind) {
  const bool search_button = index >= 0 && index < kSearchButtons;
  const std::string query = view_.QueryText();
  if (search_button && query.empty()) return;

  if (index != kClearButton && index != kMenuButton && !query.empty() && MoveQueryToTop(query))
    CountNewQuery();

  if (search_button) {
    // A typed text may name its engine by keyword, whatever button or key started the search;
    // history keeps the text as typed. A button assigned outside the engine table opens
    // nothing; the history update stays.
    std::string searched = view_.QueryText();
    std::optional<int> slot = EngineSlotOfButton(index);
    if (kind == QueryKind::Typed) {
      if (auto match = MatchEngineKeyword(model_, searched)) {
        slot = match->slot;
        searched = std::move(match->rest);
      }
    }
    if (!slot) return;
    const auto k = static_cast<std::size_t>(*slot);
    if (searched.empty())
      browser_.OpenHomePage(*slot, model_.SearchHome[k]);  // "w " alone
    else
      browser_.OpenSearch(*slot, model_.SearchEngn[k], searched);
  } else if (index == kClearButton) {
    view_.SetQueryText("");
    view_.FocusQuery();
  } else if (index == kMenuButton) {
    // A click of the mouse opens the menu where the pointer is; Space, Enter or a drop opened
    // from the keyboard put it under the button, where the user's eyes and a magnifier are.
    view_.ShowMenu(clicked_by_mouse_ ? MenuPlace::AtPointer : MenuPlace::UnderMenuButton);
  }
}

void SearchBar::Command1_MouseDown(int index, int mouse_button) {
  if (mouse_button == kLeftMouseButton) return;  // the left button is a click
  if (index < 0 || index >= kSearchButtons) return;
  if (!view_.IsButtonEnabled(index)) return;
  if (auto slot = EngineSlotOfButton(index))
    browser_.OpenHomePage(*slot, model_.SearchHome[static_cast<std::size_t>(*slot)]);
}

}  // namespace velto
