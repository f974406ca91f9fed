// Only web addresses reach the shell: a bare query must never start a program or open a file.
#include "main/shell_address.h"
#include "search_bar_fixture.h"

namespace velto::test {
namespace {

TEST(WebAddressForShell, WebAddressesPassOthersDoNot) {
  struct Case {
    const char* address;
    std::optional<std::string> opened;
  };
  const Case cases[] = {
      {"http://example.com/?q=a b", "http://example.com/?q=a b"},
      {"HTTPS://Example.com/", "HTTPS://Example.com/"},
      {"hTtP://x", "hTtP://x"},
      {"www.example.com/x", "http://www.example.com/x"},
      {"WWW.example.com", "http://WWW.example.com"},
      {"", std::nullopt},
      {"calc.exe", std::nullopt},
      {"C:\\Windows\\system32\\cmd.exe", std::nullopt},
      {"file:///etc/passwd", std::nullopt},
      {"ftp://example.com/", std::nullopt},
      {"javascript:alert(1)", std::nullopt},
      {" http://example.com/", std::nullopt},
      {"http:/x", std::nullopt},
      {"www", std::nullopt},
      {"wwwx.example.com", std::nullopt},
      {"東京", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(WebAddressForShell(c.address), c.opened) << c.address;
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

TEST_F(ShellRule, DroppedTextOnButtonWithoutPrefix_DoesNotRunIt) {
  LoadFourEngines("SearchSelect(3)=5\r\n");
  bar.Command1_OLEDragDrop(3, {std::string("cmd.exe /c del *"), {}});
  EXPECT_TRUE(platform.shell_calls.empty());
  EXPECT_EQ(view.query, "cmd.exe /c del *");
}

TEST_F(ShellRule, HomePages_EmptyOrNonWebOpenNothing) {
  LoadFourEngines();
  model.SearchName[6] = "local";
  model.SearchHome[6] = "C:\\autoexec.bat";
  model.SearchName[7] = "none";
  model.SearchHome[7] = "";
  model.SearchSelect[0] = 6;
  model.SearchSelect[1] = 7;
  model.SearchHome[2] = "www.c.example";
  bar.LabelSearchButtons();
  for (int i = 0; i < 3; ++i) bar.Command1_MouseDown(i, kRightMouseButton);
  EXPECT_EQ(platform.OpenedAddresses(), std::vector<std::string>{"http://www.c.example"});
}

}  // namespace
}  // namespace velto::test
