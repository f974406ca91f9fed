// Suggestions: what is asked of whom, which answers count, and what the keys do with the list.
#include <gtest/gtest.h>

#include "main/history_log.h"
#include "main/key_codes.h"
#include "main/match_fold.h"
#include "main/past_searches.h"
#include "main/suggestion_answer.h"
#include "main/suggestions.h"
#include "search_bar_fixture.h"
#include "support/fake_suggestion_services.h"

namespace velto::test {
namespace {

struct AnswerCase {
  const char* name;
  std::string body;
  std::optional<std::vector<std::string>> expected;
};

TEST(SuggestionAnswer, KeepsWellFormedCompletionsOfTheAskedQueryOnly) {
  const std::string many = R"(["q",["0","1","2","3","4","5","6","7","8","9","10"]])";
  const std::string long_entry = "[\"q\",[\"" + std::string(250, 'x') + "\"]]";
  const std::string huge = "[\"q\",[\"a\"]]" + std::string(kMaxSuggestionBody, ' ');
  const AnswerCase cases[] = {
      {"plain", R"(["q",["qa","qb"],[],[]])", std::vector<std::string>{"qa", "qb"}},
      {"no completions", R"(["q",[]])", std::vector<std::string>{}},
      {"other query", R"(["Q",["qa"]])", std::nullopt},
      {"echo not a text", R"([1,["qa"]])", std::nullopt},
      {"completions not a list", R"(["q","qa"])", std::nullopt},
      {"object", R"({"q":["qa"]})", std::nullopt},
      {"one element", R"(["q"])", std::nullopt},
      {"cut JSON", R"(["q",["qa")", std::nullopt},
      {"not JSON", "<html>busy</html>", std::nullopt},
      {"empty body", "", std::nullopt},
      {"ill-formed UTF-8", "[\"q\",[\"\xff\"]]", std::nullopt},
      {"longer than read", huge, std::nullopt},
      {"ten at most", many,
       std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
      {"cut to 200 characters", long_entry, std::vector<std::string>{std::string(200, 'x')}},
      {"controls dropped, empties and repeats left out",
       R"(["q",["a\tb\u0000c","\u0007","a\u0085bc",5,null,"東京\n"]])",
       std::vector<std::string>{"abc", "東京"}},
      {"format and separator characters dropped, their neighbours kept",
       R"(["q",["abc\u202ERTL","\u200B","\u200B\u2060\uFEFF","tokyo\u2028tower\u2029",)"
       R"("a\u00ADb\u2066c\u2069","\uDB40\uDC01\uDB40\uDC74x","\u2027\u202F\u2030\u2061"]])",
       std::vector<std::string>{"abcRTL", "tokyotower", "abc", "x", "\u2027\u202F\u2030"}},
  };
  for (const AnswerCase& c : cases)
    EXPECT_EQ(ReadSuggestionAnswer(c.body, "q"), c.expected) << c.name;
  EXPECT_EQ(ReadSuggestionAnswer(R"(["東京 タワー",["東京タワー 高さ"]])", "東京 タワー"),
            std::vector<std::string>{"東京タワー 高さ"});
}

struct RequestCase {
  const char* text;
  std::optional<SuggestionRequest> expected;
};

TEST(SuggestionRequest, AsksTheEngineEnterWouldUse) {
  SettingsModel model;
  model.Suggest = true;
  model.DefaultSearch = NumberOrText::Number(1);
  model.SearchSelect = {0, 3, 0, 0, 0, 0};
  model.SuggestEngn[3] = "http://s.example/d?q=%s&x=%s";
  model.SearchKey[5] = "w";
  model.SuggestEngn[5] = "HTTPS://w.example/?search=%s";
  model.SearchKey[6] = "n";  // an engine without suggestions
  model.SearchKey[7] = "f";
  model.SuggestEngn[7] = "ftp://f.example/%s";
  model.SearchKey[8] = "p";
  model.SuggestEngn[8] = "http://p.example/?q=";  // no %s: not a suggestion address
  const RequestCase cases[] = {
      {"c++ 東京", SuggestionRequest{"http://s.example/d?q=c%2B%2B%20%E6%9D%B1%E4%BA%AC&x=c%2B%2B%"
                                     "20%E6%9D%B1%E4%BA%AC",
                                     "c++ 東京", ""}},
      {"w 東京", SuggestionRequest{"HTTPS://w.example/?search=%E6%9D%B1%E4%BA%AC", "東京", "w "}},
      {"W\xE3\x80\x80x", SuggestionRequest{"HTTPS://w.example/?search=x", "x", "W\xE3\x80\x80"}},
      {"w ", std::nullopt},
      {"n 東京", std::nullopt},
      {"f 東京", std::nullopt},
      {"p 東京", std::nullopt},
      {"", std::nullopt},
  };
  for (const RequestCase& c : cases)
    EXPECT_EQ(SuggestionRequestFor(model, c.text), c.expected) << c.text;

  model.DefaultSearch = NumberOrText::Text("none");
  EXPECT_EQ(SuggestionRequestFor(model, "x"), std::nullopt) << "no default button";
  model.DefaultSearch = NumberOrText::Number(1);
  model.Suggest = false;
  EXPECT_EQ(SuggestionRequestFor(model, "w 東京"), std::nullopt) << "suggestions off";
}

struct PastSearchCase {
  const char* typed;
  std::vector<std::string> expected;
};

TEST(PastSearches, BeginningsFirstThenInsidesNewestFirstOnceEachFoldingCaseAndWidth) {
  HistoryList history;  // newest first
  for (const char* text : {"東京タワー", "ｶﾞｲﾄﾞ", "ＴＯＫＹＯ ｄｏｍｅ", "tokyo tower"})
    history.Insert(0, text);
  int log_reads = 0;
  PastSearches past(history, [&log_reads] {
    ++log_reads;
    return std::vector<std::string>{"tokyo tower", "Kyoto",    "Tokyo",
                                    "new tokyo",   "Ångström", "ガイドブック",
                                    "Tokyo",       "ŁÓDŹ",     "ｐａｒｉｓ　ｃａｆé"};
  });
  const PastSearchCase cases[] = {
      {"tok", {"tokyo tower", "ＴＯＫＹＯ ｄｏｍｅ", "Tokyo", "new tokyo"}},
      {"ＴＯＫ", {"tokyo tower", "ＴＯＫＹＯ ｄｏｍｅ", "Tokyo", "new tokyo"}},
      {"kyo", {"Kyoto", "tokyo tower", "ＴＯＫＹＯ ｄｏｍｅ", "Tokyo", "new tokyo"}},
      {"o", {"tokyo tower", "ＴＯＫＹＯ ｄｏｍｅ", "Kyoto", "Tokyo", "new tokyo"}},  // five at most
      {"ガイド", {"ｶﾞｲﾄﾞ", "ガイドブック"}},
      {"ｶﾞｲﾄﾞﾌﾞ", {"ガイドブック"}},
      {"ガイ", {"ｶﾞｲﾄﾞ", "ガイドブック"}},  // カ and a combining voiced mark
      {"カイ", {}},
      {"ÅNG", {"Ångström"}},
      {"łódź", {"ŁÓDŹ"}},
      {"paris café", {"ｐａｒｉｓ　ｃａｆé"}},
      {"タワー", {"東京タワー"}},
      {"tokyo tower", {}},  // the typed text itself is no offer
      {"TOKYO TOWER", {"tokyo tower"}},
      {"", {}},
      {"xyz", {}},
  };
  for (const PastSearchCase& c : cases) EXPECT_EQ(past.Matching(c.typed), c.expected) << c.typed;
  EXPECT_EQ(log_reads, 1) << "the log is read once, at the first match";
  history.Insert(0, "tokamak");
  EXPECT_EQ(past.Matching("toka"), std::vector<std::string>{"tokamak"}) << "a new search counts";
  EXPECT_EQ(log_reads, 1);
}

TEST(HistoryLogReading, NewestFirstWithinLimitsWhateverTheFileHolds) {
  TempFolder folder;
  const FilePath log = folder / "log.txt";
  const auto ansi = [&folder](std::string_view utf8) { return folder.codec().AnsiFromUtf8(utf8); };
  // A part of the file ends inside a two-byte character of a line.
  std::string across;
  std::size_t padding = 0;
  for (; across.size() + 400 < (std::size_t{1} << 20); ++padding)
    across += std::string(99, 'y') + "\r\n";
  const std::string head = (((std::size_t{1} << 20) - across.size()) % 2 == 0) ? "x" : "";
  const std::string kanji = [] {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "東";
    return text;
  }();
  across += ansi(head + kanji) + "\r\nlast";
  struct Case {
    const char* what;
    std::string bytes;
    HistoryLogLimits limits;
    std::vector<std::string> newest;  // the first lines read
    std::size_t count;
  };
  const Case cases[] = {
      {"CR LF, LF and CR", "a\r\nb\nc\rd", {}, {"d", "c", "b", "a"}, 4},
      {"empty lines", "\r\n\r\nx\r\n\n", {}, {"x"}, 1},
      {"control characters", "a\tb\r\nok\r\n" + std::string(1, '\0') + "x\r\n", {}, {"ok"}, 1},
      {"a line longer than a query", std::string(5000, 'x') + "\r\nshort", {}, {"short"}, 1},
      {"the code page", ansi("東京\r\nｶﾞｲﾄﾞ\r\n"), {}, {"ｶﾞｲﾄﾞ", "東京"}, 2},
      {"most lines kept", "1\r\n2\r\n3\r\n", {2, 100, 100}, {"3", "2"}, 2},
      {"most bytes kept", "aaa\r\nbbb\r\nccc\r\n", {100, 7, 100}, {"ccc", "bbb"}, 2},
      {"a character across two parts",
       across,
       {},
       {"last", head + kanji, std::string(99, 'y')},
       padding + 2},
  };
  for (const Case& c : cases) {
    WriteBytes(log, c.bytes);
    const std::vector<std::string> lines = ReadHistoryLog(folder.disk(), log, c.limits);
    EXPECT_EQ(lines.size(), c.count) << c.what;
    if (lines.size() < c.newest.size()) {
      ADD_FAILURE() << c.what;
      continue;
    }
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + c.newest.size()), c.newest)
        << c.what;
  }
  EXPECT_TRUE(ReadHistoryLog(folder.disk(), folder / "missing.txt").empty());
}

// The services outlive the bar, as the window that provides them does in the programs: a base
// that comes first is destroyed last.
struct WithSuggestionServices {
  FakeSuggestionServices services;
};

class SuggestionsTest : protected WithSuggestionServices, public SearchBarTest {
 protected:
  void SetUp() override {
    LoadFourEngines();
    model.Suggest = true;
    model.SuggestEngn[0] = "http://s.example/a?q=%s";
    model.SuggestEngn[2] = "http://s.example/c?q=%s";
    model.SearchKey[2] = "c";
    // The engine's completions alone; the past-search tests turn these on.
    model.HistorySuggest = false;
    bar.SetSuggestionServices(services.Services());
  }

