// Drops on the window, the query box and the buttons.
#include <chrono>

#include "search_bar_fixture.h"

namespace velto::test {
namespace {

using Drops = SearchBarTest;

// Drops as the front ends describe them: empty text is no text, a disabled button is the window.
TEST_F(Drops, OnDrop_EmptyTextIsNoneAndDisabledButtonsPassToTheWindow) {
  LoadFourEngines();
  WriteBytes(folder / "picture.png", "not text");
  WriteBytes(folder / "notes.txt", "n\r\n");
  view.query = "kept";
  bar.OnDrop({DropTargetKind::Button, 1}, {std::string(), {folder / "picture.png"}});
  bar.OnDrop({DropTargetKind::QueryBox}, {std::string(), {}});
  EXPECT_EQ(view.query, "kept");
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://b.example/?q=kept"});

  view.buttons[2].enabled = false;
  bar.OnDrop({DropTargetKind::Button, 2}, {std::string("moved"), {folder / "notes.txt"}});
  EXPECT_EQ(view.query, "moved");
  EXPECT_EQ(platform.OpenedAddresses().size(), 1u) << "no search from a disabled button";
  ExpectHistory({"n", "kept"});
}

TEST_F(Drops, TextOnWindow_SetsQueryOnly) {
  LoadFourEngines();
  bar.Form_OLEDragDrop({std::string("dropped"), {}});
  EXPECT_EQ(view.query, "dropped");
  ExpectHistory({});
  EXPECT_TRUE(platform.shell_calls.empty());
}

TEST_F(Drops, TextFileOnWindow_LinesReversedAboveExistingWithoutCounting) {
  LoadFourEngines();
  Search(0, "old");
  WriteBytes(folder / "List.Txt", "A\r\n\r\nB\r\nold\r\n");
  const int resets = view.history_reset_calls;
  bar.Form_OLEDragDrop({std::nullopt, {folder / "List.Txt"}});
  ExpectHistory({"old", "B", "A", "old"});  // not compared with what is there
  EXPECT_EQ(view.history_reset_calls, resets + 1) << "one update of the window's list";
  EXPECT_EQ(bar.NewHistoryCount(), 1);
  EXPECT_EQ(view.query, "old") << "the box keeps its text";
}

TEST_F(Drops, TextAndFileInOneDrop_BothTakeEffect) {
  LoadFourEngines();
  WriteBytes(folder / "q.TXT", "x\ny");
  bar.Form_OLEDragDrop({std::string("text"), {folder / "q.TXT"}});
  EXPECT_EQ(view.query, "text");
  ExpectHistory({"y", "x"});
}

TEST_F(Drops, SeveralFiles_OnlyTheFirstCounts) {
  LoadFourEngines();
  WriteBytes(folder / "a.txt", "a");
  WriteBytes(folder / "b.txt", "b");
  WriteBytes(folder / "c.csv", "c");
  bar.Form_OLEDragDrop({std::nullopt, {folder / "a.txt", folder / "b.txt"}});
  ExpectHistory({"a"});
  bar.Form_OLEDragDrop({std::nullopt, {folder / "c.csv", folder / "b.txt"}});
  ExpectHistory({"a"});
}

TEST_F(Drops, NonTextMissingOrEmptyFile_AddNothing) {
  LoadFourEngines();
  WriteBytes(folder / "data.bin", "looks\r\nlike text");
  WriteBytes(folder / "empty.txt", "");
  const int resets = view.history_reset_calls;
  for (const char* name : {"data.bin", "missing.txt", "empty.txt"})
    bar.Form_OLEDragDrop({std::nullopt, {folder / name}});
  ExpectHistory({});
  EXPECT_EQ(view.history_reset_calls, resets);
}

TEST_F(Drops, LogFileDroppedBack_NewestLoggedQueryFirst) {
  LoadFourEngines();
  Search(0, "first");
  Search(0, "東京");
  bar.Form_Unload();
  bar.Form_KeyDown(120, 0);  // F9
  bar.Form_OLEDragDrop({std::nullopt, {folder / "log.txt"}});
  ExpectHistory({"東京", "first"});
}

TEST_F(Drops, OnQueryBox_TextOnlyFilesIgnored) {
  LoadFourEngines();
  WriteBytes(folder / "a.txt", "a");
  bar.Text1_OLEDragDrop({std::nullopt, {folder / "a.txt"}});
  EXPECT_EQ(view.query, "");
  bar.Text1_OLEDragDrop({std::string("t"), {folder / "a.txt"}});
  EXPECT_EQ(view.query, "t");
  ExpectHistory({});
}

TEST_F(Drops, OnButtons_SearchButtonsSearchOthersOnlySetText) {
  LoadFourEngines();
  bar.Command1_OLEDragDrop(3, {std::string("x y"), {}});
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://d.example/?q=x y"});
  ExpectHistory({"x y"});
  EXPECT_EQ(bar.NewHistoryCount(), 1);

  bar.Command1_OLEDragDrop(kClearButton, {std::string("c"), {}});
  bar.Command1_OLEDragDrop(kMenuButton, {std::string("m"), {}});
  EXPECT_EQ(view.query, "m");
  EXPECT_EQ(view.menu_shown, 0);
  EXPECT_EQ(platform.shell_calls.size(), 1u);

  // Files carry no text: the box keeps its text and the search runs with it.
  bar.Command1_OLEDragDrop(1, {std::nullopt, {folder / "x.txt"}});
  EXPECT_EQ(platform.OpenedAddresses().back(), "http://b.example/?q=m");
}

TEST_F(Drops, HundredThousandLines_FillTheListQuickly) {
  LoadFourEngines();
  std::string file;
  for (int i = 0; i < 100'000; ++i) file += "query number " + std::to_string(i) + "\r\n";
  WriteBytes(folder / "big.txt", file);
  const auto start = std::chrono::steady_clock::now();
  bar.Form_OLEDragDrop({std::nullopt, {folder / "big.txt"}});
  const auto elapsed = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(bar.History().Count(), 100'000);
  EXPECT_EQ(view.history.front(), "query number 99999");
  EXPECT_EQ(view.history.back(), "query number 0");
  // Generous for a shared machine and debug builds; the benchmark gives the real figure.
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 2000);
}

}  // namespace
}  // namespace velto::test
