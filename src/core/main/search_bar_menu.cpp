// The fixed search menu opened by the menu button.
#include "main/fixed_searches.h"
#include "main/search_bar.h"

namespace velto {

void SearchBar::MenuSearch_Click(int index) {
  if (index == kSettingsMenuEntry) {
    if (dialog_) dialog_->ShowSettingsDialog();
    return;
  }
  const auto entry = FindFixedSearch(index);
  if (!entry || entry->is_separator || entry->prefix.empty()) return;
  if (entry->debug_only && !debug_switch_) return;  // hidden entries cannot be chosen

  const std::string query = view_.QueryText();
  if (query.empty()) return;
  // The fixed searches are no engine slots: the program's browser command applies.
  browser_.OpenSearch(std::nullopt, entry->prefix, query);

  // The history follows the shell call and keeps its length at the cap: one entry goes.
  if (MoveQueryToTop(query) && history_.Count() > kFixedSearchHistoryCap)
    RemoveHistory(kFixedSearchHistoryCap);
}

}  // namespace velto
