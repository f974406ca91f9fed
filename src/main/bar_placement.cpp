#include "main/bar_placement.h"

#include <vector>

#include "main/screen_fit.h"

namespace velto {

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