  void WriteLog(std::string_view utf8) {
    WriteBytes(folder / "log.txt", folder.codec().AnsiFromUtf8(utf8));
  }
  std::vector<SuggestionRow> PastRows(const std::vector<std::string>& texts) {
    std::vector<SuggestionRow> rows;
    for (const std::string& text : texts) rows.push_back({text, SuggestionRowKind::PastSearch});
    return rows;
  }

  // Types text as the user does and lets the pause pass.
  void Type(const std::string& text) {
    view.query = text;
    bar.Handle(QueryEdited{text});
    services.Fire(SuggestionTimer::Debounce);
  }
  // Types and answers with the given completions.
  void TypeAndAnswer(const std::string& text, const std::string& query,
                     const std::string& completions) {
    Type(text);
    ASSERT_TRUE(services.Answer("[\"" + query + "\",[" + completions + "]]"));
  }
  KeyOutcome Press(int key, int shift = 0) { return bar.Handle(KeyPress{key, shift, {}}); }
};

TEST_F(SuggestionsTest, AsksAfterThePauseOnceForTheLastTextAndShowsTheAnswer) {
  view.query = "to";
  bar.Handle(QueryEdited{"to"});
  EXPECT_EQ(services.running.at(SuggestionTimer::Debounce).first, kSuggestionPause);
  EXPECT_TRUE(services.requested.empty()) << "nothing asked while typing";
  view.query = "tok";
  bar.Handle(QueryEdited{"tok"});
  services.Fire(SuggestionTimer::Debounce);
  EXPECT_EQ(services.requested, std::vector<std::string>{"http://s.example/a?q=tok"});
  EXPECT_EQ(services.running.at(SuggestionTimer::Deadline).first, kSuggestionDeadline);
  ASSERT_TRUE(services.Answer(R"(["tok",["tokyo","tokyo tower"]])"));
  EXPECT_EQ(services.shown, (std::vector<std::string>{"tokyo", "tokyo tower"}));
  EXPECT_FALSE(services.running.contains(SuggestionTimer::Deadline));
}

TEST_F(SuggestionsTest, DownAndEnterSearchTheHighlightedSuggestionLikeATypedQuery) {
  TypeAndAnswer("tok", "tok", R"("tokyo","tokyo tower")");
  EXPECT_EQ(bar.OutcomeOf(kKeyDown, 0), KeyOutcome::Consumed);
  EXPECT_EQ(Press(kKeyDown), KeyOutcome::Consumed);
  EXPECT_EQ(Press(kKeyDown), KeyOutcome::Consumed);
  EXPECT_EQ(Press(kKeyDown), KeyOutcome::Consumed);  // stays on the last
  EXPECT_EQ(services.highlighted, 1);
  EXPECT_EQ(Press(kKeyEnter), KeyOutcome::Consumed);
  EXPECT_EQ(platform.OpenedAddresses(),
            std::vector<std::string>{"http://a.example/?q=tokyo tower"});
  EXPECT_EQ(view.query, "tokyo tower");
  ExpectHistory({"tokyo tower"});
  EXPECT_TRUE(services.shown.empty());
  EXPECT_EQ(bar.OutcomeOf(kKeyDown, 0), KeyOutcome::PassOn) << "the list is gone";
}

TEST_F(SuggestionsTest, EnterWithoutHighlightSearchesTheTypedTextAndDropsTheLateAnswer) {
  TypeAndAnswer("tok", "tok", R"("tokyo")");
  Press(kKeyDown);
  Press(kKeyUp);  // back to the typed text
  EXPECT_EQ(services.highlighted, std::nullopt);
  view.query = "toky";
  bar.Handle(QueryEdited{"toky"});
  services.Fire(SuggestionTimer::Debounce);
  ASSERT_TRUE(services.pending) << "a request is on its way";
  Press(kKeyEnter);
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://a.example/?q=toky"});
  EXPECT_EQ(services.cancels, 1);
  EXPECT_FALSE(services.Answer(R"(["toky",["tokyo"]])")) << "cancelled";
  EXPECT_TRUE(services.shown.empty());
}

TEST_F(SuggestionsTest, LateStaleAndFailedAnswersShowNothing) {
  Type("a");
  EXPECT_TRUE(services.Fire(SuggestionTimer::Deadline));
  EXPECT_EQ(services.cancels, 1) << "the deadline drops the request";
  EXPECT_FALSE(services.pending);

  TypeAndAnswer("ab", "a", R"("abc")");  // answers an older text
  EXPECT_TRUE(services.shown.empty());
  Type("abc");
  ASSERT_TRUE(services.Answer(std::nullopt));  // HTTP error, TLS failure, too long
  EXPECT_TRUE(services.shown.empty());

  // A newer text cancels the running request; only its own answer counts.
  Type("x");
  view.query = "xy";
  bar.Handle(QueryEdited{"xy"});
  EXPECT_FALSE(services.pending);
  services.Fire(SuggestionTimer::Debounce);
  ASSERT_TRUE(services.Answer(R"(["xy",["xyz"]])"));
  EXPECT_EQ(services.shown, std::vector<std::string>{"xyz"});
  // An emptied box closes the list and asks nothing.
  view.query.clear();
  bar.Handle(QueryEdited{""});
  EXPECT_TRUE(services.shown.empty());
  EXPECT_FALSE(services.running.contains(SuggestionTimer::Debounce));
  EXPECT_EQ(services.requested.size(), 5u);  // a, ab, abc, x, xy
  EXPECT_TRUE(platform.OpenedAddresses().empty());
  EXPECT_TRUE(History().empty());
}

TEST_F(SuggestionsTest, AKeywordAsksItsEngineAndAPickedSuggestionKeepsTheKeyword) {
  TypeAndAnswer("c tok", "tok", R"("tokyo")");
  EXPECT_EQ(services.requested, std::vector<std::string>{"http://s.example/c?q=tok"});
  Press(kKeyDown);
  Press(kKeyEnter);
  EXPECT_EQ(view.query, "c tokyo");
  ExpectHistory({"c tokyo"});
}

TEST_F(SuggestionsTest, EscClosesTheListFirstAndEmptiesTheBoxSecond) {
  TypeAndAnswer("tok", "tok", R"("tokyo")");
  Press(kKeyDown);
  EXPECT_EQ(Press(kKeyEscape), KeyOutcome::Consumed);
  EXPECT_TRUE(services.shown.empty());
  EXPECT_EQ(view.query, "tok");
  Press(kKeyEscape);
  EXPECT_EQ(view.query, "");
}

// A screen reader follows the highlight into the list and back to the box; a list that closes
// without a highlight, or a typed letter, says nothing.
TEST_F(SuggestionsTest, TheAccessibleFocusFollowsTheHighlightAndComesBackToTheBox) {
  struct Row {
    const char* what;
    std::vector<BarEvent> events;
    std::vector<int> focus_moves;  // -1: the query box
  };
  const Row rows[] = {
      {"down and up past the first",
       {KeyPress{kKeyDown}, KeyPress{kKeyDown}, KeyPress{kKeyUp}, KeyPress{kKeyUp}},
       {0, 1, 0, -1}},
      {"Esc closes a highlighted list", {KeyPress{kKeyDown}, KeyPress{kKeyEscape}}, {0, -1}},
      {"typing on", {KeyPress{kKeyUp}, QueryEdited{"toky"}}, {1, -1}},
      {"the box losing the focus", {KeyPress{kKeyDown}, QueryFocusLost{}}, {0, -1}},
      {"Esc without a highlight", {KeyPress{kKeyEscape}}, {}},
      {"a letter", {KeyPress{'A'}}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TypeAndAnswer("tok", "tok", R"("tokyo","tokyo tower")");
    services.focus_moves.clear();
    for (const BarEvent& event : row.events) bar.Handle(event);
    EXPECT_EQ(services.focus_moves, row.focus_moves);
    bar.Handle(QueryFocusLost{});
  }
}

TEST_F(SuggestionsTest, FunctionKeysAndClicksSearchTheSuggestion) {
  TypeAndAnswer("tok", "tok", R"("tokyo","tokyo tower")");
  Press(kKeyDown);
  Press(kKeyF3);
  EXPECT_EQ(platform.OpenedAddresses().back(), "http://c.example/?q=tokyo");
  TypeAndAnswer("osa", "osa", R"("osaka","osaka castle")");
  Press(kKeyF2);  // nothing highlighted: the text
  EXPECT_EQ(platform.OpenedAddresses().back(), "http://b.example/?q=osa");
  TypeAndAnswer("kyo", "kyo", R"("kyoto","kyoto station")");
  bar.Handle(SuggestionPress{1});
  bar.Handle(SuggestionRelease{1});
  EXPECT_EQ(platform.OpenedAddresses().back(), "http://a.example/?q=kyoto station");
  ExpectHistory({"kyoto station", "osa", "tokyo"});
}

TEST_F(SuggestionsTest, TheLeftButtonTakesASuggestionOnlyWhenReleasedOverTheRowItWentDownOn) {
  struct Row {
    const char* what;
    std::vector<BarEvent> mouse;
    std::optional<std::string> searched;  // nullopt: nothing opened, the list stays
  };
  const Row rows[] = {
      {"press and release on a row", {SuggestionPress{0}, SuggestionRelease{0}}, "tokyo"},
      {"dragged to another row", {SuggestionPress{0}, SuggestionRelease{1}}, std::nullopt},
      {"dragged off the list", {SuggestionPress{1}, SuggestionRelease{}}, std::nullopt},
      {"a release without a press", {SuggestionRelease{1}}, std::nullopt},
      {"the press counts once",
       {SuggestionPress{1}, SuggestionRelease{}, SuggestionRelease{1}},
       std::nullopt},
      {"a press only", {SuggestionPress{1}}, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TypeAndAnswer("tok", "tok", R"("tokyo","tokyo tower")");
    const std::size_t opened = platform.OpenedAddresses().size();
    for (const BarEvent& event : row.mouse) bar.Handle(event);
    if (row.searched) {
      ASSERT_EQ(platform.OpenedAddresses().size(), opened + 1);
      EXPECT_EQ(platform.OpenedAddresses().back(), "http://a.example/?q=" + *row.searched);
      EXPECT_TRUE(services.shown.empty());
    } else {
      EXPECT_EQ(platform.OpenedAddresses().size(), opened);
      EXPECT_EQ(services.shown.size(), 2u);
    }
    bar.Handle(SuggestionRelease{});  // no press left over for the next row
  }
}

TEST_F(SuggestionsTest, WhatClosesTheSuggestions) {
  struct Row {
    const char* what;
    BarEvent event;
    bool closes;
  };
  const Row rows[] = {
      {"Alt+Down", KeyPress{kKeyDown, kAltKey}, true},
      {"the query box losing the focus", QueryFocusLost{}, true},
      {"the window moving", WindowMoved{}, true},
      {"the history list opening", HistoryListOpened{}, true},
      {"a key of the open history list", KeyPress{kKeyDown, 0, {true, 0}}, true},
      {"the history list closing", HistoryListClosed{}, false},
      {"a release of a button", MouseRelease{0, kRightMouseButton}, false},
      {"a letter", KeyPress{'A', 0}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TypeAndAnswer("tok", "tok", R"("tokyo")");
    bar.Handle(row.event);
    EXPECT_EQ(services.shown.empty(), row.closes);
  }
}

TEST_F(SuggestionsTest, NothingIsAskedWhenOffOrWithoutASuggestionAddress) {
  model.SearchSelect[0] = 1;  // an engine without a suggestion address
  Type("tok");
  model.SearchSelect[0] = 0;
  model.Suggest = false;
  Type("toky");
  EXPECT_FALSE(services.fetcher_made) << "no network client made";
  EXPECT_TRUE(services.running.empty());
  Press(kKeyEnter);
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://a.example/?q=toky"});
}

TEST_F(SuggestionsTest, ACompositionsKeysAreTheInputMethodsAndItsTextIsAskedOnlyOnceCommitted) {
  struct Row {
    const char* what;
    KeyPress key;
  };
  const Row rows[] = {
      {"Enter confirming", KeyPress{kKeyEnter, 0}},
      {"Esc cancelling", KeyPress{kKeyEscape, 0}},
      {"Space converting", KeyPress{' ', 0}},
      {"F1", KeyPress{kKeyF1, 0}},
      {"F4", KeyPress{kKeyF4, kShiftKey}},
      {"F8", KeyPress{kKeyF8, 0}},
      {"Down choosing a candidate", KeyPress{kKeyDown, 0}},
      {"Up", KeyPress{kKeyUp, 0}},
      {"Alt+Down", KeyPress{kKeyDown, kAltKey}},
      {"a key of an open history list", KeyPress{kKeyEnter, 0, {true, 0}}},
  };
  DropHistory({"old"});
  TypeAndAnswer("tok", "tok", R"("tokyo")");
  const std::size_t asked = services.requested.size();
  const int list_closes = view.list_close_calls;
  bar.Handle(CompositionOpened{});
  EXPECT_TRUE(services.shown.empty()) << "the list leaves the candidate window free";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(bar.OutcomeOf(row.key.key_code, row.key.shift), KeyOutcome::PassOn);
    EXPECT_EQ(bar.Handle(row.key), KeyOutcome::PassOn);
    // The box holds the committed text only; the front end reports it unchanged.
    bar.Handle(QueryEdited{"tok"});
  }
  EXPECT_TRUE(platform.OpenedAddresses().empty());
  ExpectHistory({"old"});
  EXPECT_EQ(view.query, "tok") << "an Esc cancelling the composition keeps the box";
  EXPECT_FALSE(services.running.contains(SuggestionTimer::Debounce));
  EXPECT_EQ(services.requested.size(), asked) << "nothing asked for uncommitted text";
  EXPECT_EQ(view.list_close_calls, list_closes) << "the history list is left to the input method";

  view.query = "tok東京";
  bar.Handle(CompositionClosed{"tok東京"});
  EXPECT_EQ(services.running.at(SuggestionTimer::Debounce).first, kSuggestionPause);
  services.Fire(SuggestionTimer::Debounce);
  EXPECT_EQ(services.requested.back(), "http://s.example/a?q=tok%E6%9D%B1%E4%BA%AC");
  Press(kKeyEnter);
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://a.example/?q=tok東京"});

  // A composition whose closing never came ends with the focus: the keys are the bar's again.
  bar.Handle(CompositionOpened{});
  bar.Handle(QueryFocusLost{});
  EXPECT_EQ(bar.OutcomeOf(kKeyEnter, 0), KeyOutcome::Consumed);
}

TEST_F(SuggestionsTest, PastSearchesShowAtOnceAboveTheCompletionsAndTheKeysMoveThroughBoth) {
  model.HistorySuggest = true;
  WriteLog("Tokyo Dome\r\nosaka\r\n");
  DropHistory({"tokyo tower", "osaka"});
  view.query = "tok";
  bar.Handle(QueryEdited{"tok"});
  EXPECT_EQ(services.shown_rows, PastRows({"tokyo tower", "Tokyo Dome"})) << "before the pause";
  services.Fire(SuggestionTimer::Debounce);
  ASSERT_TRUE(services.Answer(R"(["tok",["tokyo","tokyo tower"]])"));
  std::vector<SuggestionRow> rows = PastRows({"tokyo tower", "Tokyo Dome"});
  rows.push_back({"tokyo", SuggestionRowKind::Suggestion});  // its repeat of a past one left out
  EXPECT_EQ(services.shown_rows, rows);
  Press(kKeyDown);
  Press(kKeyDown);
  Press(kKeyDown);
  EXPECT_EQ(services.highlighted, 2);
  Press(kKeyUp);
  // A failed answer for a newer text takes the completions only.
  Type("toky");
  ASSERT_TRUE(services.Answer(std::nullopt));
  EXPECT_EQ(services.shown_rows, PastRows({"tokyo tower", "Tokyo Dome"}));
  Press(kKeyDown);
  Press(kKeyDown);
  Press(kKeyEnter);
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://a.example/?q=Tokyo Dome"});
  ExpectHistory({"Tokyo Dome", "tokyo tower", "osaka"});
  EXPECT_TRUE(services.shown.empty());
}

TEST_F(SuggestionsTest, PastSearchesNeedNoNetworkAreReadOnceAndAreOffForZero) {
  model.HistorySuggest = true;
  model.Suggest = false;
  DropHistory({"tokyo tower"});
  Type("tok");
  EXPECT_EQ(services.shown_rows, PastRows({"tokyo tower"}));
  WriteLog("tokyo station\r\n");  // the log was read at the first keystroke
  Type("toky");
  EXPECT_EQ(services.shown, std::vector<std::string>{"tokyo tower"});
  EXPECT_EQ(services.shows, 1) << "the same rows are not shown again";
  Press(kKeyEnter);  // nothing highlighted: the typed text
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://a.example/?q=toky"});
  EXPECT_FALSE(services.fetcher_made);
  model.HistorySuggest = false;
  Type("tok");
  EXPECT_TRUE(services.shown.empty());
}

}  // namespace
}  // namespace velto::test
