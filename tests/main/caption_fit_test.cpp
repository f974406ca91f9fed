// Controls widened to show their captions whole, never into their neighbours.
#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "dialog/dialog_layout.h"
#include "main/caption_fit.h"
#include "main/search_bar_layout.h"

namespace velto {
namespace {

struct FitCase {
  int left, width, needed, limit, fitted;
};

class FittedWidthCase : public ::testing::TestWithParam<FitCase> {};

TEST_P(FittedWidthCase, GrowsToFitButNeverPastTheLimit) {
  const FitCase& c = GetParam();
  EXPECT_EQ(FittedWidth(c.left, c.width, c.needed, c.limit), c.fitted);
}

INSTANTIATE_TEST_SUITE_P(Widths, FittedWidthCase,
                         ::testing::Values(FitCase{16, 60, 61, 96, 61},    // one pixel short
                                           FitCase{16, 60, 40, 96, 60},    // never shrinks
                                           FitCase{16, 60, 200, 96, 80},   // up to the neighbour
                                           FitCase{16, 60, 90, 70, 60}));  // already past it

std::size_t DialogIndex(std::string_view name) {
  for (std::size_t i = 0; i < kDialogControls.size(); ++i)
    if (kDialogControls[i].name == name) return i;
  ADD_FAILURE() << name;
  return 0;
}

TEST(GrowLimit, IsTheNearestControlToTheRightOnTheSameRowsOfTheSameParent) {
  // Row labels stop at their selectors; the default button's selector at the details frame.
  EXPECT_EQ(DialogGrowLimit(DialogIndex("Label1(0)")), 960);
  EXPECT_EQ(DialogGrowLimit(DialogIndex("Label1(4)")), 1440);
  EXPECT_EQ(DialogGrowLimit(DialogIndex("Combo1(5)")), 2640);
  // Nothing to its right: the frame's inside.
  EXPECT_EQ(DialogGrowLimit(DialogIndex("Label1(5)")), 3855 - 60);
  EXPECT_EQ(DialogGrowLimit(DialogIndex("Command3")), kDialogClientWidth);
  // The last search button stops at the menu button; the clear button at the window's edge;
  // the others already reach into their right neighbours and keep their own edge.
  EXPECT_EQ(BarGrowLimit(5), 3015);
  EXPECT_EQ(BarGrowLimit(1), kBarClientWidth);
  EXPECT_EQ(BarGrowLimit(2), 795);
  // A box already past its limit keeps its own right edge.
  const std::array<LayoutBox, 2> overlapping{{{0, 0, 100, 10, 0}, {50, 5, 10, 10, 0}}};
  EXPECT_EQ(GrowLimit(overlapping, 0, 500), 100);
  // Boxes in another parent or on other rows do not block.
  const std::array<LayoutBox, 3> apart{
      {{0, 0, 10, 10, 0}, {20, 0, 10, 10, 1}, {30, 10, 10, 10, 0}}};
  EXPECT_EQ(GrowLimit(apart, 0, 500), 500);
}

}  // namespace
}  // namespace velto
