#include "main/history_list.h"

#include <iterator>

namespace velto {

std::string HistoryList::Item(int position) const {
  if (position < 0 || position >= Count()) return {};
  return entries_[static_cast<std::size_t>(position)];
}

void HistoryList::Insert(int position, std::string text) {
  if (position < 0 || position > Count()) return;
  entries_.insert(entries_.begin() + position, std::move(text));
  ++revision_;
}

void HistoryList::Remove(int position) {
  if (position < 0 || position >= Count()) return;
  entries_.erase(entries_.begin() + position);
  ++revision_;
}

void HistoryList::Prepend(std::vector<std::string> entries) {
  entries_.insert(entries_.begin(), std::make_move_iterator(entries.begin()),
                  std::make_move_iterator(entries.end()));
  ++revision_;
}

}  // namespace velto
