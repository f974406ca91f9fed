// Where the settings dialog opens next to the search bar.
#include <gtest/gtest.h>

#include "dialog/dialog_fixture.h"

namespace velto::test {
namespace {

struct PlacementCase {
  const char* what;
  float screen_height;
  float bar_top;
  float expected_top;
};

// Bar 1395 twips high, dialog 3510 twips high (the fakes' sizes).
constexpr PlacementCase kPlacements[] = {
    {"room below", 11520, 1200, 2595},
    {"room below exactly the dialog's height", 11520, 6615, 8010},
    {"one pixel too little room below", 11520, 6630, 3120},
    {"above would leave the screen's top", 4800, 1000, 0},
    {"bar partly above the screen", 11520, -600, 795},
    {"bar mostly above the screen", 11520, -2000, 0},
    {"bar below the screen's bottom", 11520, 13000, 8010},
};

TEST_F(DialogTest, Placement_BelowOrAboveTheBar_KeptInsideTheScreen) {
  Start();
  bar_view.left = 300;  // the left edge is the bar's
  for (const auto& c : kPlacements) {
    bar_view.screen_height = c.screen_height;
    bar_view.top = c.bar_top;
    OpenDialog();
    EXPECT_EQ(view.top, c.expected_top) << c.what;
    EXPECT_EQ(view.left, 300.0f) << c.what;
    dialog.OnCommand(DialogCommand::Cancel);
  }
}

// Dialog 7020 x 3510 twips; the bar's screen 19200 x 11520, a second one to its right.
TEST_F(DialogTest, Placement_KeptWhollyOnTheBarsScreen) {
  struct Case {
    const char* what;
    float bar_left;
    float bar_top;
    float expected_left;
    float expected_top;
  };
  const Case cases[] = {
      {"bar partly off the left edge", -300, 1200, 0, 2595},
      {"dialog would cross the right edge", 15000, 1200, 19200 - 7020, 2595},
      {"bar mostly on the second screen", 18000, 1200, 19200, 2595},
      {"bar on the second screen's right edge", 30000, 1200, 34560 - 7020, 2595},
  };
  Start();
  bar_view.other_screens = {{19200, 0, 15360, 11520}};
  for (const Case& c : cases) {
    bar_view.left = c.bar_left;
    bar_view.top = c.bar_top;
    OpenDialog();
    EXPECT_EQ(view.left, c.expected_left) << c.what;
    EXPECT_EQ(view.top, c.expected_top) << c.what;
    dialog.OnCommand(DialogCommand::Cancel);
  }
}

TEST_F(DialogTest, Placement_ShownAgain_FollowsTheMovedBar) {
  Start();
  bar_view.top = 1200;
  OpenDialog();
  bar_view.top = 9000;
  bar_view.left = 4500;
  OpenDialog();
  EXPECT_EQ(view.top, 9000.0f - 3510.0f);
  EXPECT_EQ(view.left, 4500.0f);
}

}  // namespace
}  // namespace velto::test
