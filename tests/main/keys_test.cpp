// Keyboard commands of the search bar.
#include "main/key_codes.h"
#include "search_bar_fixture.h"

namespace velto::test {
namespace {

using Keys = SearchBarTest;

constexpr int kShift = 1, kCtrl = 2;

TEST_F(Keys, EnterAndF1ToF4_SearchWithTheirButtonsWhateverTheShiftState) {
  LoadFourEngines();
  model.DefaultSearch = NumberOrText::Text("2");
  view.query = "q";
  bar.Handle(KeyPress{kKeyEnter, 0});
  bar.Handle(KeyPress{kKeyEnter, kCtrl});
  bar.Handle(KeyPress{kKeyF1, 0});
  bar.Handle(KeyPress{kKeyF2, 0});
  bar.Handle(KeyPress{kKeyF3, kShift});
  bar.Handle(KeyPress{kKeyF4, kShift});
  EXPECT_EQ(platform.OpenedAddresses(),
            (std::vector<std::string>{"http://c.example/?q=q", "http://c.example/?q=q",
                                      "http://a.example/?q=q", "http://b.example/?q=q",
                                      "http://c.example/?q=q", "http://d.example/?q=q"}));
  ExpectHistory({"q"});
  EXPECT_EQ(bar.NewHistoryCount(), 1);
}

TEST_F(Keys, Enter_UsesWholeNumberPartOfDefaultSearch) {
  LoadFourEngines();
  view.query = "q";
  for (const char* text : {"1.9", " 3 "}) {
    model.DefaultSearch = NumberOrText::Text(text);
    bar.Handle(KeyPress{kKeyEnter, 0});
  }
  EXPECT_EQ(platform.OpenedAddresses(),
            (std::vector<std::string>{"http://b.example/?q=q", "http://d.example/?q=q"}));
}

TEST_F(Keys, Enter_DefaultOutsideSearchButtons) {
  LoadFourEngines();
  view.query = "q";
  model.DefaultSearch = NumberOrText::Number(4);  // acts as the clear button
  bar.Handle(KeyPress{kKeyEnter, 0});
  EXPECT_EQ(view.query, "");
  EXPECT_EQ(view.focus_calls, 1);

  view.query = "r";
  model.DefaultSearch = NumberOrText::Number(9);  // only the history is updated
  bar.Handle(KeyPress{kKeyEnter, 0});
  ExpectHistory({"r"});

  view.query = "s";
  for (const char* text : {"", "abc", "99999"}) {  // names no button: nothing at all
    model.DefaultSearch = NumberOrText::Text(text);
    bar.Handle(KeyPress{kKeyEnter, 0});
  }
  ExpectHistory({"r"});
  EXPECT_TRUE(platform.shell_calls.empty());
}

TEST_F(Keys, EmptyQuery_KeysSearchNothing) {
  LoadFourEngines();
  for (int key : {kKeyEnter, kKeyF1, kKeyF2, kKeyF3, kKeyF4}) bar.Handle(KeyPress{key, 0});
  EXPECT_TRUE(platform.shell_calls.empty());
  ExpectHistory({});
}

TEST_F(Keys, Escape_ClearsAndFocusesHistoryUnchanged) {
  LoadFourEngines();
  Search(0, "kept");
  view.query = "typed";
  bar.Handle(KeyPress{kKeyEscape, 0});
  EXPECT_EQ(view.query, "");
  EXPECT_EQ(view.focus_calls, 1);
  ExpectHistory({"kept"});
}

TEST_F(Keys, F5_CyclesDefaultAndMovesBold) {
  LoadFourEngines();
  model.DefaultSearch = NumberOrText::Text("1");
  bar.ShowDefaultButton();
  bar.Handle(KeyPress{kKeyF5, 0});
  EXPECT_TRUE(model.DefaultSearch.IsNumber());
  EXPECT_TRUE(model.DefaultSearch.Equals(2));
  EXPECT_EQ(view.BoldButtons(), std::vector<int>{2});
  for (int expected : {3, 0, 1}) {
    bar.Handle(KeyPress{kKeyF5, 0});
    EXPECT_EQ(view.BoldButtons(), std::vector<int>{expected});
  }
  view.query = "q";
  bar.Handle(KeyPress{kKeyEnter, 0});
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://b.example/?q=q"});
}

// The bold font shows the default to the eye; the descriptions tell a screen reader which
// button Enter clicks, found as Enter finds it, and each button's own key.
TEST_F(Keys, Descriptions_NameEachButtonsKeyAndTheOneEnterClicks) {
  LoadFourEngines();
  struct Row {
    NumberOrText default_search;
    std::vector<std::string> descriptions;
  };
  const Row rows[] = {
      {NumberOrText::Number(2),
       {"F1 キーでも検索", "F2 キーでも検索", "Enter で検索、F3 キーでも検索", "F4 キーでも検索",
        "Esc キーでも消去", ""}},
      {NumberOrText::Number(0.7),  // Enter takes the whole number part: button 0
       {"Enter で検索、F1 キーでも検索", "F2 キーでも検索", "F3 キーでも検索", "F4 キーでも検索",
        "Esc キーでも消去", ""}},
      {NumberOrText::Number(4),
       {"F1 キーでも検索", "F2 キーでも検索", "F3 キーでも検索", "F4 キーでも検索",
        "Enter で消去、Esc キーでも消去", ""}},
      {NumberOrText::Text("x"),
       {"F1 キーでも検索", "F2 キーでも検索", "F3 キーでも検索", "F4 キーでも検索",
        "Esc キーでも消去", ""}},
  };
  for (const Row& row : rows) {
    model.DefaultSearch = row.default_search;
    bar.ShowDefaultButton();
    std::vector<std::string> descriptions;
    for (const auto& button : view.buttons) descriptions.push_back(button.description);
    EXPECT_EQ(descriptions, row.descriptions);
  }
  bar.Handle(KeyPress{kKeyF5, 0});  // from "x" to button 0
  EXPECT_EQ(view.buttons[0].description, "Enter で検索、F1 キーでも検索");
}

TEST_F(Keys, F5_DefaultOutsideCycleStartsAtZero) {
  LoadFourEngines();
  for (NumberOrText odd : {NumberOrText::Text(""), NumberOrText::Text("x"), NumberOrText::Number(4),
                           NumberOrText::Number(5), NumberOrText::Number(-3)}) {
    model.DefaultSearch = odd;
    bar.ShowDefaultButton();
    bar.Handle(KeyPress{kKeyF5, 0});
    EXPECT_TRUE(model.DefaultSearch.Equals(0));
    EXPECT_EQ(view.BoldButtons(), std::vector<int>{0}) << "a bold clear or menu button goes too";
  }
}

TEST_F(Keys, F8_InsertsUnconditionallyAndCounts) {
  LoadFourEngines();
  view.query = "abc";
  bar.Handle(KeyPress{kKeyF8, 0});
  bar.Handle(KeyPress{kKeyF8, 0});
  view.query = "";
  bar.Handle(KeyPress{kKeyF8, 0});
  ExpectHistory({"", "abc", "abc"});
  EXPECT_EQ(bar.NewHistoryCount(), 3);
  EXPECT_TRUE(platform.shell_calls.empty());
}

TEST_F(Keys, F9_EmptiesListAndBoxCounterKept) {
  LoadFourEngines();
  Search(0, "a");
  Search(0, "b");
  bar.Handle(KeyPress{kKeyF9, 0});
  ExpectHistory({});
  EXPECT_EQ(view.query, "");
  EXPECT_EQ(bar.NewHistoryCount(), 2);
}

TEST_F(Keys, OtherKeys_NoEffect) {
  LoadFourEngines();
  view.query = "q";
  for (int key : {0, 9, 32, 65, 117, 118, 121, 122, 123, 0xFFFF, -1}) bar.Handle(KeyPress{key, 0});
  EXPECT_EQ(view.query, "q");
  ExpectHistory({});
  EXPECT_TRUE(platform.shell_calls.empty());
  EXPECT_EQ(view.focus_calls, 0);
  EXPECT_EQ(view.menu_shown, 0);
}

// Keys as the front ends describe them: the open list, and what the focused control may still do.
TEST_F(Keys, OnKeyPress_OpenListTakesTheHighlightedEntryThenActs) {
  LoadFourEngines();
  DropHistory({"one", "two"});
  struct Case {
    int key;
    std::optional<int> highlighted;
    const char* query_after;
    std::vector<std::string> opened;
  };
  const Case cases[] = {
      {kKeyEnter, 1, "two", {"http://a.example/?q=two"}},
      {kKeyF3, 1, "one", {"http://c.example/?q=one"}},  // the list is now two, one
      {kKeyEscape, 1, "", {}},
      {kKeyF2, std::nullopt, "typed", {"http://b.example/?q=typed"}},  // nothing highlighted
      {kKeyF2, 7, "typed", {"http://b.example/?q=typed"}},             // no such entry
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    view.query = "typed";
    platform.shell_calls.clear();
    const int closes = view.list_close_calls;
    EXPECT_EQ(bar.Handle(KeyPress{c.key, 0, {true, c.highlighted}}), KeyOutcome::Consumed);
    EXPECT_EQ(view.query, c.query_after);
    EXPECT_EQ(view.list_close_calls, closes + 1);
    EXPECT_EQ(platform.OpenedAddresses(), c.opened);
  }
}

TEST_F(Keys, OnKeyPress_OnlyCommandKeysAreConsumedAndAltLeavesThemToTheSystem) {
  LoadFourEngines();
  view.query = "q";
  // Down opens or walks the list; it is the control's, even with the list open.
  EXPECT_EQ(bar.Handle(KeyPress{40, 0, {true, 0}}), KeyOutcome::PassOn);
  EXPECT_EQ(bar.Handle(KeyPress{9, 0, {}}), KeyOutcome::PassOn);
  EXPECT_EQ(view.list_close_calls, 0);
  EXPECT_EQ(bar.Handle(KeyPress{kKeyEnter, 0, {}}), KeyOutcome::Consumed);
  EXPECT_EQ(bar.Handle(KeyPress{kKeyF4, kAltKey, {}}), KeyOutcome::PassOn);  // Alt+F4 still closes
  EXPECT_EQ(platform.OpenedAddresses(),
            (std::vector<std::string>{"http://a.example/?q=q", "http://d.example/?q=q"}));
  EXPECT_EQ(view.list_close_calls, 0) << "a closed list is not closed again";
}

}  // namespace
}  // namespace velto::test
