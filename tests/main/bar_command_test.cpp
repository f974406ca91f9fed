// Commands of later starts: what the command line names, the message between the two
// processes, and what the running bar does with each.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "main/bar_command.h"
#include "search_bar_fixture.h"

namespace velto::test {
namespace {

using Kind = BarCommand::Kind;

struct ParseCase {
  std::string line;
  std::optional<BarCommand> command;
};

BarCommand Focus() {
  return {Kind::Focus, {}};
}
BarCommand SearchFor(std::string text) {
  return {Kind::Search, std::move(text)};
}

class CommandLine : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandLine, NamesTheCommandOrNone) {
  EXPECT_EQ(ParseBarCommand(GetParam().line), GetParam().command) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLine,
    ::testing::Values(
        ParseCase{"--focus", Focus()}, ParseCase{"/F", Focus()}, ParseCase{"/f", Focus()},
        ParseCase{"  /F  ", Focus()}, ParseCase{"--FOCUS", std::nullopt},
        ParseCase{"--focus now", std::nullopt}, ParseCase{"/Fx", std::nullopt},
        // The Linux arguments joined by one blank: everything after it is the query.
        ParseCase{"--search C++ AT&T", SearchFor("C++ AT&T")},
        ParseCase{"--search  two blanks ", SearchFor(" two blanks ")},
        ParseCase{"--search \"tokyo tower\"", SearchFor("\"tokyo tower\"")},
        ParseCase{"--search", std::nullopt}, ParseCase{"--search ", std::nullopt},
        // The Windows form: blanks after the switch, one pair of quotes around the query.
        ParseCase{"/S 東京 タワー", SearchFor("東京 タワー")},
        ParseCase{"/s   \"C# tips\"", SearchFor("C# tips")}, ParseCase{"/S \"\"", std::nullopt},
        ParseCase{"/S", std::nullopt}, ParseCase{"/D", std::nullopt}, ParseCase{"", std::nullopt},
        ParseCase{"--search \xFF\xFE", std::nullopt},
        ParseCase{std::string("--search a\0b", 12), std::nullopt},
        ParseCase{"--search " + std::string(kMaxCommandTextBytes, 'x'),
                  SearchFor(std::string(kMaxCommandTextBytes, 'x'))},
        ParseCase{"--search " + std::string(kMaxCommandTextBytes + 1, 'x'), std::nullopt}));

TEST(CommandMessage, EveryCommandSurvivesTheTripAndFitsTheBound) {
  for (const BarCommand& command : {Focus(), SearchFor("東京 タワー"), SearchFor(" "),
                                    SearchFor(std::string(kMaxCommandTextBytes, 'q'))}) {
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
        std::string("VELTO1S a\0b", 11), "VELTO1S " + std::string(kMaxCommandTextBytes + 1, 'q')}) {
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
