// The fixed search menu: its table, the searches and their history rule with the 30-entry trim.
#include <set>

#include "main/fixed_searches.h"
#include "search_bar_fixture.h"

namespace velto::test {
namespace {

class FakeLauncher : public SettingsDialogLauncher {
 public:
  int shown = 0;
  void ShowSettingsDialog() override { ++shown; }
};

TEST(FixedSearchTable, EntriesAreWellFormed) {
  std::set<int> indices;
  for (const FixedSearch& entry : kFixedSearches) {
    SCOPED_TRACE(entry.index);
    EXPECT_TRUE(indices.insert(entry.index).second) << "duplicate index";
    EXPECT_GE(entry.index, 0);
    EXPECT_LT(entry.index, kMenuEntryCount);
    EXPECT_EQ(entry.is_separator, entry.caption == "-");
    EXPECT_EQ(entry.debug_only, entry.index >= kFirstDebugMenuEntry);
    const bool searches = !entry.is_separator && entry.index != kSettingsMenuEntry;
    EXPECT_EQ(!entry.prefix.empty(), searches);
    if (searches) {
      EXPECT_TRUE(entry.prefix.starts_with("http://")) << entry.prefix;
      EXPECT_TRUE(entry.prefix.ends_with("=")) << entry.prefix;
    }
  }
  EXPECT_EQ(indices, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 20, 21, 22, 23}));
}

TEST(FixedSearchTable, HostsShareAndDifferWhereTheServicesDo) {
  auto host = [](int index) {
    std::string_view prefix = FindFixedSearch(index)->prefix.substr(7);
    return prefix.substr(0, prefix.find('/'));
  };
  EXPECT_EQ(host(4), host(13));  // Lycos web and software search: one host
  EXPECT_NE(host(5), host(14));  // Infoseek search host and main web host
  EXPECT_EQ(host(2), "search.yahoo.co.jp");
  EXPECT_EQ(FindFixedSearch(23)->prefix.find("%8C%9F%8D%F5&word=") != std::string_view::npos, true);
  EXPECT_FALSE(FindFixedSearch(8).has_value());
  EXPECT_FALSE(FindFixedSearch(24).has_value());
}

using Menu = SearchBarTest;

TEST_F(Menu, SettingsEntry_ShowsDialogWithoutTouchingQueryOrHistory) {
  LoadFourEngines();
  bar.Handle(MenuEntryChosen{kSettingsMenuEntry});  // no dialog yet: nothing
  FakeLauncher launcher;
  bar.SetSettingsDialog(&launcher);
  view.query = "";
  bar.Handle(MenuEntryChosen{kSettingsMenuEntry});
  EXPECT_EQ(launcher.shown, 1);
  ExpectHistory({});
  EXPECT_TRUE(platform.shell_calls.empty());
}

TEST_F(Menu, FixedSearch_OpensPrefixAndQueryThenPutsQueryOnTopWithoutCounting) {
  LoadFourEngines();
  view.query = "a b&c";
  bar.Handle(MenuEntryChosen{2});
  bar.Handle(MenuEntryChosen{12});
  EXPECT_EQ(
      platform.OpenedAddresses(),
      (std::vector<std::string>{"http://search.yahoo.co.jp/bin/search?p=a b&c",
                                "http://download.goo.ne.jp/cgi-bin/tool/download/"
                                "search.pl?category=0&count=10&soft=0&os=all&keyword=a b&c"}));
  ExpectHistory({"a b&c"});
  EXPECT_EQ(bar.NewHistoryCount(), 0);
}

TEST_F(Menu, EmptyQuerySeparatorsAndUnusedIndices_DoNothing) {
  LoadFourEngines();
  for (int index : {2, 7, 14}) bar.Handle(MenuEntryChosen{index});  // empty query
  view.query = "q";
  for (int index : {1, 8, 9, 10, 15, 19, 20, 24, -1}) bar.Handle(MenuEntryChosen{index});
  EXPECT_TRUE(platform.shell_calls.empty());
  ExpectHistory({});
}

TEST_F(Menu, DebugEntries_WorkOnlyWithSwitch) {
  LoadFourEngines();
  view.query = "q";
  bar.Handle(MenuEntryChosen{22});  // hidden without "/D"
  EXPECT_TRUE(platform.shell_calls.empty());

  FreshStart start("", "/d");
  start.view.query = "q";
  start.bar.Handle(MenuEntryChosen{22});
  EXPECT_EQ(start.platform.OpenedAddresses(),
            std::vector<std::string>{"http://www.tinami.com/cgi-bin/tinami?type=and&word=q"});
}

TEST_F(Menu, HistoryRule_MoveToTopAndRepeat) {
  LoadFourEngines();
  DropHistory({"a", "b", "c", "d", "e", "f", "g"});
  view.query = "f";  // at position 5
  bar.Handle(MenuEntryChosen{3});
  ExpectHistory({"f", "a", "b", "c", "d", "e", "g"});
  bar.Handle(MenuEntryChosen{4});  // equal to the first entry: opened, list unchanged
  ExpectHistory({"f", "a", "b", "c", "d", "e", "g"});
  EXPECT_EQ(platform.shell_calls.size(), 2u);
}

TEST_F(Menu, HistoryRule_ThirtyEntriesTrimmedByExactlyOne) {
  LoadFourEngines();
  auto entries = Numbered(30);
  DropHistory(entries);
  view.query = "new";
  bar.Handle(MenuEntryChosen{6});
  entries.insert(entries.begin(), "new");
  entries.pop_back();
  ExpectHistory(entries);
}

TEST_F(Menu, HistoryRule_FortyEntriesStayForty) {
  LoadFourEngines();
  auto entries = Numbered(40);
  DropHistory(entries);
  view.query = "new";
  bar.Handle(MenuEntryChosen{11});
  entries.insert(entries.begin(), "new");
  entries.erase(entries.begin() + 30);  // the 31st entry goes, the tail stays
  ExpectHistory(entries);
  EXPECT_EQ(bar.History().Count(), 40);
}

TEST_F(Menu, HistoryRule_MovedQueryInLongListStillTrimsOne) {
  LoadFourEngines();
  auto entries = Numbered(31);
  DropHistory(entries);
  view.query = "q5";
  bar.Handle(MenuEntryChosen{5});
  // Moving "q5" up keeps 31 entries, still more than 30: the one at position 30 goes.
  EXPECT_EQ(bar.History().Count(), 30);
  EXPECT_EQ(bar.History().Item(0), "q5");
  EXPECT_EQ(bar.History().Item(29), "q29");
}

}  // namespace
}  // namespace velto::test
