#include "main/bar_placement.h"

#include "settings/storable_text.h"

namespace velto {

std::string BarPlacement::HistoryItem(int index) const {
  if (!storable_history_) {
    storable_history_.emplace();
    for (const std::string& entry : history_.Entries())
      if (IsStorableText(entry)) storable_history_->push_back(entry);
  }
  if (index < 0 || index >= static_cast<int>(storable_history_->size())) return {};
  return (*storable_history_)[static_cast<std::size_t>(index)];
}

void BarPlacement::ApplyCollectedPosition() {
  if (!top_ && !left_) return;
  if (!view_.IsOnSomeScreen(Left(), Top())) return;
  if (top_) view_.SetTop(*top_);
  if (left_) view_.SetLeft(*left_);
}

}  // namespace velto
