// What reaches the shell: a bare query only as a web address, never as a program or a file; an
// address the user built by its scheme.
#include "main/shell_address.h"
#include "search_bar_fixture.h"

namespace velto::test {
namespace {

TEST(SearchAddressForShell, QueryAloneOnlyAsWebAddress_PrefixByItsScheme) {
  struct Case {
    const char* engine;
    const char* query;
    std::optional<std::string> opened;
  };
  const Case cases[] = {
      // No prefix: the query alone, and only a web address.
      {"", "http://example.com/?q=a b", "http://example.com/?q=a b"},
      {"", "HTTPS://Example.com/", "HTTPS://Example.com/"},
      {"", "www.example.com/x", "http://www.example.com/x"},
      {"", "WWW.example.com", "http://WWW.example.com"},
      {"", "", std::nullopt},
      {"", "calc.exe", std::nullopt},
      {"", "C:\\Windows\\system32\\cmd.exe", std::nullopt},
      {"", "file:///etc/passwd", std::nullopt},
      {"", "ftp://example.com/", std::nullopt},
      {"", "javascript:alert(1)", std::nullopt},
      {"", " http://example.com/", std::nullopt},
      {"", "http:/x", std::nullopt},
      {"", "wwwx.example.com", std::nullopt},
      {"", "東京", std::nullopt},
      // An engine address the user entered: any scheme but file, or www.
      {"http://a.example/?q=", "x y", "http://a.example/?q=x y"},
      {"mailto:", "someone@example.com", "mailto:someone@example.com"},
      {"ftp://ftp.example.com/pub/", "a.txt", "ftp://ftp.example.com/pub/a.txt"},
      {"my-app+v1.2:find?", "calc.exe", "my-app+v1.2:find?calc.exe"},
      {"mailto:%s?subject=hi", "a b@example.com", "mailto:a%20b%40example.com?subject=hi"},
      {"%s", "https://example.com/", std::nullopt},
      {"www.example.com/?q=", "a", "http://www.example.com/?q=a"},
      {"Www.example.com/?q=", "a", "http://Www.example.com/?q=a"},
      {"file:///C:/", "x", std::nullopt},
      {"FILE:", "/etc/passwd", std::nullopt},
      {"C:\\tools\\", "cmd.exe", std::nullopt},
      {"c:", "cmd.exe", std::nullopt},
      {"\\\\server\\share\\", "x", std::nullopt},
      {"/usr/bin/", "xterm", std::nullopt},
      {"notepad ", "x.txt", std::nullopt},
      {"1ab:", "x", std::nullopt},
      {"a b:", "x", std::nullopt},
      {" http://a.example/?q=", "x", std::nullopt},
      {"www", "x", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SearchAddressForShell(c.engine, c.query), c.opened) << c.engine << c.query;
}

TEST(HomePageForShell, AnySchemeFileIncludedOrWww) {
  struct Case {
    const char* home;
    std::optional<std::string> opened;
  };
  const Case cases[] = {
      {"http://a.example/", "http://a.example/"},
      {"file:///C:/Users/me/start.html", "file:///C:/Users/me/start.html"},
      {"mailto:me@example.com", "mailto:me@example.com"},
      {"ftp://ftp.example.com/", "ftp://ftp.example.com/"},
      {"www.example.com", "http://www.example.com"},
      {"", std::nullopt},
      {"C:\\autoexec.bat", std::nullopt},
      {"notepad.exe", std::nullopt},
      {"/etc/passwd", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(HomePageForShell(c.home), c.opened) << c.home;
}

using ShellRule = SearchBarTest;

TEST_F(ShellRule, EngineWithoutPrefix_OpensOnlyWebQueries) {
  LoadFourEngines("SearchSelect(3)=5\r\n");
  model.SearchName[5] = "Infoseek";  // the factory engines of slots 3 to 8 have no prefix
  Search(3, "notepad.exe");
  Search(3, "..\\velto.ini");
  Search(3, "www.example.com");
  Search(3, "https://example.org/");
  EXPECT_EQ(platform.OpenedAddresses(),
            (std::vector<std::string>{"http://www.example.com", "https://example.org/"}));
  // The history update before the shell call stays for every one of them.
  ExpectHistory({"https://example.org/", "www.example.com", "..\\velto.ini", "notepad.exe"});
  EXPECT_EQ(bar.NewHistoryCount(), 4);
}

TEST_F(ShellRule, EnginesWithOtherSchemes_OpenPathPrefixesDoNot) {
  LoadFourEngines("SearchSelect(0)=6\r\nSearchSelect(1)=7\r\n");
  model.SearchName[6] = "mail";
  model.SearchEngn[6] = "mailto:";
  model.SearchName[7] = "tool";
  model.SearchEngn[7] = "C:\\tools\\";
  bar.LabelSearchButtons();
  Search(0, "me@example.com");
  Search(1, "cmd.exe");
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"mailto:me@example.com"});
  ExpectHistory({"cmd.exe", "me@example.com"});
}

TEST_F(ShellRule, DroppedTextOnButtonWithoutPrefix_DoesNotRunIt) {
  LoadFourEngines("SearchSelect(3)=5\r\n");
  bar.Handle(Drop{{DropTargetKind::Button, 3}, {std::string("cmd.exe /c del *"), {}}});
  EXPECT_TRUE(platform.shell_calls.empty());
  EXPECT_EQ(view.query, "cmd.exe /c del *");
}

TEST_F(ShellRule, HomePages_EmptyOrPathsOpenNothing_FilePagesOpen) {
  LoadFourEngines();
  model.SearchName[6] = "local";
  model.SearchHome[6] = "C:\\autoexec.bat";
  model.SearchName[7] = "none";
  model.SearchHome[7] = "";
  model.SearchSelect[0] = 6;
  model.SearchSelect[1] = 7;
  model.SearchHome[2] = "www.c.example";
  model.SearchHome[3] = "file:///home/me/start.html";
  bar.LabelSearchButtons();
  for (int i = 0; i < 4; ++i) bar.Handle(MousePress{i, kRightMouseButton});
  EXPECT_EQ(platform.OpenedAddresses(),
            (std::vector<std::string>{"http://www.c.example", "file:///home/me/start.html"}));
}

}  // namespace
}  // namespace velto::test
