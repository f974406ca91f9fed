#include "main/screen_fit.h"

#include <algorithm>

namespace velto {
namespace {

float OverlapArea(const ScreenRect& a, const ScreenRect& b) {
  const float width = std::min(a.Right(), b.Right()) - std::max(a.left, b.left);
  const float height = std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0.0f;
}

bool Contains(const ScreenRect& area, const ScreenRect& window) {
  return window.left >= area.left && window.top >= area.top && window.Right() <= area.Right() &&
         window.Bottom() <= area.Bottom();
}

// One axis: the start that keeps [start, start + size) within [low, low + room).
float Within(float start, float size, float low, float room) {
  if (size >= room) return low;
  return std::clamp(start, low, low + room - size);
}

}  // namespace

bool OverlapsAny(const ScreenRect& window, std::span<const ScreenRect> areas) {
  return std::any_of(areas.begin(), areas.end(),
                     [&](const ScreenRect& area) { return OverlapArea(window, area) > 0; });
}

std::size_t AreaOverlappedMost(const ScreenRect& window, std::span<const ScreenRect> areas) {
  std::size_t best = 0;
  float most = 0;
  for (std::size_t i = 0; i < areas.size(); ++i) {
    const float overlap = OverlapArea(window, areas[i]);
    if (overlap > most) {
      most = overlap;
      best = i;
    }
  }
  return best;
}

ScreenRect MoveInside(const ScreenRect& window, const ScreenRect& area) {
  ScreenRect moved = window;
  moved.left = Within(window.left, window.width, area.left, area.width);
  moved.top = Within(window.top, window.height, area.top, area.height);
  return moved;
}

ScreenRect KeepOnScreen(const ScreenRect& window, std::span<const ScreenRect> areas) {
  if (areas.empty()) return window;
  for (const ScreenRect& area : areas)
    if (Contains(area, window)) return window;
  return MoveInside(window, areas[AreaOverlappedMost(window, areas)]);
}

}  // namespace velto
