#include "main/bar_placement.h"

namespace velto {

void BarPlacement::ApplyCollectedPosition() {
  if (!top_ && !left_) return;
  if (!view_.IsOnSomeScreen(Left(), Top())) return;
  if (top_) view_.SetTop(*top_);
  if (left_) view_.SetLeft(*left_);
}

}  // namespace velto
