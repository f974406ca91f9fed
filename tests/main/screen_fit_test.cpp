// Keeping a window wholly inside one screen's work area, the least distance moved.
#include "main/screen_fit.h"

#include <gtest/gtest.h>

#include <vector>

namespace velto {
namespace {

// Pixels. The primary screen 1024x768 with a task bar of 40 at its bottom; a second one,
// 1280x1024, to its right and 100 higher.
const ScreenRect kPrimary{0, 0, 1024, 728};
const ScreenRect kRight{1024, -100, 1280, 1024};
constexpr float kW = 260;
constexpr float kH = 90;

struct FitCase {
  const char* what;
  ScreenRect window;
  ScreenRect expected;
};

const FitCase kFits[] = {
    {"wholly inside stays", {10, 20, kW, kH}, {10, 20, kW, kH}},
    {"touching every edge stays", {0, 0, 1024, 728}, {0, 0, 1024, 728}},
    {"wholly on the second screen stays", {2000, -100, kW, kH}, {2000, -100, kW, kH}},
    {"half off the right edge of the second", {2200, 300, kW, kH}, {2304 - kW, 300, kW, kH}},
    {"a sliver on the left", {-250, 300, kW, kH}, {0, 300, kW, kH}},
    {"above the top", {300, -60, kW, kH}, {300, 0, kW, kH}},
    {"over the task bar", {300, 700, kW, kH}, {300, 728 - kH, kW, kH}},
    {"corner beyond the primary's bottom left", {-100, 700, kW, kH}, {0, 728 - kH, kW, kH}},
    {"below the task bar, over the second", {1000, 740, kW, kH}, {1024, 740, kW, kH}},
    {"straddling, mostly on the primary", {850, 300, kW, kH}, {1024 - kW, 300, kW, kH}},
    {"straddling, mostly on the second", {1000, 300, kW, kH}, {1024, 300, kW, kH}},
    {"above both, over the second", {1100, -150, kW, kH}, {1100, -100, kW, kH}},
    {"off every screen goes to the primary", {-900, -900, kW, kH}, {0, 0, kW, kH}},
    {"larger than the screen keeps its corner in", {-30, -30, 1100, 800}, {0, 0, 1100, 800}},
};

TEST(ScreenFit, KeepOnScreen_MovesTheLeastIntoTheScreenOverlappedMost) {
  const std::vector<ScreenRect> screens{kPrimary, kRight};
  for (const FitCase& c : kFits) EXPECT_EQ(KeepOnScreen(c.window, screens), c.expected) << c.what;
}

TEST(ScreenFit, EqualOverlapPicksTheFirstAndNoScreensMovesNothing) {
  const std::vector<ScreenRect> twins{{0, 0, 100, 100}, {100, 0, 100, 100}};
  EXPECT_EQ(AreaOverlappedMost({50, 10, 100, 20}, twins), 0u);
  EXPECT_EQ(AreaOverlappedMost({60, 10, 100, 20}, twins), 1u);
  EXPECT_FALSE(OverlapsAny({100, 100, 10, 10}, std::vector<ScreenRect>{{0, 0, 100, 100}}));
  EXPECT_EQ(KeepOnScreen({-50, -50, 10, 10}, {}), (ScreenRect{-50, -50, 10, 10}));
}

}  // namespace
}  // namespace velto
