#pragma once
// Keeping a window reachable: wholly inside the work area (the screen less its task bars) of one
// screen. Pure geometry over rectangles; the front ends list the screens' work areas and the
// window's outer rectangle, all in one unit (twips or pixels), screen coordinates.
#include <cstddef>
#include <span>

namespace velto {

struct ScreenRect {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;

  float Right() const { return left + width; }
  float Bottom() const { return top + height; }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// True when some of the window lies on one of the areas.
bool OverlapsAny(const ScreenRect& window, std::span<const ScreenRect> areas);

// The index of the area the window overlaps most (the first among equals); 0, the primary
// screen, when it overlaps none. Areas must not be empty.
std::size_t AreaOverlappedMost(const ScreenRect& window, std::span<const ScreenRect> areas);

// The window moved the least distance that puts it wholly inside the area. Where it is wider or
// taller than the area, its left or top edge goes to the area's, so that the caption stays
// within reach.
ScreenRect MoveInside(const ScreenRect& window, const ScreenRect& area);

// The window as it is when it lies wholly inside some area; otherwise moved inside the area it
// overlaps most, or the first (the primary screen's) when it overlaps none. No areas, no move.
ScreenRect KeepOnScreen(const ScreenRect& window, std::span<const ScreenRect> areas);

}  // namespace velto
