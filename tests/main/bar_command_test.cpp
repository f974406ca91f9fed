// Commands of later starts: what the command line names, the message between the two
// processes, and what the running bar does with each.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "main/bar_command.h"
#include "main/windows_arguments.h"
#include "search_bar_fixture.h"

namespace velto::test {
namespace {

using Kind = BarCommand::Kind;

struct ParseCase {
  std::string line;
  std::optional<BarCommand> command;
  std::string problem = {};  // a part of the reason a named command is refused
};

BarCommand Focus() {
  return {Kind::Focus, {}};
}
BarCommand SearchFor(std::string text) {
  return {Kind::Search, std::move(text)};
}

class CommandLine : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandLine, NamesTheCommandOrWhyItIsRefusedOrNone) {
  const CommandLineRequest request = ReadCommandLine(GetParam().line);
  EXPECT_EQ(request.command, GetParam().command) << GetParam().line.substr(0, 40);
  if (GetParam().problem.empty())
    EXPECT_EQ(request.problem, "");
  else
    EXPECT_NE(request.problem.find(GetParam().problem), std::string::npos) << request.problem;
  EXPECT_EQ(ParseBarCommand(GetParam().line), GetParam().command);
}

// 32,767 characters of three bytes each, and one more.
const std::string kLongest = [] {
  std::string text;
  for (std::size_t i = 0; i < kMaxCommandTextCharacters; ++i) text += "\xE6\x9D\xB1";
  return text;
}();

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLine,
    ::testing::Values(ParseCase{"--focus", Focus()}, ParseCase{"/F", Focus()},
                      ParseCase{"/f", Focus()}, ParseCase{"  /F  ", Focus()},
                      ParseCase{"--FOCUS", std::nullopt}, ParseCase{"--focus now", std::nullopt},
                      ParseCase{"/Fx", std::nullopt},
                      // The Linux arguments joined by one blank: everything after it is the query.
                      ParseCase{"--search C++ AT&T", SearchFor("C++ AT&T")},
                      ParseCase{"--search  two blanks ", SearchFor(" two blanks ")},
                      ParseCase{"--search \"tokyo tower\"", SearchFor("\"tokyo tower\"")},
                      ParseCase{"--search \\\"x\\\"", SearchFor("\\\"x\\\"")},
                      ParseCase{"--search", std::nullopt, "--search needs a text"},
                      ParseCase{"--search ", std::nullopt, "--search needs a text"},
                      // The Windows form: the arguments after the switch as the system splits them.
                      ParseCase{"/S 東京 タワー", SearchFor("東京 タワー")},
                      ParseCase{"/s   \"C# tips\"", SearchFor("C# tips")},
                      ParseCase{"/S \"\\\"tokyo tower\\\"\"", SearchFor("\"tokyo tower\"")},
                      ParseCase{"/S \\\"tokyo tower\\\"", SearchFor("\"tokyo tower\"")},
                      ParseCase{"/S  a   \"b  c\"\t d", SearchFor("a b  c d")},
                      ParseCase{"/S C:\\dir\\ x", SearchFor("C:\\dir\\ x")},
                      ParseCase{"/S \"\"", std::nullopt, "/S needs a text"},
                      ParseCase{"/S", std::nullopt, "/S needs a text"},
                      ParseCase{"/S   ", std::nullopt, "/S needs a text"},
                      ParseCase{"/D", std::nullopt}, ParseCase{"", std::nullopt},
                      ParseCase{"--search \xFF\xFE", std::nullopt, "not valid UTF-8"},
                      ParseCase{"/S \xE6\x9D", std::nullopt, "not valid UTF-8"},
                      ParseCase{std::string("--search a\0b", 12), std::nullopt, "not valid UTF-8"},
                      ParseCase{"--search " + kLongest, SearchFor(kLongest)},
                      ParseCase{"/S " + kLongest, SearchFor(kLongest)},
                      ParseCase{"--search " + kLongest + "x", std::nullopt,
                                "longer than 32,767 characters"},
                      ParseCase{"/S " + std::string(kMaxCommandTextCharacters + 1, 'x'),
                                std::nullopt, "longer than 32,767 characters"}));

