#pragma once
// Captions that fit their controls at any scale. The layout tables place every control in
// twips; at some scales rounding, or a font a little wider than the one the layout was drawn
// for, leaves a caption a pixel or two short. The front ends measure the caption with the
// control's font and widen the control, never past the control to its right; a caption that
// still does not fit is shortened at its end with an ellipsis.
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace velto {

struct LayoutBox {
  int left;
  int top;
  int width;
  int height;
  int parent;  // boxes only block each other inside the same parent
};

// The right edge a box may reach: the left edge of the nearest box of the same parent that
// stands to its right and shares some of its rows, or else `parent_right`. A box the table
// draws into its neighbour (the search buttons overlap by 15 twips) stops there too.
int GrowLimit(std::span<const LayoutBox> boxes, std::size_t index, int parent_right);

// The width a control takes to show `needed` units of caption: its own width when that is
// enough, else wider, up to `limit` (a right edge). It shrinks only where its own width would
// reach past the limit: neighbours never overlap.
int FittedWidth(int left, int width, int needed, int limit);

inline constexpr std::string_view kEllipsis = "…";

// The caption as a control with `room` units for it shows it: whole when `width` says it fits,
// else its longest beginning (whole characters, blanks at its end dropped) that fits with the
// ellipsis after it; the ellipsis alone when not even one character does.
std::string FitCaption(std::string_view caption, int room,
                       const std::function<int(std::string_view)>& width);

// The same limits for the two layout tables, in twips relative to the control's parent.
int BarGrowLimit(std::size_t index);
int DialogGrowLimit(std::size_t index);

}  // namespace velto
