// The browser command: split like an Exec line on Linux, quoted for CommandLineToArgvW on
// Windows; the address is exactly one argument whatever it holds, and a command that cannot be
// read is refused rather than guessed at.
#include "main/browser_command.h"

#include <gtest/gtest.h>

#include "main/browser_opener.h"
#include "search_bar_fixture.h"

namespace velto::test {
namespace {

using Args = std::vector<std::string>;

// Queries meant to break out of an argument or into a shell.
const char* const kHostile = R"(x" --evil "y $(touch /tmp/p) `id` & calc ^& \" \\" a\)";

TEST(ExecArguments, SplitsLikeAnExecLine_AddressAlwaysOneArgument) {
  struct Case {
    const char* command;
    const char* address;
    std::optional<Args> argv;
  };
  const Case cases[] = {
      {"firefox %u", "http://a/?q=x y", Args{"firefox", "http://a/?q=x y"}},
      {"  firefox\t --private-window   %u  ", "u", Args{"firefox", "--private-window", "u"}},
      {R"("/opt/My Browser/run" %u)", "u", Args{"/opt/My Browser/run", "u"}},
      {R"(b "say \"hi\" \$HOME \`x\` \\ \n" %u)", "u",
       Args{"b", R"(say "hi" $HOME `x` \ \n)", "u"}},
      {R"(b "" %u)", "u", Args{"b", "", "u"}},
      {"b --url=%u", "a b", Args{"b", "--url=a b"}},
      {"b 100%% \"50%%\" %u", "u", Args{"b", "100%", "50%", "u"}},
      {"b %U", "u", Args{"b", "u"}},
      // Codes with nothing to stand for go, and an argument of nothing else with them.
      {"b %i %c --x%k %m %d%D%n %N %v %u", "u", Args{"b", "--x", "u"}},
      {"b 'x y' %u", "u", Args{"b", "'x", "y'", "u"}},
      {"b %u", kHostile, Args{"b", kHostile}},
      {"b %u", "", Args{"b", ""}},
      // Refused: no address, the address as the program or in quotes, open quotes, no program.
      {"firefox", "u", std::nullopt},
      {"%u", "u", std::nullopt},
      // Refused: apostrophes around the address, two addresses, a file's name, unknown codes.
      {"recorder '%u'", "u", std::nullopt},
      {"b %u %u", "u", std::nullopt},
      {"b %u %U", "u", std::nullopt},
      {"b %f", "u", std::nullopt},
      {"b %u %x", "u", std::nullopt},
      {"b %u 100%", "u", std::nullopt},
      {"x%u --y", "u", std::nullopt},
      {R"(b "%u")", "u", std::nullopt},
      {R"(b "a %u)", "u", std::nullopt},
      {R"(b %u "open)", "u", std::nullopt},
      {R"("" %u)", "u", std::nullopt},
      {"", "u", std::nullopt},
      {"   ", "u", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ExecArguments(c.command, c.address), c.argv) << c.command;
}

TEST(QuoteWindowsArgument, BackslashesDoubledOnlyBeforeQuotes) {
  struct Case {
    const char* argument;
    const char* quoted;
  };
  const Case cases[] = {
      {"", R"("")"},
      {"a b", R"("a b")"},
      {R"(a"b)", R"("a\"b")"},
      {R"(a\b)", R"("a\b")"},
      {R"(a\"b)", R"("a\\\"b")"},
      {R"(a\\)", R"("a\\\\")"},
      {R"(\\server\share\)", R"("\\server\share\\")"},
      {"%PATH% ^& |", R"("%PATH% ^& |")"},
  };
  for (const Case& c : cases) EXPECT_EQ(QuoteWindowsArgument(c.argument), c.quoted) << c.argument;
}

TEST(WindowsCommandLine, AddressQuotedIntoTheLineAsWritten) {
  struct Case {
    const char* command;
    const char* address;
    std::optional<std::string> line;
  };
  const Case cases[] = {
      {"firefox.exe %u", "http://a/?q=x y", R"(firefox.exe "http://a/?q=x y")"},
      {R"("C:\Program Files\Mozilla Firefox\firefox.exe" -private-window %u)", "u",
       R"("C:\Program Files\Mozilla Firefox\firefox.exe" -private-window "u")"},
      {R"(  b.exe "a b" \"x %u)", "u", R"(b.exe "a b" \"x "u")"},
      {R"(b.exe --url=%u)", R"(a"b\)", R"(b.exe --url="a\"b\\")"},
      {R"(b.exe C:\dir\%u)", "u", R"(b.exe C:\dir\\"u")"},
      {"b.exe 100%% %U", "u", R"(b.exe 100% "u")"},
      {"b.exe %i %u", "u", R"(b.exe  "u")"},
      {"b.exe 100%% %u %x", "u", std::nullopt},
      {"b.exe '%u'", "u", std::nullopt},
      {R"(C:\a%%b\b.exe %u)", "u", R"(C:\a%b\b.exe "u")"},
      {"b.exe %u", kHostile,
       R"(b.exe "x\" --evil \"y $(touch /tmp/p) `id` & calc ^& \\\" \\\\\" a\\")"},
      {"b.exe", "u", std::nullopt},
      {"%u", "u", std::nullopt},
      {R"("C:\x%u.exe" a)", "u", std::nullopt},
      {R"(b.exe "%u")", "u", std::nullopt},
      {R"(b.exe "open %u)", "u", std::nullopt},
      {R"(b.exe %u "open)", "u", std::nullopt},
      {R"("C:\unclosed %u)", "u", std::nullopt},
      {R"("" %u)", "u", std::nullopt},
      {"", "u", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WindowsCommandLine(c.command, c.address), c.line) << c.command;
}

TEST(HandlerCommandLine, AddressPutInAsOneArgument) {
  struct Case {
    const char* handler;
    const char* line;
  };
  const Case cases[] = {
      {R"("C:\windows\system32\winebrowser.exe" -nohome "%1")",
       R"("C:\windows\system32\winebrowser.exe" -nohome "a \"b\"")"},
      {R"("C:\b\firefox.exe" -osint -url "%1")", R"("C:\b\firefox.exe" -osint -url "a \"b\"")"},
      {R"(C:\b\b.exe %1 %*)", R"(C:\b\b.exe "a \"b\"")"},
      {R"("C:\b\chrome.exe" --single-argument %1)", R"("C:\b\chrome.exe" --single-argument a "b")"},
      {R"("C:\b\b.exe" /u=%L)", R"("C:\b\b.exe" /u="a \"b\"")"},
      {R"("C:\b\b.exe")", R"("C:\b\b.exe" "a \"b\"")"},
  };
  for (const Case& c : cases) EXPECT_EQ(HandlerCommandLine(c.handler, R"(a "b")"), c.line);
  EXPECT_EQ(HandlerCommandLine("  ", "a"), std::nullopt);
}

TEST(CommandFault, NamesWhyEachSpellingRefuses_NoneExactlyWhenAccepted) {
  using F = CommandFault;
  struct Case {
    const char* command;
    F exec;
    F windows;
  };
  const Case cases[] = {
      {"firefox %u", F::None, F::None},
      {R"("C:\Program Files\b.exe" --url=%u)", F::None, F::None},
      {"firefox", F::NoAddress, F::NoAddress},
      {"firefox %U", F::None, F::None},
      {"b 'x' %i %u", F::None, F::None},
      {"recorder '%u'", F::AddressInApostrophes, F::AddressInApostrophes},
      {"b --url=%u'", F::AddressInApostrophes, F::AddressInApostrophes},
      {"b %u %U", F::SecondAddress, F::SecondAddress},
      {"b %F", F::FileCode, F::FileCode},
      {R"(b "%f" %u)", F::FileCode, F::FileCode},
      {"b %u %s", F::UnknownCode, F::UnknownCode},
      {R"(C:\%ProgramFiles%\b.exe %u)", F::UnknownCode, F::UnknownCode},
      {"b %u 100%", F::UnknownCode, F::UnknownCode},
      {"", F::NoProgram, F::NoProgram},
      {"   ", F::NoProgram, F::NoProgram},
      {R"("" %u)", F::NoProgram, F::NoProgram},
      {"%u", F::AddressInProgram, F::AddressInProgram},
      {"x%u --y", F::AddressInProgram, F::AddressInProgram},
      {R"("C:\x%u.exe" a)", F::AddressInQuotes, F::AddressInProgram},
      {R"(b "%u")", F::AddressInQuotes, F::AddressInQuotes},
      {R"(b "open %u)", F::AddressInQuotes, F::AddressInQuotes},
      {R"(b %u "open)", F::OpenQuote, F::OpenQuote},
      {R"("C:\unclosed %u)", F::AddressInQuotes, F::OpenQuote},
      // A backslash before a quote outside quotes escapes it on Windows only.
      {R"(b \"x %u)", F::AddressInQuotes, F::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExecCommandFault(c.command), c.exec) << c.command;
    EXPECT_EQ(WindowsCommandFault(c.command), c.windows) << c.command;
    EXPECT_EQ(ExecArguments(c.command, "u").has_value(), c.exec == F::None) << c.command;
    EXPECT_EQ(WindowsCommandLine(c.command, "u").has_value(), c.windows == F::None) << c.command;
  }
}

// Which command applies, and what happens when it does not start.
class BrowserChoice : public SearchBarTest {};

TEST_F(BrowserChoice, EngineCommandElseProgramCommandElseSystemHandler) {
  LoadFourEngines("Browser=  firefox --private-window %u  \r\n");
  model.SearchBrowser[2] = "chromium %u";
  model.SearchBrowser[3] = "   ";
  Search(0, "a");
  Search(2, "c");
  Search(3, "d");
  bar.Handle(MousePress{2, kRightMouseButton});
  view.query = "m";
  bar.Handle(MenuEntryChosen{2});  // a fixed search: no engine slot, so Browser
  model.Browser.clear();
  Search(1, "b");
  EXPECT_EQ(platform.command_calls,
            (std::vector<FakePlatform::CommandCall>{
                {"firefox --private-window %u", "http://a.example/?q=a"},
                {"chromium %u", "http://c.example/?q=c"},
                {"firefox --private-window %u", "http://d.example/?q=d"},
                {"chromium %u", "http://c.example/"},
                {"firefox --private-window %u", "http://search.yahoo.co.jp/bin/search?p=m"}}));
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://b.example/?q=b"});
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(BrowserChoice, FailedCommand_FallsBackAndIsToldOncePerSetting) {
  LoadFourEngines("Browser=firefox\r\n");  // no %u
  model.SearchBrowser[1] = "missing %u";
  platform.commands_start = false;
  Search(0, "a");
  Search(0, "b");
  Search(1, "c");
  bar.Handle(MousePress{1, kMiddleMouseButton});
  EXPECT_EQ(platform.OpenedAddresses(),
            (std::vector<std::string>{"http://a.example/?q=a", "http://a.example/?q=b",
                                      "http://b.example/?q=c", "http://b.example/"}));
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_NE(platform.messages[0].text.find("(Browser)"), std::string::npos);
  EXPECT_NE(platform.messages[0].text.find("firefox"), std::string::npos);
  EXPECT_NE(platform.messages[1].text.find("(SearchBrowser(1))"), std::string::npos);
  EXPECT_EQ(platform.messages[1].buttons, MessageButtons::Ok);
  EXPECT_FALSE(platform.messages[0].waited);  // a notice: the keys typed next still search
}

TEST_F(BrowserChoice, FailedCommand_MessageSaysWhy) {
  struct Case {
    const char* command;
    bool starts;  // whether the platform would start an accepted command
    const char* reason;
  };
  const Case cases[] = {
      {"firefox", true, "アドレスを入れる位置を示す %u がありません"},
      {"firefox \"%u\"", true, "%u が引用符 (\") の中にあります"},
      {"firefox %u \"", true, "引用符 (\") が閉じていません"},
      {"x%u", true, "%u がプログラムの名前の中にあります"},
      {"recorder '%u'", true, "%u がアポストロフィ (') と同じ引数にあります"},
      {"b %u %u", true, "アドレスを入れる位置 (%u または %U) は一つに"},
      {"b %f", true, "%f と %F はファイル名を入れる位置です"},
      {"b %u %s", true, "% の後に使えない文字があります"},
      {"\"\" %u", true, "起動するプログラムの名前がありません"},
      {"no-such-browser %u", false, "プログラムが見つからないか、起動できません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    platform.messages.clear();
    BrowserOpener opener(model, platform, folder.codec());
    model.Browser = c.command;
    platform.commands_start = c.starts;
    opener.OpenSearch(std::nullopt, "http://a.example/?q=", "q");
    ASSERT_EQ(platform.messages.size(), 1u);
    const std::string& text = platform.messages[0].text;
    // The opening words stay as they were; the reason follows the command.
    EXPECT_EQ(text.rfind("ブラウザーのコマンド (Browser) を起動できません。\n", 0), 0u) << text;
    EXPECT_NE(text.find(std::string(c.command) + "\n" + c.reason), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace velto::test
