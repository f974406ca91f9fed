// Drops on the window, the query box and the buttons.
#include <algorithm>

#include "search_bar_fixture.h"
#include "settings/path_text.h"

namespace velto::test {
namespace {

using Drops = SearchBarTest;

// A file: address's path as a file manager writes it: bytes outside the unreserved set and "/"
// as %XX.
std::string PercentEncodedPath(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                       (byte >= '0' && byte <= '9') || c == '/' || c == '-' || c == '.' ||
                       c == '_' || c == '~';
    if (plain) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 15];
    }
  }
  return encoded;
}

// Drops as the front ends describe them: empty text is no text, a disabled button is the window.
TEST_F(Drops, OnDrop_EmptyTextIsNoneAndDisabledButtonsPassToTheWindow) {
  LoadFourEngines();
  WriteBytes(folder / "picture.png", "not text");
  WriteBytes(folder / "notes.txt", "n\r\n");
  view.query = "kept";
  bar.Handle(Drop{{DropTargetKind::Button, 1}, {std::string(), {folder / "picture.png"}}});
  bar.Handle(Drop{{DropTargetKind::QueryBox}, {std::string(), {}}});
  EXPECT_EQ(view.query, "kept");
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://b.example/?q=kept"});

  view.buttons[2].enabled = false;
  bar.Handle(Drop{{DropTargetKind::Button, 2}, {std::string("moved"), {folder / "notes.txt"}}});
  EXPECT_EQ(view.query, "moved");
  EXPECT_EQ(platform.OpenedAddresses().size(), 1u) << "no search from a disabled button";
  ExpectHistory({"n", "kept"});
}

// File managers offer the dragged files' names as text besides the file list; such text is
// no query, whatever target it lands on. Text that says anything else is.
TEST_F(Drops, TextThatOnlyNamesTheDroppedFiles_IsNoQuery) {
  const FilePath a = FilePath(folder.path()) / FilePathFromUtf8("札幌 2024.png");
  const FilePath b = folder / "b.txt";
  const std::string a_path = Utf8FromFilePath(a);
  const std::string b_path = Utf8FromFilePath(b);
  // The path part of a file: address: "/tmp/a", or "/C:/Temp/a" on Windows.
  std::string a_url_path = a_path;
  std::replace(a_url_path.begin(), a_url_path.end(), '\\', '/');
  if (a_url_path.front() != '/') a_url_path.insert(0, "/");
  struct Row {
    std::string text;
    std::vector<FilePath> files;
    bool is_query;
  };
  const Row rows[] = {
      {a_path, {a}, false},
      {"file://" + a_url_path, {a}, false},
      {"file://localhost" + a_url_path, {a}, false},
      {"file://" + PercentEncodedPath(a_url_path), {a}, false},
      {"FILE:" + a_url_path, {a}, false},
      {"  " + a_path + "\r\n" + b_path + "\n\n", {a, b}, false},
      {b_path + "\r\nfile://" + a_url_path, {a, b}, false},  // both forms, any order
      {a_path, {a, b}, false},                               // a part of the list
      {a_path + "\nmore words", {a}, true},
      {b_path, {a}, true},                        // names another file
      {"file://server" + a_url_path, {a}, true},  // another computer
      {a_path + ".old", {a}, true},
      {a_path, {}, true},  // no files dropped: it is text
  };
  LoadFourEngines();
  WriteBytes(b, "x\r\n");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    for (const DropTargetRef target :
         {DropTargetRef{DropTargetKind::Window}, DropTargetRef{DropTargetKind::QueryBox}}) {
      view.query = "kept";
      bar.Handle(Drop{target, {row.text, row.files}});
      EXPECT_EQ(view.query, row.is_query ? row.text : "kept");
    }
  }
  // On a button the search runs with the box's query.
  view.query = "kept";
  bar.Handle(Drop{{DropTargetKind::Button, 1}, {"file://" + a_url_path, {a}}});
  EXPECT_EQ(platform.OpenedAddresses().back(), "http://b.example/?q=kept");
}

TEST_F(Drops, TextOnWindow_SetsQueryOnly) {
  LoadFourEngines();
  bar.Handle(Drop{{}, {std::string("dropped"), {}}});
  EXPECT_EQ(view.query, "dropped");
  ExpectHistory({});
  EXPECT_TRUE(platform.shell_calls.empty());
}

TEST_F(Drops, TextFileOnWindow_LinesReversedAboveExistingWithoutCounting) {
  LoadFourEngines();
  Search(0, "old");
  WriteBytes(folder / "List.Txt", "A\r\n\r\nB\r\nold\r\n");
  const int resets = view.history_reset_calls;
  bar.Handle(Drop{{}, {std::nullopt, {folder / "List.Txt"}}});
  ExpectHistory({"old", "B", "A", "old"});  // not compared with what is there
  EXPECT_EQ(view.history_reset_calls, resets + 1) << "one update of the window's list";
  EXPECT_EQ(bar.NewHistoryCount(), 1);
  EXPECT_EQ(view.query, "old") << "the box keeps its text";
}

TEST_F(Drops, TextAndFileInOneDrop_BothTakeEffect) {
  LoadFourEngines();
  WriteBytes(folder / "q.TXT", "x\ny");
  bar.Handle(Drop{{}, {std::string("text"), {folder / "q.TXT"}}});
  EXPECT_EQ(view.query, "text");
  ExpectHistory({"y", "x"});
}

