// The help page of a program whose settings live apart from it (an installed Linux program),
// and what the page says of the dialog.
#include <array>
#include <string_view>

#include "dialog/dialog_fixture.h"
#include "main/key_codes.h"

namespace velto::test {
namespace {

TEST_F(DialogTest, Help_PlatformKeepsThePageElsewhere_OpensItThereNotInTheSettingsFolder) {
  TempFolder share;
  platform.help_folder = share.path();
  Start();
  OpenDialog();
  EXPECT_EQ(dialog.HelpPath(), share / "Help.html");
  dialog.OnCommand(DialogCommand::Help);
  ASSERT_EQ(platform.shell_calls.size(), 1u);
  EXPECT_EQ(std::filesystem::path(platform.shell_calls[0].address), share / "Help.html");
  // The settings stay where the platform keeps them.
  EXPECT_TRUE(std::filesystem::exists(folder / "velto.ini"));
  EXPECT_FALSE(std::filesystem::exists(share / "velto.ini"));
}

#ifdef VELTO_HELP_PAGE
// The page counts the boxes where Enter stores the slot; every edit box of the layout does.
TEST_F(DialogTest, HelpPage_CountsEveryBoxWhereEnterStoresTheSlot) {
  Start();
  OpenDialog();
  int boxes = 0;
  for (const DialogControl& control : kDialogControls) {
    if (control.kind != DialogControlKind::EditBox) continue;
    ++boxes;
    Pick(kSlotSelector, 1);
    view.Type(kNameBox, "name " + std::to_string(control.index));
    EXPECT_TRUE(dialog.Text1_KeyDown(control.index, kKeyEnter, 0)) << control.name;
    EXPECT_EQ(model.SearchName[1], "name " + std::to_string(control.index)) << control.name;
  }
  constexpr std::array<std::string_view, 10> kNumerals{"",   "一", "二", "三", "四",
                                                       "五", "六", "七", "八", "九"};
  ASSERT_LT(boxes, 10);
  const std::string page = ReadBytes(VELTO_HELP_PAGE);
  const std::string claim =
      std::string(kNumerals[static_cast<std::size_t>(boxes)]) +
      "つの入力欄（ボタン名、ホームページ、検索用アドレス、キーワード、検索候補）では、"
      "<kbd>Enter</kbd> キーが「変更」ボタンと同じ";
  EXPECT_NE(page.find(claim), std::string::npos);
}
#endif

}  // namespace
}  // namespace velto::test
