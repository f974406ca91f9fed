// The search bar's keyboard commands; the window previews every key for this handler.
#include "main/key_codes.h"
#include "main/search_bar.h"

namespace velto {

void SearchBar::Form_KeyDown(int key_code, int /*shift*/) {
  switch (key_code) {
    case kKeyEnter: {
      // A DefaultSearch that is no number, or none in 16 bits, names no button: nothing happens.
      auto value = model_.DefaultSearch.AsNumber();
      auto index = value ? ToInt16Floor(*value) : std::nullopt;
      if (index) Command1_Click(*index);
      break;
    }
    case kKeyEscape:
      Command1_Click(kClearButton);
      break;
    case kKeyF1:
    case kKeyF2:
    case kKeyF3:
    case kKeyF4:
      Command1_Click(key_code - kKeyF1);
      break;
    case kKeyF5: {
      // Cycles 0 -> 1 -> 2 -> 3 -> 0; a default outside that cycle (or no number) starts it at 0.
      auto value = model_.DefaultSearch.AsNumber();
      auto index = value ? ToInt16Floor(*value) : std::nullopt;
      int next = 0;
      if (index && *index >= 0 && *index < kSearchButtons) next = (*index + 1) % kSearchButtons;
      model_.DefaultSearch = NumberOrText::Number(next);
      ShowDefaultButton();
      break;
    }
    case kKeyF8:
      // Unconditional, as a way to note the query: empty texts and repeats are added too.
      InsertHistory(0, view_.QueryText());
      CountNewQuery();
      break;
    case kKeyF9:
      history_.Clear();
      ShowWholeHistory();
      view_.SetQueryText("");
      break;
    default:
      break;
  }
}

}  // namespace velto
