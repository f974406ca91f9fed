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
                         ::testing::Values(FitCase{16, 60, 61, 96, 61},   // one pixel short
                                           FitCase{16, 60, 40, 96, 60},   // never shrinks
                                           FitCase{16, 60, 200, 96, 80},  // up to the neighbour
                                           FitCase{16, 60, 90, 70, 54},   // drawn into it
                                           FitCase{16, 60, 0, 70, 54}));  // even uncaptioned

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
  // The engine selectors: at the details frame, and inside it at the change button.
  EXPECT_EQ(DialogGrowLimit(DialogIndex("Combo1(1)")), 2640);
  EXPECT_EQ(DialogGrowLimit(DialogIndex("Combo1(4)")), 1800);
  // Nothing to its right: the frame's inside.
  EXPECT_EQ(DialogGrowLimit(DialogIndex("Label1(5)")), 3855 - 60);
  EXPECT_EQ(DialogGrowLimit(DialogIndex("Command3")), kDialogClientWidth);
  // The last search button stops at the menu button; the clear button at the window's edge;
  // the others, drawn 15 twips into their right neighbours, stop at them.
  EXPECT_EQ(BarGrowLimit(5), 3015);
  EXPECT_EQ(BarGrowLimit(1), kBarClientWidth);
  EXPECT_EQ(BarGrowLimit(2), 780);
  EXPECT_EQ(DialogGrowLimit(DialogIndex("Command5(0)")), 2400);
  const std::array<LayoutBox, 2> overlapping{{{0, 0, 100, 10, 0}, {50, 5, 10, 10, 0}}};
  EXPECT_EQ(GrowLimit(overlapping, 0, 500), 50);
  // Boxes in another parent or on other rows do not block.
  const std::array<LayoutBox, 3> apart{
      {{0, 0, 10, 10, 0}, {20, 0, 10, 10, 1}, {30, 10, 10, 10, 0}}};
  EXPECT_EQ(GrowLimit(apart, 0, 500), 500);
}

// Each fitted button of both tables ends at or before the next one's left edge, at every
// scale the twips are rounded to pixels.
TEST(GrowLimit, NoTwoNeighboursOverlapOnceFittedAtAnyDpi) {
  const auto pixels = [](int twips, int dpi) { return (twips * dpi + 720) / 1440; };
  for (int dpi : {96, 120, 144, 168, 192}) {
    for (std::size_t i = 0; i < kBarControls.size(); ++i) {
      const BarControl& c = kBarControls[i];
      const int right = pixels(c.left, dpi) + FittedWidth(pixels(c.left, dpi), pixels(c.width, dpi),
                                                          0, pixels(BarGrowLimit(i), dpi));
      for (const BarControl& other : kBarControls)
        if (other.top == c.top && other.left > c.left)
          EXPECT_LE(right, pixels(other.left, dpi)) << c.index << " at " << dpi;
    }
  }
}

// Widths as a font with one unit per byte would draw them: "…" is three bytes, three units.
int Bytes(std::string_view text) {
  return static_cast<int>(text.size());
}

TEST(FitCaption, WholeWhenItFitsElseCutAtItsEndWithAnEllipsis) {
  struct Case {
    const char* caption;
    int room;
    const char* shown;
  };
  const Case cases[] = {
      {"Yahoo! JAPAN", 12, "Yahoo! JAPAN"},
      {"Yahoo! JAPAN", 11, "Yahoo! J…"},
      {"Yahoo! JAPAN", 10, "Yahoo!…"},  // no blank before the ellipsis
      {"Wikipedia", 8, "Wikip…"},
      {"楽天市場", 11, "楽天…"},  // whole characters only
      {"楽天市場", 5, "…"},
      {"", 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FitCaption(c.caption, c.room, Bytes), c.shown) << c.room;
}

}  // namespace
}  // namespace velto
