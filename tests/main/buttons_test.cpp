// The search, clear and menu buttons, home pages on other mouse buttons, and the history rules
// of a button search.
#include "main/key_codes.h"
#include "search_bar_fixture.h"

namespace velto::test {
namespace {

using Buttons = SearchBarTest;

TEST_F(Buttons, Search_OpensPrefixAndQueryUnencodedAndPutsQueryOnTop) {
  LoadFourEngines();
  Search(2, "東京 タワー&x=1");
  EXPECT_EQ(platform.OpenedAddresses(),
            std::vector<std::string>{"http://c.example/?q=東京 タワー&x=1"});
  EXPECT_EQ(platform.shell_calls[0].owner, WindowRole::SearchBar);
  ExpectHistory({"東京 タワー&x=1"});
  EXPECT_EQ(bar.NewHistoryCount(), 1);
}

TEST_F(Buttons, EmptyQuery_NothingOpenedNothingChanged) {
  LoadFourEngines();
  for (int button = 0; button < kSearchButtons; ++button) Search(button, "");
  EXPECT_TRUE(platform.shell_calls.empty());
  ExpectHistory({});
  EXPECT_EQ(bar.NewHistoryCount(), 0);
  // A query of blanks is a query.
  Search(0, "  ");
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://a.example/?q=  "});
}

TEST_F(Buttons, HistoryRules_RepeatMoveToTopCaseSensitive) {
  LoadFourEngines();
  Search(0, "abc");
  Search(1, "abc");
  ExpectHistory({"abc"});
  EXPECT_EQ(bar.NewHistoryCount(), 1) << "a repeat adds nothing";
  EXPECT_EQ(platform.shell_calls.size(), 2u) << "but it is searched";

  Search(0, "A");
  Search(0, "a");
  ExpectHistory({"a", "A", "abc"});

  Search(0, "abc");  // moved up from the bottom
  ExpectHistory({"abc", "a", "A"});
  EXPECT_EQ(view.query, "abc");
  EXPECT_EQ(bar.NewHistoryCount(), 4);
}

TEST_F(Buttons, HistoryRules_AllLaterCopiesRemoved) {
  LoadFourEngines();
  DropHistory({"x", "a", "a", "y", "a"});
  Search(3, "a");
  ExpectHistory({"a", "x", "y"});
  EXPECT_EQ(view.query, "a");
  EXPECT_EQ(bar.NewHistoryCount(), 1);
}

TEST_F(Buttons, HistoryRules_NoCapOnButtonSearches) {
  LoadFourEngines();
  DropHistory(Numbered(40));
  Search(0, "new");
  EXPECT_EQ(bar.History().Count(), 41);
}

TEST_F(Buttons, ClearButton_EmptiesAndFocusesBoxHistoryUntouched) {
  LoadFourEngines();
  Search(0, "kept");
  view.query = "typed";
  bar.Handle(ButtonClicked{kClearButton});
  EXPECT_EQ(view.query, "");
  EXPECT_EQ(view.focus_calls, 1);
  ExpectHistory({"kept"});
  EXPECT_EQ(bar.NewHistoryCount(), 1);
  EXPECT_EQ(platform.shell_calls.size(), 1u);
}

TEST_F(Buttons, MenuButton_OpensMenuEvenWithEmptyQuery) {
  LoadFourEngines();
  bar.Handle(ButtonClicked{kMenuButton});
  view.query = "q";
  bar.Handle(ButtonClicked{kMenuButton});
  EXPECT_EQ(view.menu_shown, 2);
  ExpectHistory({});
  EXPECT_TRUE(platform.shell_calls.empty());
}

TEST_F(Buttons, MenuButton_OpensAtThePointerForTheMouseUnderTheButtonForTheKeyboard) {
  LoadFourEngines();
  struct Row {
    const char* what;
    std::vector<BarEvent> events;
    MenuPlace place;
  };
  const Row rows[] = {
      {"a click",
       {MousePress{kMenuButton}, MouseRelease{kMenuButton}, ButtonClicked{kMenuButton}},
       MenuPlace::AtPointer},
      {"Space", {KeyPress{' '}, ButtonClicked{kMenuButton}}, MenuPlace::UnderMenuButton},
      {"Space after a click elsewhere",
       {MouseRelease{0}, KeyPress{' '}, ButtonClicked{kMenuButton}},
       MenuPlace::UnderMenuButton},
      {"Space after a press and release that missed the button",
       {MouseRelease{kMenuButton}, KeyPress{' '}, ButtonClicked{kMenuButton}},
       MenuPlace::UnderMenuButton},
      {"a right button release before Space",
       {MouseRelease{kMenuButton, kRightMouseButton}, ButtonClicked{kMenuButton}},
       MenuPlace::UnderMenuButton},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    view.menu_places.clear();
    for (const BarEvent& event : row.events) bar.Handle(event);
    EXPECT_EQ(view.menu_places, std::vector<MenuPlace>{row.place});
  }
  // Enter on a default menu button is the keyboard too.
  view.menu_places.clear();
  model.DefaultSearch = NumberOrText::Number(kMenuButton);
  bar.Handle(MouseRelease{kMenuButton});
  bar.Handle(KeyPress{kKeyEnter});
  EXPECT_EQ(view.menu_places, std::vector<MenuPlace>{MenuPlace::UnderMenuButton});
}

TEST_F(Buttons, IndexOutsideRow_UpdatesHistoryOpensNothing) {
  LoadFourEngines();
  Search(7, "q");
  Search(-1, "r");
  ExpectHistory({"r", "q"});
  EXPECT_EQ(bar.NewHistoryCount(), 2);
  EXPECT_TRUE(platform.shell_calls.empty());
  EXPECT_EQ(view.menu_shown, 0);
}

TEST_F(Buttons, AssignmentOutsideEngineTable_HistoryStaysNothingOpened) {
  LoadFourEngines("SearchSelect(1)=25\r\n");
  Search(1, "q");
  ExpectHistory({"q"});
  EXPECT_TRUE(platform.shell_calls.empty());
}

TEST_F(Buttons, DisabledButton_StillSearchesWhenClickedByCode) {
  // An empty engine name disables the button, but keys still reach it (its prefix stays usable).
  LoadFourEngines("SearchSelect(2)=7\r\n");
  model.SearchEngn[7] = "https://seven.example/?s=";
  ASSERT_FALSE(view.buttons[2].enabled);
  Search(2, "q");
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"https://seven.example/?s=q"});
}

