// The history list rules shared by button searches, keys, the fixed search menu and drops.
#include <limits>

#include "main/search_bar.h"

namespace velto {

void SearchBar::InsertHistory(int position, std::string text) {
  view_.HistoryInserted(position, text);
  history_.Insert(position, std::move(text));
}

void SearchBar::RemoveHistory(int position) {
  history_.Remove(position);
  view_.HistoryRemoved(position);
}

void SearchBar::ShowWholeHistory() {
  const auto& entries = history_.Entries();
  view_.HistoryReset(std::vector<std::string>(entries.begin(), entries.end()));
}

bool SearchBar::MoveQueryToTop(const std::string& query) {
  if (!history_.Entries().empty() && history_.Entries().front() == query) return false;
  InsertHistory(0, query);
  for (int position = 1; position < history_.Count();) {
    if (history_.Entries()[static_cast<std::size_t>(position)] == query) {
      // A list control may change its edit text when an item goes; keep showing the query.
      view_.SetQueryText(query);
      RemoveHistory(position);
    } else {
      ++position;
    }
  }
  return true;
}

void SearchBar::CountNewQuery() {
  // The counter stops at its largest value rather than turning negative.
  if (new_history_count_ < std::numeric_limits<std::int16_t>::max()) ++new_history_count_;
}

}  // namespace velto
