// OK, Cancel, the close box, Help, restore-defaults, and the search bar closing the dialog.
#include <gtest/gtest.h>

#include <string>

#include "dialog/dialog_fixture.h"
#include "support/rewrite_counter.h"

namespace velto::test {
namespace {

TEST_F(DialogTest, Ok_TakesChoicesOverRelabelsAndSaves) {
  Start();
  OpenDialog();
  Pick(0, 4);
  Pick(1, 12);  // a blank slot
  Pick(kSlotSelector, 7);
  Pick(kDefaultSelector, 1);
  view.always_top_checked = false;
  dialog.OnCommand(DialogCommand::Ok);

  EXPECT_EQ(model.SearchSelect, (std::array<std::int16_t, 6>{4, 12, 2, 3, 7, 0}));
  EXPECT_EQ(model.DefaultSearch, NumberOrText::Number(1));
  EXPECT_EQ(model.AlwaysTop, NumberOrText::Number(0));
  EXPECT_EQ(bar_view.buttons[0].caption, "Excite");
  EXPECT_EQ(bar_view.buttons[0].tooltip, "Excite");
  // The default button on a blank slot is blank, disabled, without a tooltip, and bold.
  EXPECT_EQ(bar_view.buttons[1].caption, "");
  EXPECT_EQ(bar_view.buttons[1].tooltip, "");
  EXPECT_FALSE(bar_view.buttons[1].enabled);
  EXPECT_EQ(bar_view.BoldButtons(), std::vector<int>{1});
  EXPECT_EQ(bar_view.topmost, false);
  EXPECT_EQ(Stored("Velto", "SearchSelect(1)"), "12");
  EXPECT_EQ(Stored("Velto", "SearchSelect(4)"), "7");
  EXPECT_EQ(Stored("Velto", "DefaultSearch"), "1");
  EXPECT_EQ(Stored("Velto", "AlwaysTop"), "0");
  EXPECT_FALSE(view.open);
  EXPECT_FALSE(dialog.IsLoaded());
}

TEST_F(DialogTest, Ok_RewritesTheSettingsFileOnce_WithAChangedSuggestSwitch) {
  Start();
  for (const bool suggest : {true, false}) {
    SCOPED_TRACE(suggest);
    OpenDialog();
    Pick(0, 4);
    view.suggest_checked = suggest;
    RewriteCounter rewrites(folder / "velto.ini");
    if (!rewrites.available()) GTEST_SKIP() << "the system reports no rewrites to the test";
    dialog.OnCommand(DialogCommand::Ok);
    EXPECT_EQ(rewrites.Count(), 1);
    EXPECT_EQ(Stored("Velto", "SearchSelect(0)"), "4");
    EXPECT_EQ(Stored("Velto", "Suggest"), suggest ? "1" : "0");
  }
}

TEST_F(DialogTest, Ok_UnboldsTheSearchButtonsOnly_ABoldMenuButtonStays) {
  Start({{"DefaultSearch", "5"}});
  ASSERT_EQ(bar_view.BoldButtons(), std::vector<int>{5});
  OpenDialog();
  Pick(kDefaultSelector, 2);
  dialog.OnCommand(DialogCommand::Ok);
  EXPECT_EQ(bar_view.BoldButtons(), (std::vector<int>{2, 5}));
}

TEST_F(DialogTest, Ok_WithoutChange_ReappliesTopmostAndRewritesOptions) {
  Start({{"AlwaysTop", "1.0"}});
  const int topmost_calls = bar_view.topmost_calls;
  OpenDialog();
  dialog.OnCommand(DialogCommand::Ok);
  EXPECT_EQ(bar_view.topmost_calls, topmost_calls + 1);
  EXPECT_EQ(bar_view.topmost, true);
  EXPECT_EQ(Stored("Velto", "AlwaysTop"), "1");
}

TEST_F(DialogTest, Ok_SelectorsWithoutSelection_KeepThoseSettings) {
  Start({{"SearchSelect(2)", "40"}, {"SearchSelect(4)", "-3"}, {"DefaultSearch", "9"}});
  OpenDialog();
  Pick(0, 6);
  dialog.OnCommand(DialogCommand::Ok);
  EXPECT_EQ(model.SearchSelect, (std::array<std::int16_t, 6>{6, 1, 40, 3, -3, 0}));
  EXPECT_EQ(model.DefaultSearch.AsNumber(), 9.0);
  EXPECT_EQ(bar_view.buttons[0].caption, "まぐまぐ");
  EXPECT_EQ(bar_view.buttons[2].caption, "");
  EXPECT_FALSE(bar_view.buttons[2].enabled);
  EXPECT_EQ(Stored("Velto", "SearchSelect(0)"), "6");
  EXPECT_EQ(Stored("Velto", "SearchSelect(2)"), "40");
  EXPECT_FALSE(view.open);
}

TEST_F(DialogTest, CancelAndCloseBox_DropChoicesButKeepCommittedEdits) {
  Start();
  for (bool close_box : {false, true}) {
    OpenDialog();
    Pick(0, 9);
    Pick(kSlotSelector, 5);
    TypeSlot("Fresh", "http://fresh/", "http://fresh/?q=");
    dialog.OnCommand(DialogCommand::StoreSlot);
    close_box ? dialog.OnCommand(DialogCommand::CloseBox) : dialog.OnCommand(DialogCommand::Cancel);
    EXPECT_FALSE(view.open);
    EXPECT_EQ(model.SearchSelect[0], 0);
    EXPECT_EQ(model.SearchSelect[kSlotSelector], 0);
    EXPECT_EQ(Stored("Velto", "SearchSelect(0)"), "0");
    EXPECT_EQ(model.SearchName[5], "Fresh");
    EXPECT_EQ(Stored("SearchData", "SearchName(5)"), "Fresh");
    EXPECT_EQ(bar_view.buttons[0].caption, "Yahoo!");
  }
}

TEST_F(DialogTest, Unload_WhenTheSearchBarCloses_TakesNothingOver) {
  Start();
  OpenDialog();
  Pick(3, 8);
  view.always_top_checked = false;
  bar.Handle(WindowClosed{});
  dialog.Unload();
  dialog.Unload();  // closing twice is harmless
  EXPECT_EQ(view.close_calls, 1);
  EXPECT_EQ(model.SearchSelect[3], 3);
  EXPECT_EQ(Stored("Velto", "SearchSelect(3)"), "3");
  EXPECT_EQ(Stored("Velto", "AlwaysTop"), "1");
}

TEST_F(DialogTest, Help_OpensTheLocalPageAndStaysOpen) {
  Start();
  OpenDialog();
  dialog.OnCommand(
      DialogCommand::Help);  // no Help.html in the folder: nothing of the program's own shows
  ASSERT_EQ(platform.shell_calls.size(), 1u);
  EXPECT_EQ(platform.shell_calls[0].owner, WindowRole::SettingsDialog);
  EXPECT_EQ(std::filesystem::path(platform.shell_calls[0].address), folder / "Help.html");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(view.open);
}

TEST_F(DialogTest, Restore_AnsweredCancel_ChangesNothing) {
  Start();
  OpenDialog();
  Pick(kSlotSelector, 0);
  TypeSlot("Mine", "", "http://mine/?q=");
  dialog.OnCommand(DialogCommand::StoreSlot);
  const std::string before = FileBytes();
  platform.answers = {MessageAnswer::Cancel};
  dialog.OnCommand(DialogCommand::RestoreDefaults);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "サーチエンジンの登録データを最初の状態に戻します。");
  EXPECT_EQ(platform.messages[0].caption, "注意");
  EXPECT_EQ(platform.messages[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(model.SearchName[0], "Mine");
  EXPECT_EQ(view.open_calls, 1);
}

TEST_F(DialogTest, Restore_AnsweredOk_ReloadsDefaultsAndReopens) {
  store.WriteSetting("Velto", "Top", "4500");
  Start({{"SearchSelect(0)", "11"}, {"AlwaysTop", "0"}});
  store.WriteSetting("SearchData", "SearchName(11)", "Eleven");
  store.WriteSetting("SearchData", "SearchName(3)", "Three");
  bar.LoadSettings();
  bar.LabelSearchButtons();
  bar_view.top = 300;  // moved since start-up

  OpenDialog();
  dialog.OnCommand(DialogCommand::RestoreDefaults);
  EXPECT_EQ(view.close_calls, 1);
  EXPECT_EQ(view.open_calls, 2);
  EXPECT_TRUE(view.visible);
  EXPECT_EQ(view.Entries(0)[3], "Infoseek");
  EXPECT_EQ(view.Entries(0)[11], "Eleven");
  EXPECT_EQ(view.SelectedEntry(0), 0);
  EXPECT_TRUE(view.always_top_checked);
  // The bar went back to its stored position and the dialog was placed beside it there.
  EXPECT_EQ(bar_view.top, 4500.0f);
  EXPECT_EQ(view.top, 4500.0f + bar_view.height);
  // The search bar shows the old assignment until OK.
  EXPECT_EQ(bar_view.buttons[0].caption, "Eleven");

  dialog.OnCommand(DialogCommand::Cancel);
  EXPECT_EQ(model.SearchSelect[0], 0);
  EXPECT_EQ(Stored("Velto", "SearchSelect(0)"), "0");
  EXPECT_EQ(bar_view.buttons[0].caption, "Eleven");
}

}  // namespace
}  // namespace velto::test
