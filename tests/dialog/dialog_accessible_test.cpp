// What a screen reader and the keyboard find in the settings dialog: every control it stops at
// has a name, each label names a control, Tab reaches the edited engine's fields before the
// buttons that end the dialog, and Esc cancels.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialog/dialog_accessible.h"
#include "dialog/dialog_commands.h"
#include "dialog/dialog_layout.h"

namespace velto {
namespace {

const DialogControl* Find(std::string_view name) {
  for (const DialogControl& c : kDialogControls)
    if (c.name == name) return &c;
  return nullptr;
}

TEST(DialogAccessible, EveryFocusableControlHasANameAndEveryLabelNamesOne) {
  for (const DialogLabelTie& tie : kDialogLabelTies) {
    SCOPED_TRACE(std::string(tie.label));
    const DialogControl* label = Find(tie.label);
    const DialogControl* control = Find(tie.control);
    ASSERT_TRUE(label && control);
    EXPECT_EQ(label->kind, DialogControlKind::Label);
    EXPECT_EQ(label->parent, control->parent) << "a label stands beside its control";
  }
  for (const DialogControl& c : kDialogControls) {
    SCOPED_TRACE(std::string(c.name));
    const bool captioned = c.kind == DialogControlKind::Button ||
                           c.kind == DialogControlKind::CheckBox ||
                           c.kind == DialogControlKind::Frame;
    if (c.kind == DialogControlKind::Label || captioned) continue;
    // A selector or an edit box shows no caption of its own: a label or a given name says it.
    EXPECT_NE(LabelOf(c.name).empty(), UnlabelledNameOf(c.name).empty()) << "exactly one name";
  }
}

TEST(DialogAccessible, TabReachesTheEditedEnginesFieldsBeforeTheEndingButtons) {
  const int first_ending =
      std::min({Find("Command1")->tab, Find("Command2")->tab, Find("Command3")->tab});
  for (std::string_view field : {"Combo1(4)", "Text1(0)", "Text1(1)", "Text1(2)", "Command5(0)",
                                 "Command5(2)", "Text1(3)", "Text1(4)"}) {
    SCOPED_TRACE(std::string(field));
    EXPECT_LT(Find(field)->tab, first_ending);
  }
  std::vector<int> tabs;
  for (const DialogControl& c : kDialogControls) tabs.push_back(c.tab);
  std::sort(tabs.begin(), tabs.end());
  EXPECT_EQ(std::adjacent_find(tabs.begin(), tabs.end()), tabs.end()) << "no two share a place";
}

TEST(DialogAccessible, EscCancelsWithoutShiftsOnly) {
  EXPECT_EQ(CommandOfKey(kKeyEscape, 0), DialogCommand::Cancel);
  EXPECT_EQ(CommandOfKey(kKeyEscape, kShiftKey), std::nullopt);
  EXPECT_EQ(CommandOfKey(kKeyEnter, 0), std::nullopt);
}

}  // namespace
}  // namespace velto
