// The dialog's layout table, which both front ends build from.
#include <gtest/gtest.h>

#include <set>

#include "dialog/dialog_layout.h"

namespace velto {
namespace {

const DialogControl* Frame(DialogParent parent) {
  for (const auto& control : kDialogControls)
    if (control.kind == DialogControlKind::Frame &&
        control.index == (parent == DialogParent::Frame1 ? 1 : 2))
      return &control;
  return nullptr;
}

TEST(DialogLayout, TabOrderIsOnePermutation) {
  std::set<int> tabs;
  for (const auto& control : kDialogControls) tabs.insert(control.tab);
  EXPECT_EQ(tabs.size(), kDialogControls.size());
  EXPECT_EQ(*tabs.begin(), 0);
  EXPECT_EQ(*tabs.rbegin(), static_cast<int>(kDialogControls.size()) - 1);
  EXPECT_EQ(kDialogControls[7].name, "Combo1(0)");
  EXPECT_EQ(kDialogControls[7].tab, 0);
}

TEST(DialogLayout, EveryControlLiesInsideItsContainer) {
  for (const auto& control : kDialogControls) {
    int width = kDialogClientWidth, height = kDialogClientHeight;
    if (control.parent != DialogParent::Dialog) {
      const DialogControl* frame = Frame(control.parent);
      ASSERT_NE(frame, nullptr);
      width = frame->width;
      height = frame->height;
    }
    EXPECT_GE(control.left, 0) << control.name;
    EXPECT_GE(control.top, 0) << control.name;
    EXPECT_LE(control.left + control.width, width) << control.name;
    EXPECT_LE(control.top + control.height, height) << control.name;
  }
}

}  // namespace
}  // namespace velto