// The rules CommandLineToArgvW applies after the program name.
TEST(WindowsArguments, SplitAsTheSystemSplitsThem) {
  using Args = std::vector<std::string>;
  const std::pair<std::string, Args> rows[] = {
      {"", {}},
      {" \t ", {}},
      {"a b\tc", {"a", "b", "c"}},
      {"\"a b\" c", {"a b", "c"}},
      {"x\"a b\"y", {"xa by"}},
      {"\"\"", {""}},
      {"\"\" x", {"", "x"}},
      {"\\\"a\\\"", {"\"a\""}},           // \" is a quote
      {"\\\\\"a b\"", {"\\a b"}},         // \\" is a backslash, then quoting
      {"\\\\\\\"a", {"\\\"a"}},           // \\\" is a backslash and a quote
      {"a\\b c\\\\", {"a\\b", "c\\\\"}},  // backslashes before no quote stay
      {"\"a\"\"b c\"", {"a\"b", "c"}},    // "" in quotes: a quote, and quoting ends
      {"\"\"\"a b\"\"\"", {"\"a", "b\""}},
      {"\"\"\"\"a b\"", {"\"a b"}},
      {"\"open", {"open"}},
      {"東京\"タ ワー\"", {"東京タ ワー"}},
  };
  for (const auto& [text, arguments] : rows)
    EXPECT_EQ(SplitWindowsArguments(text), arguments) << text;
}

TEST(CommandMessage, EveryCommandSurvivesTheTripAndFitsTheBound) {
  for (const BarCommand& command :
       {Focus(), SearchFor("東京 タワー"), SearchFor(" "), SearchFor(kLongest)}) {
    const std::string message = EncodeBarCommand(command);
    EXPECT_LE(message.size(), kMaxCommandMessageBytes);
    EXPECT_EQ(DecodeBarCommand(message), command);
  }
}

TEST(CommandMessage, AnythingElseIsNoCommand) {
  const std::string good = EncodeBarCommand(SearchFor("q"));
  for (const std::string& message :
       {std::string(), std::string("VELTO1"), std::string("VELTO1F "), std::string("VELTO1X"),
        std::string("VELTO1S "), std::string("VELTO1Sq"), std::string("velto1F"),
        std::string("VELTO2F"), good.substr(0, good.size() - 2), std::string("VELTO1S \xC3"),
        std::string("VELTO1S a\0b", 11), "VELTO1S " + kLongest + "q"}) {
    EXPECT_EQ(DecodeBarCommand(message), std::nullopt) << message.substr(0, 20);
  }
}

using CarryOut = SearchBarTest;

TEST_F(CarryOut, Focus_BringsTheBarForwardThenSelectsTheWholeQuery) {
  LoadFourEngines();
  view.query = "kept";
  bar.CarryOut(Focus());
  EXPECT_EQ(view.calls, (std::vector<std::string>{"front", "focus", "select"}));
  EXPECT_EQ(view.query, "kept");
  EXPECT_TRUE(platform.shell_calls.empty());
}

TEST_F(CarryOut, Search_RunsAsTextDroppedOnTheDefaultButton) {
  LoadFourEngines("DefaultSearch=2\r\n");
  bar.CarryOut(SearchFor("C++"));
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://c.example/?q=C++"});
  EXPECT_EQ(view.query, "C++");
  ExpectHistory({"C++"});
  EXPECT_EQ(bar.NewHistoryCount(), 1);
}

TEST_F(CarryOut, Search_WithADefaultNamingNoSearchButtonOnlyFillsTheBox) {
  for (const char* value : {"DefaultSearch=4\r\n", "DefaultSearch=x\r\n"}) {
    LoadFourEngines(value);
    bar.CarryOut(SearchFor("q"));
    EXPECT_EQ(view.query, "q") << value;
  }
  EXPECT_TRUE(platform.shell_calls.empty());
  ExpectHistory({});
}

}  // namespace
}  // namespace velto::test
