// Clicks and mouse presses on the Command1 buttons.
#include "main/search_bar.h"
#include "main/shell_address.h"

namespace velto {

void SearchBar::Command1_Click(int index) {
  // A search or a cleared box leaves no suggestions behind, nor an answer on its way.
  if (index != kMenuButton) suggestions_.Close();
  const bool search_button = index >= 0 && index < kSearchButtons;
  const std::string query = view_.QueryText();
  if (search_button && query.empty()) return;

  if (index != kClearButton && index != kMenuButton && !query.empty() && MoveQueryToTop(query))
    CountNewQuery();

  if (search_button) {
    // A button assigned outside the engine table opens nothing; the history update stays.
    if (auto slot = EngineSlotOfButton(index))
      OpenSearchAddress(platform_, WindowRole::SearchBar,
                        model_.SearchEngn[static_cast<std::size_t>(*slot)], view_.QueryText());
  } else if (index == kClearButton) {
    view_.SetQueryText("");
    view_.FocusQuery();
  } else if (index == kMenuButton) {
    view_.ShowMenuAtPointer();
  }
}

void SearchBar::Command1_MouseDown(int index, int mouse_button) {
  if (mouse_button == kLeftMouseButton) return;  // the left button is a click
  if (index < 0 || index >= kSearchButtons) return;
  if (!view_.IsButtonEnabled(index)) return;
  if (auto slot = EngineSlotOfButton(index))
    OpenHomePage(platform_, WindowRole::SearchBar,
                 model_.SearchHome[static_cast<std::size_t>(*slot)]);
}

}  // namespace velto
