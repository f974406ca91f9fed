#include "main/accessible_names.h"

#include "main/search_bar_layout.h"
#include "settings/settings_model.h"

namespace velto {

std::string ButtonDescription(int index, std::optional<int> enter_button) {
  const bool search_button = index >= 0 && index < kSearchButtons;
  std::string description;
  if (enter_button && *enter_button == index) {
    if (search_button) description = "Enter で検索、";
    if (index == kClearButton) description = "Enter で消去、";
    if (index == kMenuButton) description = "Enter で開く";
  }
  if (search_button) description += "F" + std::to_string(index + 1) + " キーでも検索";
  if (index == kClearButton) description += "Esc キーでも消去";
  return description;
}

}  // namespace velto
