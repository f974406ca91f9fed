// Start-up: the order of its steps, missing and odd settings, the stored position, the "/D" switch.
#include <filesystem>
#include <string_view>

#include "main/fixed_searches.h"
#include "search_bar_fixture.h"

namespace velto::test {
namespace {

using StartUp = SearchBarTest;

TEST_F(StartUp, NoSettingsFile_EmptyDisabledButtonsNothingBoldNothingWritten) {
  bar.Form_Load();

  for (int i = 0; i < kSearchButtons; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(view.buttons[i].caption, "");
    EXPECT_EQ(view.buttons[i].tooltip, "");
    EXPECT_FALSE(view.buttons[i].enabled);
    EXPECT_TRUE(view.buttons[i].single_line);
  }
  EXPECT_TRUE(view.BoldButtons().empty());
  EXPECT_FALSE(view.topmost.has_value());
  EXPECT_EQ(view.set_top_calls + view.set_left_calls, 0);
  ExpectHistory({});
  EXPECT_EQ(bar.NewHistoryCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(folder / "velto.ini")) << "loading never writes";
}

TEST_F(StartUp, StarterFileWithoutSettings_CopiedToVeltoIniAndKeptOtherwiseIgnored) {
  const std::string starter = "[Velto]\r\nSearchSelect(0)=0\r\n[SearchData]\r\nSearchName(0)=S\r\n";
  WriteBytes(folder / "velto.starter.ini", starter);
  bar.Form_Load();
  EXPECT_EQ(view.buttons[0].caption, "S");
  EXPECT_EQ(ReadBytes(folder / "velto.ini"), starter);
  EXPECT_EQ(ReadBytes(folder / "velto.starter.ini"), starter);

  // An unpacked newer zip brings another starter file; the user's settings stay.
  WriteIni("[SearchData]\r\nSearchName(0)=mine\r\n");
  const std::string mine = ReadBytes(folder / "velto.ini");
  FakeSearchBarView next_view;
  SettingsModel next_model;
  SearchBar next(next_model, next_view, platform, folder.disk());
  next.Form_Load();
  EXPECT_EQ(next_view.buttons[0].caption, "mine");
  EXPECT_EQ(ReadBytes(folder / "velto.ini"), mine);
}

TEST_F(StartUp, Engines_LabelButtonsWithCaptionTooltipAndEnabledState) {
  WriteIni(
      "[Velto]\r\nSearchSelect(0)=3\r\nSearchSelect(1)=0\r\nSearchSelect(2)=19\r\n"
      "SearchSelect(3)=5\r\n[SearchData]\r\nSearchName(0)=Yahoo!\r\n"
      "SearchName(3)=フレッシュアイで探す長い名前の検索エンジンですよ四十文字まであと少しなの\r\n"
      "SearchName(19)=Last\r\n");
  bar.Form_Load();

  EXPECT_EQ(view.buttons[0].caption,
            "フレッシュアイで探す長い名前の検索エンジンですよ四十文字まであと少しなの");
  EXPECT_EQ(view.buttons[0].tooltip, view.buttons[0].caption) << "the tooltip shows it whole";
  EXPECT_EQ(view.buttons[1].caption, "Yahoo!");
  EXPECT_EQ(view.buttons[2].caption, "Last");
  EXPECT_EQ(view.buttons[3].caption, "") << "slot 5 is empty";
  EXPECT_TRUE(view.buttons[0].enabled && view.buttons[1].enabled && view.buttons[2].enabled);
  EXPECT_FALSE(view.buttons[3].enabled);
  EXPECT_FALSE(view.buttons[kClearButton].single_line);
  EXPECT_FALSE(view.buttons[kMenuButton].single_line);
}

TEST_F(StartUp, AssignmentOutsideEngineTable_ButtonEmptyAndDisabled) {
  WriteIni(
      "[Velto]\r\nSearchSelect(0)=21\r\nSearchSelect(1)=-1\r\nSearchSelect(2)=20\r\n"
      "SearchSelect(3)=32767\r\n[SearchData]\r\nSearchName(0)=A\r\n");
  bar.Form_Load();

  for (int i = 0; i < kSearchButtons; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(view.buttons[i].caption, "");
    EXPECT_EQ(view.buttons[i].tooltip, "");
    EXPECT_FALSE(view.buttons[i].enabled);
  }
}

TEST_F(StartUp, AlwaysTop_TopmostOnlyWhenItEqualsOne) {
  struct Case {
    const char* stored;
    bool topmost;
  };
  for (Case c : {Case{"1", true}, Case{"1.0", true}, Case{" 1 ", true}, Case{"0", false},
                 Case{"2", false}, Case{"", false}, Case{"yes", false}}) {
    SCOPED_TRACE(c.stored);
    FreshStart start(std::string("[Velto]\r\nAlwaysTop=") + c.stored + "\r\n");
    EXPECT_EQ(start.view.topmost.value_or(false), c.topmost);
    // Start-up only ever makes the window topmost; it never calls to take it out.
    EXPECT_EQ(start.view.topmost_calls, c.topmost ? 1 : 0);
  }
}

TEST_F(StartUp, DefaultSearch_BoldButtonRoundedHalfToEven) {
  struct Case {
    const char* stored;
    std::vector<int> bold;
  };
  for (const Case& c :
       {Case{"2", {2}}, Case{"2.5", {2}}, Case{"3.5", {4}}, Case{"0", {0}}, Case{"5", {5}},
        Case{"6", {}}, Case{"-1", {}}, Case{"x", {}}, Case{"", {}}}) {
    SCOPED_TRACE(c.stored);
    FreshStart start(std::string("[Velto]\r\nDefaultSearch=") + c.stored + "\r\n");
    EXPECT_EQ(start.view.BoldButtons(), c.bold);
  }
}

TEST_F(StartUp, StoredHistory_NonEmptyEntriesInOrderWithoutGaps) {
  WriteIni(
      "[History]\r\nSearchHistory(0)=\r\nSearchHistory(1)=\r\nSearchHistory(2)=abc\r\n"
      "SearchHistory(5)=\"tokyo tower\"\r\nSearchHistory(9)=東京\r\n");
  bar.Form_Load();
  ExpectHistory({"abc", "tokyo tower", "東京"});
  EXPECT_EQ(view.history_reset_calls, 1) << "the list is filled in one go";
}

TEST_F(StartUp, OddFile_GarbageLinesAndBinaryBytesStillStart) {
  using namespace std::literals;
  WriteBytes(folder / "velto.ini",
             "\xEF\xBB\xBFgarbage\r\n[Velto\r\n=\r\nTop=\0\xFF\xFE\r\nAlwaysTop\r\n"
             "[History]\r\nSearchHistory(0)=ok\r\n"sv);
  bar.Form_Load();
  EXPECT_EQ(bar.History().Count(), 1);
  EXPECT_EQ(bar.NewHistoryCount(), 0);
}

TEST_F(StartUp, SettingsPathIsAFolder_StartsLikeWithoutFile) {
  std::filesystem::create_directory(folder / "velto.ini");
  bar.Form_Load();
  EXPECT_FALSE(view.buttons[0].enabled);
  ExpectHistory({});
}

// The stored position is applied as a whole, and only where the window can be seen.
TEST_F(StartUp, StoredPosition_OnScreenApplied) {
  WriteIni("[Velto]\r\nTop=2880\r\nLeft=15\r\n");
  bar.Form_Load();
  EXPECT_FLOAT_EQ(view.top, 2880);
  EXPECT_FLOAT_EQ(view.left, 15);
  EXPECT_EQ(view.set_top_calls, 1);
  EXPECT_EQ(view.set_left_calls, 1);
}

// Partly off the screen (19200 x 11520 twips; the bar 3885 x 1395), the bar moves wholly in.
TEST_F(StartUp, StoredPosition_PartlyOffMovesTheLeastOntoTheScreen) {
  struct Case {
    const char* position;
    float top;
    float left;
  };
  for (Case c : {Case{"Top=2880\r\nLeft=-15\r\n", 2880, 0},
                 Case{"Top=2880\r\nLeft=17000\r\n", 2880, 19200 - 3885},
                 Case{"Top=-600\r\nLeft=900\r\n", 0, 900},
                 Case{"Top=11000\r\nLeft=19000\r\n", 11520 - 1395, 19200 - 3885},
                 Case{"Left=-3800\r\n", 1200, 0}}) {
    SCOPED_TRACE(c.position);
    FreshStart start(std::string("[Velto]\r\n") + c.position);
    EXPECT_FLOAT_EQ(start.view.top, c.top);
    EXPECT_FLOAT_EQ(start.view.left, c.left);
  }
}

TEST_F(StartUp, StoredPosition_OnASecondScreenStaysOrMovesOntoIt) {
  view.other_screens = {{19200, -1500, 15360, 11520}};
  WriteIni("[Velto]\r\nTop=-1500\r\nLeft=30000\r\n");
  bar.Form_Load();
  EXPECT_FLOAT_EQ(view.top, -1500);
  EXPECT_FLOAT_EQ(view.left, 30000);
  WriteIni("[Velto]\r\nTop=-1800\r\nLeft=33000\r\n");
  bar.LoadSettings();
  EXPECT_FLOAT_EQ(view.top, -1500);
  EXPECT_FLOAT_EQ(view.left, 34560 - 3885);
}

TEST_F(StartUp, StoredPosition_OffEveryScreenNotApplied) {
  for (const char* position : {"Top=2880\r\nLeft=40000\r\n", "Top=-5000\r\nLeft=0\r\n",
                               "Top=99999\r\n", "Left=-90000\r\n"}) {
    SCOPED_TRACE(position);
    FreshStart start(std::string("[Velto]\r\n") + position);
    EXPECT_FLOAT_EQ(start.view.top, 1200);
    EXPECT_FLOAT_EQ(start.view.left, 1500);
  }
}

TEST_F(StartUp, StoredPosition_InvalidTopKeepsTopButAppliesLeft) {
  WriteIni("[Velto]\r\nTop=abc\r\nLeft=300\r\n");
  bar.Form_Load();
  EXPECT_FLOAT_EQ(view.top, 1200);
  EXPECT_FLOAT_EQ(view.left, 300);
  EXPECT_EQ(view.set_top_calls, 0);
}

TEST_F(StartUp, LoadSettingsAgain_MovesBackToStoredPositionIfVisible) {
  WriteIni("[Velto]\r\nTop=600\r\nLeft=900\r\n");
  bar.Form_Load();
  view.top = 3000;
  view.left = 3000;
  bar.LoadSettings();  // as the settings dialog's restore command does
  EXPECT_FLOAT_EQ(view.top, 600);
  EXPECT_FLOAT_EQ(view.left, 900);
  view.screen_width = 800;  // the monitor it stood on is gone
  view.left = 0;
  bar.LoadSettings();
  EXPECT_FLOAT_EQ(view.left, 0);
}

TEST_F(StartUp, DebugSwitch_OnlyLeadingSlashDInEitherCaseShowsEntries) {
  struct Case {
    const char* command_line;
    bool shown;
  };
  for (Case c : {Case{"/D", true}, Case{"/d", true}, Case{"/DEBUG", true}, Case{"/d x", true},
                 Case{"", false}, Case{"-D", false}, Case{" /D", false}, Case{"/", false},
                 Case{"D/", false}, Case{"/E", false}}) {
    SCOPED_TRACE(c.command_line);
    FreshStart start("", c.command_line);
    EXPECT_EQ(start.bar.DebugSwitch(), c.shown);
    for (const FixedSearch& entry : kFixedSearches)
      EXPECT_EQ(start.view.MenuEntryVisible(entry.index), c.shown || !entry.debug_only)
          << entry.index;
  }
}

}  // namespace
}  // namespace velto::test
