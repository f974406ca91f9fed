// Closing: the log of the run's new queries (when, what, in which order and encoding), then the
// position and the first ten history entries in velto.ini.
#include <filesystem>

#include "main/key_codes.h"
#include "search_bar_fixture.h"
#include "settings/number_text.h"
#include "support/rewrite_counter.h"

namespace velto::test {
namespace {

using Unload = SearchBarTest;

TEST_F(Unload, NoSwitchNoNewQuery_LogUntouched) {
  LoadFourEngines();
  DropHistory({"from file"});
  bar.Handle(WindowClosed{});
  EXPECT_FALSE(std::filesystem::exists(folder / "log.txt"));
}

TEST_F(Unload, NewQueries_AppendedOldestFirstInAnsiWithCrLf) {
  LoadFourEngines();
  WriteBytes(folder / "log.txt", "earlier\r\n");
  Search(0, "P");
  Search(0, "東京");
  Search(0, "R");
  bar.Handle(WindowClosed{});
  bar.Handle(WindowClosed{});  // a signal after the close box: the steps ran already
  EXPECT_EQ(ReadBytes(folder / "log.txt"),
            "earlier\r\nP\r\n" + folder.codec().AnsiFromUtf8("東京") + "\r\nR\r\n");
}

TEST_F(Unload, MenuSearchAfterButtonSearches_LogsWhatTheCounterCovers) {
  LoadFourEngines();
  Search(0, "first");
  Search(1, "second");
  view.query = "menu";
  bar.Handle(MenuEntryChosen{2});
  bar.Handle(WindowClosed{});
  EXPECT_EQ(ReadBytes(folder / "log.txt"), "second\r\nmenu\r\n");
}

TEST_F(Unload, DebugSwitchWithoutNewQueries_CreatesEmptyLog) {
  platform.command_line = "/D";
  LoadFourEngines();
  DropHistory({"x"});
  bar.Handle(WindowClosed{});
  ASSERT_TRUE(std::filesystem::exists(folder / "log.txt"));
  EXPECT_EQ(ReadBytes(folder / "log.txt"), "");
}

TEST_F(Unload, EmptyHistory_LogUntouchedEvenWithSwitchOrCounter) {
  platform.command_line = "/d";
  LoadFourEngines();
  Search(0, "gone");
  bar.Handle(KeyPress{kKeyF9, 0});
  bar.Handle(WindowClosed{});
  EXPECT_FALSE(std::filesystem::exists(folder / "log.txt"));
}

TEST_F(Unload, LastEntryEmpty_LogUntouched) {
  LoadFourEngines();
  view.query = "";
  bar.Handle(KeyPress{kKeyF8, 0});  // an empty entry, the list's last
  Search(0, "q");
  bar.Handle(WindowClosed{});
  EXPECT_FALSE(std::filesystem::exists(folder / "log.txt"));
}

TEST_F(Unload, CounterBeyondList_WritesNoInventedEmptyLines) {
  LoadFourEngines();
  Search(0, "a");
  Search(0, "b");
  bar.Handle(KeyPress{kKeyF9, 0});  // counter 2, list empty
  Search(0, "c");
  Search(0, "d");  // counter 4, list d, c
  bar.Handle(WindowClosed{});
  EXPECT_EQ(ReadBytes(folder / "log.txt"), "c\r\nd\r\n");
}

TEST_F(Unload, QueryWithLineBreak_StaysOneLogLine) {
  LoadFourEngines();
  bar.Handle(Drop{{DropTargetKind::Button, 0}, {std::string("two\r\nlines"), {}}});
  bar.Handle(WindowClosed{});
  EXPECT_EQ(ReadBytes(folder / "log.txt"), "two  lines\r\n");
}

TEST_F(Unload, QueriesTheCodePageLacks_SearchedAndListedButNeitherLoggedNorStored) {
  LoadFourEngines();
  Search(0, "P");
  Search(0, "\xF0\x9F\x98\x80");  // an emoji
  Search(0, "Caf\xC3\xA9");       // é
  Search(0, "東京");
  EXPECT_EQ(platform.OpenedAddresses().at(1), "http://a.example/?q=\xF0\x9F\x98\x80");
  ExpectHistory({"東京", "Caf\xC3\xA9", "\xF0\x9F\x98\x80", "P"});
  bar.Handle(WindowClosed{});
  EXPECT_EQ(ReadBytes(folder / "log.txt"), "P\r\n" + folder.codec().AnsiFromUtf8("東京") + "\r\n");
  EXPECT_EQ(bar.Store().ReadSetting("History", "SearchHistory(0)"), "東京");
  EXPECT_EQ(bar.Store().ReadSetting("History", "SearchHistory(1)"), "P");
  EXPECT_EQ(bar.Store().ReadSetting("History", "SearchHistory(2)"), "");
}

TEST_F(Unload, LogCannotBeWritten_PlacementStillSaved) {
  LoadFourEngines();
  std::filesystem::create_directory(folder / "log.txt");  // cannot be opened as a file
  Search(0, "q");
  bar.Handle(WindowClosed{});
  EXPECT_EQ(bar.Store().ReadSetting("History", "SearchHistory(0)"), "q");
}

TEST_F(Unload, Placement_PositionAndFirstTenEntriesSaved) {
  LoadFourEngines();
  DropHistory(Numbered(12));
  view.top = 2880;
  view.left = -15;
  bar.Handle(WindowClosed{});
  EXPECT_EQ(bar.Store().ReadSetting("Velto", "Top"), "2880");
  EXPECT_EQ(bar.Store().ReadSetting("Velto", "Left"), "-15");
  EXPECT_EQ(bar.Store().ReadSetting("History", "SearchHistory(0)"), "q0");
  EXPECT_EQ(bar.Store().ReadSetting("History", "SearchHistory(9)"), "q9");
  EXPECT_EQ(bar.Store().ReadSetting("History", "SearchHistory(10)"), "");
}

TEST_F(Unload, Placement_OneRewriteOfTheSettingsFilePerClose) {
  LoadFourEngines();
  DropHistory(Numbered(12));
  Search(0, "q");
  RewriteCounter rewrites(folder / "velto.ini");
  if (!rewrites.available()) GTEST_SKIP() << "the system reports no rewrites to the test";
  bar.Handle(WindowClosed{});
  bar.Handle(WindowClosed{});  // the closing steps run once
  EXPECT_EQ(rewrites.Count(), 1);
  EXPECT_EQ(bar.Store().ReadSetting("History", "SearchHistory(0)"), "q");
  EXPECT_EQ(bar.Store().ReadSetting("History", "SearchHistory(9)"), "q8");
  EXPECT_EQ(bar.Store().ReadSetting("Velto", "Top"), FormatSingle(view.top));
}

TEST_F(Unload, Placement_ShortListOverwritesOlderEntriesAndSurvivesRestart) {
  LoadFourEngines();
  DropHistory(Numbered(10));
  bar.Handle(WindowClosed{});
  {
    FakeSearchBarView window;
    SettingsModel settings;
    SearchBar next(settings, window, platform, folder.disk());
    next.Form_Load();
    next.Handle(KeyPress{kKeyF9, 0});
    window.query = "\"tokyo tower\"";
    next.Handle(ButtonClicked{0});
    next.Handle(WindowClosed{});
  }
  FakeSearchBarView window;
  SettingsModel settings;
  SearchBar last(settings, window, platform, folder.disk());
  last.Form_Load();
  EXPECT_EQ(window.history, std::vector<std::string>{"\"tokyo tower\""});
  EXPECT_EQ(ReadBytes(folder / "log.txt"), "\"tokyo tower\"\r\n");
}

}  // namespace
}  // namespace velto::test
