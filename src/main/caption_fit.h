#pragma once
// Captions that fit their controls at any scale. The layout tables place every control in
// twips; at some scales rounding, or a font a little wider than the one the layout was drawn
// for, leaves a caption a pixel or two short. The front ends measure the caption with the
// control's font and widen the control, never past the control to its right.
#include <cstddef>
#include <span>

namespace velto {

struct LayoutBox {
  int left;
  int top;
  int width;
  int height;
  int parent;  // boxes only block each other inside the same parent
};

// The right edge a box may grow to: the left edge of the nearest box of the same parent that
// stands to its right and shares some of its rows, or else `parent_right`.
int GrowLimit(std::span<const LayoutBox> boxes, std::size_t index, int parent_right);

// The width a control takes to show `needed` units of caption: its own width when that is
// enough, else wider, up to `limit` (a right edge). A control never shrinks.
int FittedWidth(int left, int width, int needed, int limit);

// The same limits for the two layout tables, in twips relative to the control's parent.
int BarGrowLimit(std::size_t index);
int DialogGrowLimit(std::size_t index);

}  // namespace velto
