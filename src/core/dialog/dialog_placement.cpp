#include "dialog/dialog_placement.h"

namespace velto {

float DialogTop(float screen_height, const BarGeometry& bar, float dialog_height) {
  // Each step is stored in a float so that the comparison is made in single precision even
  // where the compiler computes with more.
  const float room_below = screen_height - bar.top - bar.height;
  const float below = bar.top + bar.height;
  const float above = bar.top - dialog_height;
  float top = room_below >= dialog_height ? below : above;
  const float lowest = screen_height - dialog_height;
  if (top > lowest) top = lowest;
  if (top < 0.0f) top = 0.0f;
  return top;
}

}  // namespace velto
