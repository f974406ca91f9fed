#include "main/bar_placement.h"

#include <vector>

#include "main/screen_fit.h"
#include "settings/storable_text.h"

namespace velto {

std::string BarPlacement::HistoryItem(int index) const {
  if (!storable_history_) {
    storable_history_.emplace();
    for (const std::string& entry : history_.Entries())
      if (IsStorableText(codec_, entry)) storable_history_->push_back(entry);
  }
  if (index < 0 || index >= static_cast<int>(storable_history_->size())) return {};
  return (*storable_history_)[static_cast<std::size_t>(index)];
}

void BarPlacement::ApplyCollectedPosition() {
  const std::vector<ScreenRect> areas = view_.ScreenWorkAreas();
  ScreenRect bar{view_.Left(), view_.Top(), view_.Width(), view_.Height()};
  if (top_ || left_) {
    const ScreenRect stored{Left(), Top(), bar.width, bar.height};
    if (OverlapsAny(stored, areas)) {
      if (top_) view_.SetTop(*top_);
      if (left_) view_.SetLeft(*left_);
      bar = stored;
    }
  }
  // A bar partly off its screen (after a change of monitors or of display scale) moves in.
  const ScreenRect kept = KeepOnScreen(bar, areas);
  if (kept.top != bar.top) view_.SetTop(kept.top);
  if (kept.left != bar.left) view_.SetLeft(kept.left);
}

}  // namespace velto