TEST_F(Drops, SeveralFiles_OnlyTheFirstCounts) {
  LoadFourEngines();
  WriteBytes(folder / "a.txt", "a");
  WriteBytes(folder / "b.txt", "b");
  WriteBytes(folder / "c.csv", "c");
  bar.Handle(Drop{{}, {std::nullopt, {folder / "a.txt", folder / "b.txt"}}});
  ExpectHistory({"a"});
  bar.Handle(Drop{{}, {std::nullopt, {folder / "c.csv", folder / "b.txt"}}});
  ExpectHistory({"a"});
}

TEST_F(Drops, NonTextMissingOrEmptyFile_AddNothing) {
  LoadFourEngines();
  WriteBytes(folder / "data.bin", "looks\r\nlike text");
  WriteBytes(folder / "empty.txt", "");
  const int resets = view.history_reset_calls;
  for (const char* name : {"data.bin", "missing.txt", "empty.txt"})
    bar.Handle(Drop{{}, {std::nullopt, {folder / name}}});
  ExpectHistory({});
  EXPECT_EQ(view.history_reset_calls, resets);
}

// An OpenSearch file dropped anywhere offers its engine; any other .xml drops as before.
TEST_F(Drops, DescriptionFile_OffersItsEngineOtherXmlDropsAsBefore) {
  LoadFourEngines();
  view.query = "kept";
  platform.sources.description.error.reset();
  platform.sources.description.engines = {
      {"Site", "https://site.example/?q={searchTerms}", "", "", "", "site.xml"}};
  bar.Handle(Drop{{DropTargetKind::Button, 1}, {std::nullopt, {folder / "site.XML"}}});
  ASSERT_EQ(platform.choices.size(), 1u);
  EXPECT_EQ(platform.sources.descriptions_read, std::vector<FilePath>{folder / "site.XML"});
  EXPECT_EQ(model.SearchName[4], "Site");
  EXPECT_TRUE(platform.OpenedAddresses().empty()) << "the drop searched nothing";

  platform.sources.description = FoundEngines::Failure("not a description");
  bar.Handle(Drop{{DropTargetKind::Button, 1}, {std::nullopt, {folder / "other.xml"}}});
  EXPECT_EQ(platform.choices.size(), 1u);
  EXPECT_EQ(platform.OpenedAddresses().size(), 1u) << "dropped on a button: searched as before";
  EXPECT_EQ(view.query, "kept");
}

TEST_F(Drops, LogFileDroppedBack_NewestLoggedQueryFirst) {
  LoadFourEngines();
  Search(0, "first");
  Search(0, "東京");
  bar.Handle(WindowClosed{});
  bar.Handle(KeyPress{120, 0});  // F9
  bar.Handle(Drop{{}, {std::nullopt, {folder / "log.txt"}}});
  ExpectHistory({"東京", "first"});
}

TEST_F(Drops, OnQueryBox_TextOnlyFilesIgnored) {
  LoadFourEngines();
  WriteBytes(folder / "a.txt", "a");
  bar.Handle(Drop{{DropTargetKind::QueryBox}, {std::nullopt, {folder / "a.txt"}}});
  EXPECT_EQ(view.query, "");
  bar.Handle(Drop{{DropTargetKind::QueryBox}, {std::string("t"), {folder / "a.txt"}}});
  EXPECT_EQ(view.query, "t");
  ExpectHistory({});
}

TEST_F(Drops, OnButtons_SearchButtonsSearchOthersOnlySetText) {
  LoadFourEngines();
  bar.Handle(Drop{{DropTargetKind::Button, 3}, {std::string("x y"), {}}});
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://d.example/?q=x y"});
  ExpectHistory({"x y"});
  EXPECT_EQ(bar.NewHistoryCount(), 1);

  bar.Handle(Drop{{DropTargetKind::Button, kClearButton}, {std::string("c"), {}}});
  bar.Handle(Drop{{DropTargetKind::Button, kMenuButton}, {std::string("m"), {}}});
  EXPECT_EQ(view.query, "m");
  EXPECT_EQ(view.menu_shown, 0);
  EXPECT_EQ(platform.shell_calls.size(), 1u);

  // Files carry no text: the box keeps its text and the search runs with it.
  bar.Handle(Drop{{DropTargetKind::Button, 1}, {std::nullopt, {folder / "x.txt"}}});
  EXPECT_EQ(platform.OpenedAddresses().back(), "http://b.example/?q=m");
}

// How fast is BM_DropTextFileIntoHistory's figure, not a test's: a loaded machine is slow.
TEST_F(Drops, HundredThousandLines_FillTheList) {
  LoadFourEngines();
  std::string file;
  for (int i = 0; i < 100'000; ++i) file += "query number " + std::to_string(i) + "\r\n";
  WriteBytes(folder / "big.txt", file);
  bar.Handle(Drop{{}, {std::nullopt, {folder / "big.txt"}}});
  ASSERT_EQ(bar.History().Count(), 100'000);
  EXPECT_EQ(view.history.front(), "query number 99999");
  EXPECT_EQ(view.history.back(), "query number 0");
}

}  // namespace
}  // namespace velto::test