TEST_F(Buttons, OtherMouseButtons_EveryPressOpensTheHomePageOfAnEnabledSearchButton) {
  struct Row {
    const char* what;
    std::vector<BarEvent> mouse;
    std::vector<std::string> opened;
  };
  const std::string b = "http://b.example/";
  const std::string c = "http://c.example/";
  const Row rows[] = {
      {"right press", {MousePress{1, kRightMouseButton}}, {b}},
      {"middle press", {MousePress{2, kMiddleMouseButton}}, {c}},
      {"the releases mean nothing",
       {MouseRelease{1, kRightMouseButton}, MouseRelease{2, kMiddleMouseButton}},
       {}},
      // A double-click is two presses, the second with a click count of 2.
      {"right double-click",
       {MousePress{1, kRightMouseButton}, MouseRelease{1, kRightMouseButton},
        MousePress{1, kRightMouseButton, 2}, MouseRelease{1, kRightMouseButton}},
       {b, b}},
      {"middle double-click",
       {MousePress{2, kMiddleMouseButton}, MousePress{2, kMiddleMouseButton, 2}},
       {c, c}},
      {"the left button is a click, not a press",
       {MousePress{0, kLeftMouseButton}, MousePress{0, kLeftMouseButton, 2}},
       {}},
      {"a disabled button",
       {MousePress{3, kRightMouseButton}, MousePress{3, kRightMouseButton, 2}},
       {}},
      {"clear and menu buttons",
       {MousePress{kClearButton, kRightMouseButton}, MousePress{kMenuButton, kMiddleMouseButton}},
       {}},
  };
  LoadFourEngines("SearchSelect(3)=9\r\n");  // slot 9 has no name: button 3 disabled
  view.query = "untouched";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    platform.shell_calls.clear();
    for (const BarEvent& event : row.mouse) bar.Handle(event);
    EXPECT_EQ(platform.OpenedAddresses(), row.opened);
    EXPECT_EQ(view.query, "untouched");
    ExpectHistory({});
  }
}

TEST_F(Buttons, NewHistoryCount_StopsAt32767) {
  LoadFourEngines();
  for (int i = 0; i < 32770; ++i) Search(7, std::to_string(i % 2));  // alternate: always new
  EXPECT_EQ(bar.NewHistoryCount(), 32767);
  // And the log still gets the (two distinct) queries rather than nothing.
  bar.Handle(WindowClosed{});
  EXPECT_EQ(ReadBytes(folder / "log.txt"), "0\r\n1\r\n");
}

// An engine keyword at the start of the typed text names the engine, whatever key searches;
// the history keeps the text as typed.
TEST_F(Buttons, Keyword_NamesItsEngineWhicheverKeySearches) {
  LoadFourEngines();
  model.SearchKey[2] = "c";
  model.SearchName[7] = "W";  // on no button
  model.SearchHome[7] = "http://w.example/";
  model.SearchEngn[7] = "http://w.example/?s=%s";
  model.SearchKey[7] = "w";
  struct Case {
    const char* text;
    int key;
    const char* opened;
  };
  const Case cases[] = {
      {"w 東京", kKeyF3, "http://w.example/?s=%E6%9D%B1%E4%BA%AC"},
      {"W\xE3\x80\x80x y", kKeyEnter, "http://w.example/?s=x%20y"},
      {"c q", kKeyF1, "http://c.example/?q=q"},
      {"w ", kKeyF4, "http://w.example/"},     // nothing after the keyword: the home page
      {"w", kKeyF2, "http://b.example/?q=w"},  // the keyword alone is a query
      {"wiki q", kKeyF1, "http://a.example/?q=wiki q"},
  };
  for (const auto& c : cases) {
    platform.shell_calls.clear();
    view.query = c.text;
    bar.Handle(KeyPress{c.key, 0});
    EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{c.opened}) << c.text;
    EXPECT_EQ(bar.History().Item(0), c.text);
  }
}

}  // namespace
}  // namespace velto::test
