// velto-config as a user runs it: the real program, real folders, exit status and output.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <vector>

#include "import/engine_files.h"
#include "support/temp_folder.h"

namespace velto {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ShellQuoted(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class VeltoConfigTest : public ::testing::Test {
 protected:
  TempFolder work;  // holds the captured output
  TempFolder folder;
  std::string environment;  // put before the program: "HOME=/x "

  Result Run(const std::vector<std::string>& args, const std::string& exe = VELTO_CONFIG_EXE) {
    std::string command = environment + ShellQuoted(exe);
    for (const auto& a : args) command += " " + ShellQuoted(a);
    command += " >" + ShellQuoted((work / "out").string()) + " 2>" +
               ShellQuoted((work / "err").string()) + " </dev/null";
    const int raw = std::system(command.c_str());
    Result r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadBytes(work / "out");
    r.err = ReadBytes(work / "err");
    return r;
  }
  Result InFolder(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", folder.path().string()});
    return Run(args);
  }
  static int LineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  }
};

TEST_F(VeltoConfigTest, ShowOnAMissingFilePrintsTheEmptyModelAndCreatesNothing) {
  const auto r = InFolder({"show"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto json = nlohmann::json::parse(r.out);
  EXPECT_TRUE(json["Top"].is_null());
  EXPECT_TRUE(json["Left"].is_null());
  EXPECT_EQ(json["AlwaysTop"], "");
  EXPECT_EQ(json["DefaultSearch"], "");
  EXPECT_EQ(json["SearchSelect"], nlohmann::json::parse("[0,0,0,0,0]"));
  EXPECT_EQ(json["Browser"], "");
  for (const char* list : {"SearchName", "SearchHome", "SearchEngn", "SearchBrowser", "SuggestEngn",
                           "SearchEncoding", "SearchSpace"}) {
    EXPECT_EQ(json[list].size(), 20u) << list;
  }
  EXPECT_EQ(json["Suggest"], false);
  EXPECT_EQ(json["HistorySuggest"], true);
  EXPECT_EQ(json["SearchHistory"].size(), 10u);
  EXPECT_FALSE(std::filesystem::exists(folder / "velto.ini"));
}

TEST_F(VeltoConfigTest, DefaultsSetAndGetWorkOnTheFileAsTheProgramDoes) {
  ASSERT_EQ(InFolder({"set", "History", "SearchHistory(0)", "\"東京 タワー\""}).status, 0);
  ASSERT_EQ(InFolder({"set", "Velto", "Top", "-15"}).status, 0);
  ASSERT_EQ(InFolder({"set", "Velto", "Left", "not a number"}).status, 0);
  // Browser commands: quotes at both ends and backslashes come back as written.
  const std::string browser = R"("C:\Program Files\B\b.exe" -private-window %u "--x")";
  ASSERT_EQ(InFolder({"set", "Velto", "Browser", browser}).status, 0);
  ASSERT_EQ(InFolder({"set", "SearchData", "SearchBrowser(19)", "firefox %u"}).status, 0);
  ASSERT_EQ(InFolder({"defaults"}).status, 0);
  EXPECT_EQ(InFolder({"get", "Velto", "Browser"}).out, browser + "\n");

  const auto got = InFolder({"get", "history", "searchhistory(0)"});
  EXPECT_EQ(got.status, 0);
  EXPECT_EQ(got.out, "\"東京 タワー\"\n");
  EXPECT_EQ(InFolder({"get", "Velto", "NoSuchKey"}).out, "\n");

  const auto json = nlohmann::json::parse(InFolder({"show"}).out);
  EXPECT_EQ(json["Top"], -15);
  EXPECT_TRUE(json["Left"].is_null());
  EXPECT_EQ(json["AlwaysTop"], "1");
  EXPECT_EQ(json["SearchSelect"], nlohmann::json::parse("[0,1,2,3,0]"));
  EXPECT_EQ(json["SearchName"][5], "フレッシュアイ");
  EXPECT_EQ(json["SearchHistory"][0], "\"東京 タワー\"");
  EXPECT_EQ(json["Browser"], browser);
  EXPECT_EQ(json["SearchBrowser"][19], "firefox %u");

  // In the file: Shift-JIS, a 200-character field.
  const std::string bytes = ReadBytes(folder / "velto.ini");
  EXPECT_NE(bytes.find("SearchName(5)=\x83\x74\x83\x8C\x83\x62\x83\x56\x83\x85\x83\x41\x83\x43" +
                       std::string(193, ' ') + "\r\n"),
            std::string::npos);
}

TEST_F(VeltoConfigTest, StarterWritesTodaysEnginesAndKeepsPositionHistoryAndLaterSlots) {
  ASSERT_EQ(InFolder({"defaults"}).status, 0);
  ASSERT_EQ(InFolder({"set", "Velto", "Top", "300"}).status, 0);
  ASSERT_EQ(InFolder({"set", "History", "SearchHistory(0)", "C++"}).status, 0);
  ASSERT_EQ(InFolder({"set", "SearchData", "SearchName(15)", "mine"}).status, 0);
  ASSERT_EQ(InFolder({"set", "Velto", "AlwaysTop", "0"}).status, 0);
  ASSERT_EQ(InFolder({"set", "Velto", "Suggest", "1"}).status, 0);
  ASSERT_EQ(InFolder({"set", "SearchData", "SuggestEngn(15)", "http://s.example/?q=%s"}).status, 0);
  EXPECT_EQ(nlohmann::json::parse(InFolder({"show"}).out)["Suggest"], true);
  ASSERT_EQ(InFolder({"starter"}).status, 0);

  const auto json = nlohmann::json::parse(InFolder({"show"}).out);
  EXPECT_EQ(json["Top"], 300);
  EXPECT_EQ(json["SearchHistory"][0], "C++");
  EXPECT_EQ(json["AlwaysTop"], "1");
  EXPECT_EQ(json["DefaultSearch"], "0");
  EXPECT_EQ(json["SearchName"][15], "mine");
  // Suggestions start off; the engines that serve suggestions have their addresses.
  EXPECT_EQ(json["Suggest"], false);
  EXPECT_EQ(json["SuggestEngn"][2],
            "https://ja.wikipedia.org/w/api.php?action=opensearch&format=json&search=%s");
  EXPECT_EQ(json["SuggestEngn"][1], "");
  EXPECT_EQ(json["SuggestEngn"][15], "http://s.example/?q=%s");
  std::vector<std::string> buttons;
  for (int i = 0; i < 4; ++i)
    buttons.push_back(json["SearchName"][json["SearchSelect"][i].get<int>()]);
  EXPECT_EQ(buttons, (std::vector<std::string>{"Google", "Yahoo! JAPAN", "Wikipedia", "YouTube"}));
  // Every starter engine is a template over https; the factory engines of slots 0-9 are gone.
  int engines = 0;
  for (const auto& engine : json["SearchEngn"]) {
    const std::string text = engine;
    if (text.empty()) continue;
    ++engines;
    EXPECT_TRUE(text.starts_with("https://") && text.find("%s") != std::string::npos) << text;
  }
  EXPECT_EQ(engines, 12);
  // Each starter engine has its own keyword.
  std::vector<std::string> keywords(json["SearchKey"].begin(), json["SearchKey"].begin() + 12);
  EXPECT_EQ(keywords[2], "w");
  std::sort(keywords.begin(), keywords.end());
  EXPECT_EQ(std::adjacent_find(keywords.begin(), keywords.end()), keywords.end());
  EXPECT_FALSE(keywords.front().empty());

  // In the file: Shift-JIS, a 200-character field.
  const std::string bytes = ReadBytes(folder / "velto.ini");
  EXPECT_NE(
      bytes.find("SearchName(7)=\x8A\x79\x93\x56\x8E\x73\x8F\xEA" + std::string(196, ' ') + "\r\n"),
      std::string::npos);
}

TEST_F(VeltoConfigTest, WithoutDirTheFolderIsTheProgramsOwn) {
  const auto exe = folder / "velto-config";
  std::filesystem::copy_file(VELTO_CONFIG_EXE, exe);
  TempFolder elsewhere;
  const std::string cd_and_run = "cd " + ShellQuoted(elsewhere.path().string()) + " && " +
                                 ShellQuoted(exe.string()) + " set Velto AlwaysTop 0";
  ASSERT_EQ(std::system(cd_and_run.c_str()), 0);
  EXPECT_TRUE(std::filesystem::exists(folder / "velto.ini"));
  EXPECT_FALSE(std::filesystem::exists(elsewhere / "velto.ini"));
  EXPECT_EQ(Run({"get", "Velto", "AlwaysTop"}, exe.string()).out, "0\n");
}

TEST_F(VeltoConfigTest, UnusableFilesFailWithOneLineAndExitStatusOne) {
  const auto missing = (folder / "missing").string();
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"--dir", missing, "show"},
                                             {"--dir", missing, "get", "Velto", "Top"},
                                             {"--dir", missing, "set", "Velto", "Top", "1"},
                                             {"--dir", missing, "defaults"}}) {
    const auto r = Run(args);
    EXPECT_EQ(r.status, 1) << args[2];
    EXPECT_EQ(LineCount(r.err), 1) << r.err;
    EXPECT_NE(r.err.find("missing"), std::string::npos) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));

  std::filesystem::create_directory(folder / "velto.ini");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"show"}, {"get", "Velto", "Top"}, {"set", "Velto", "Top", "1"}, {"defaults"}}) {
    const auto r = InFolder(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(LineCount(r.err), 1) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
}

TEST_F(VeltoConfigTest, AReadOnlyFileIsReadButNeverWritten) {
  ASSERT_EQ(InFolder({"set", "Velto", "Top", "1"}).status, 0);
  const std::string before = ReadBytes(folder / "velto.ini");
  std::filesystem::permissions(folder / "velto.ini", std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read |
                                                         std::filesystem::perms::others_read);
  EXPECT_EQ(InFolder({"get", "Velto", "Top"}).out, "1\n");
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"set", "Velto", "Top", "2"}, {"defaults"}}) {
    const auto r = InFolder(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_NE(r.err.find("read-only"), std::string::npos) << r.err;
    EXPECT_EQ(LineCount(r.err), 1);
  }
  EXPECT_EQ(ReadBytes(folder / "velto.ini"), before);
}

TEST_F(VeltoConfigTest, WrongUsageExitsWithTwoAndTouchesNothing) {
  for (const auto& args :
       std::vector<std::vector<std::string>>{{},
                                             {"frobnicate"},
                                             {"show", "extra"},
                                             {"get", "Velto"},
                                             {"set", "Velto", "Top"},
                                             {"defaults", "now"},
                                             {"starter", "now"},
                                             {"--dir"},
                                             {"--verbose", "show"},
                                             {"set", "Vel]to", "Top", "1"},
                                             {"set", "Velto", "a=b", "1"},
                                             {"set", "Velto", ";Top", "1"},
                                             {"set", "Velto", "Top\nAlwaysTop", "1"},
                                             {"set", "", "Top", "1"},
                                             {"import"},
                                             {"import", "--frob", "firefox"},
                                             {"import", "a.xml", "b.xml"},
                                             {"import", "firefox", "a", "b"}}) {
    std::vector<std::string> with_dir = {"--dir", folder.path().string()};
    with_dir.insert(with_dir.end(), args.begin(), args.end());
    const auto r = Run(args.size() == 1 && args[0] == "--dir" ? args : with_dir);
    EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args[0]);
    EXPECT_NE(r.err.find("usage:"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "velto.ini"));

  const auto help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* word : {"show", "get", "set", "defaults", "starter", "import", "--dry-run",
                           "--dir", "--version", "Exit status"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
  const auto version = Run({"--version", "show"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.starts_with("velto-config ") && LineCount(version.out) == 1)
      << version.out;
}

TEST_F(VeltoConfigTest, ValuesMayLookLikeOptionsAndHoldLineBreaks) {
  ASSERT_EQ(InFolder({"set", "History", "SearchHistory(1)", "--help"}).status, 0);
  ASSERT_EQ(InFolder({"set", "History", "SearchHistory(2)", "a\nb"}).status, 0);
  EXPECT_EQ(InFolder({"get", "History", "SearchHistory(1)"}).out, "--help\n");
  EXPECT_EQ(InFolder({"get", "History", "SearchHistory(2)"}).out, "a b\n");
}

TEST_F(VeltoConfigTest, WhatTheCodePageLacks_AddressesEscapedOtherValuesRefused) {
  ASSERT_EQ(InFolder({"set", "SearchData", "searchengn(3)",
                      "https://fr.wikipedia.org/wiki/Spécial:Recherche?search=%s"})
                .status,
            0);
  EXPECT_EQ(InFolder({"get", "SearchData", "SearchEngn(3)"}).out,
            "https://fr.wikipedia.org/wiki/Sp%C3%A9cial:Recherche?search=%s\n");
  const std::string before = ReadBytes(folder / "velto.ini");
  for (const auto& [key, value, code] :
       std::vector<std::array<std::string, 3>>{{"SearchHistory(0)", "\xF0\x9F\x98\x80", "U+1F600"},
                                               {"SearchName(3)", "東京 Café", "U+00E9"}}) {
    const auto r = InFolder({"set", key == "SearchName(3)" ? "SearchData" : "History", key, value});
    EXPECT_EQ(r.status, 1) << key;
    EXPECT_EQ(LineCount(r.err), 1) << r.err;
    EXPECT_NE(r.err.find(code), std::string::npos) << r.err;
  }
  EXPECT_EQ(ReadBytes(folder / "velto.ini"), before);
}

TEST_F(VeltoConfigTest, AFreshFolderStartsFromItsStarterFile) {
  WriteBytes(folder / "velto.starter.ini", "[SearchData]\r\nSearchName(1)=Starter\r\n");
  EXPECT_EQ(InFolder({"get", "SearchData", "SearchName(1)"}).out, "Starter\n");
  EXPECT_EQ(ReadBytes(folder / "velto.ini"), ReadBytes(folder / "velto.starter.ini"));
}

TEST_F(VeltoConfigTest, SetRefusesWhatTheBarCouldNotUseWithTheReasonAlone) {
  ASSERT_EQ(InFolder({"starter"}).status, 0);
  struct Case {
    const char* section;
    const char* key;
    const char* value;
    const char* error;  // part of the one-line message; empty when accepted
  };
  const Case cases[] = {
      {"SearchData", "SearchKey(5)", "W", "already used by engine 2 (Wikipedia)"},
      {"SearchData", "SearchKey(5)", "ｗ", "already used by engine 2 (Wikipedia)"},
      {"SearchData", " searchkey(5) ", "a b", "one word without blanks"},
      {"SearchData", "SearchKey(16)", " q ", "one word without blanks"},
      {"SearchData", "SearchKey(16)", "q\t", "one word without blanks"},
      {"SearchData", "SearchKey(16)", "\xF0\x9F\x98\x80", "U+1F600"},
      {"SearchData", "SearchKey(20)", "w", "runs from 0 to 19"},
      {"SearchData", "SearchName(20)", "x", "runs from 0 to 19"},
      {"searchdata", "SuggestEngn(03)", "x", "runs from 0 to 19"},
      {"SearchData", "SearchBrowser(-1)", "x", "runs from 0 to 19"},
      {"History", "SearchHistory(10)", "x", "runs from 0 to 9"},
      {"Velto", "SearchSelect(5)", "1", "runs from 0 to 4"},
      {"SearchData", "SearchEncoding(4)", "SJIS", "UTF-8, Shift_JIS or EUC-JP, not \"SJIS\""},
      {"SearchData", "SearchEncoding(20)", "EUC-JP", "runs from 0 to 19"},
      {"SearchData", "SearchSpace(4)", "_", "%20 or +"},
      {"SearchData", "SearchEncoding(4)", "shift_jis", ""},
      {"SearchData", "SearchEncoding(7)", "EUC-JP", ""},
      {"SearchData", "SearchSpace(7)", "+", ""},
      {"SearchData", "SearchKey(5)", "dd", ""},
      {"SearchData", "SearchKey(2)", "w", ""},  // an engine's own keyword again
      {"SearchData", "SearchKey(6)", "", ""},
      {"SearchData", "SearchName(19)", "x", ""},
      {"History", "SearchHistory(9)", "x", ""},
      {"Velto", "SearchName(20)", "x", ""},  // no key the bar reads: any text
  };
  for (const auto& c : cases) {
    const std::string before = ReadBytes(folder / "velto.ini");
    const auto r = InFolder({"set", c.section, c.key, c.value});
    const bool refused = *c.error != '\0';
    EXPECT_EQ(r.status, refused ? 2 : 0) << c.key << " " << c.value;
    EXPECT_EQ(LineCount(r.err), refused ? 1 : 0) << r.err;
    EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    if (refused) EXPECT_EQ(ReadBytes(folder / "velto.ini"), before) << c.key;
  }
  const auto json = nlohmann::json::parse(InFolder({"show"}).out);
  EXPECT_EQ(json["SearchKey"][5], "dd");
  EXPECT_EQ(json["SearchKey"][6], "");
  EXPECT_EQ(json["SearchEncoding"][4], "shift_jis");
  EXPECT_EQ(json["SearchEncoding"][7], "EUC-JP");
  EXPECT_EQ(json["SearchSpace"][7], "+");

  // The factory engines have no keywords: restoring them empties slots 0-9 and keeps 10-11.
  ASSERT_EQ(InFolder({"defaults"}).status, 0);
  const auto restored = nlohmann::json::parse(InFolder({"show"}).out);
  EXPECT_EQ(restored["SearchKey"][2], "");
  EXPECT_EQ(restored["SearchKey"][11], "i");
}

const std::string kDuckDuckGoJson =
    R"({"_name":"DuckDuckGo","_metaData":{"alias":"@d"},"_urls":[{"template":"https://)"
    R"(duckduckgo.com/?q={searchTerms}"},{"type":"application/x-suggestions+json","template":)"
    R"("https://ac.duckduckgo.com/ac/?q={searchTerms}&type=list"}]})";

TEST_F(VeltoConfigTest, ImportAddsFirefoxEnginesToFreeSlotsOnceAndDryRunWritesNothing) {
  TempFolder home;
  environment = "env -u XDG_CONFIG_HOME HOME=" + ShellQuoted(home.path().string()) + " ";
  const auto profiles = home / ".mozilla" / "firefox";
  std::filesystem::create_directories(profiles / "x1.default-release");
  WriteBytes(profiles / "profiles.ini",
             "[Profile0]\nName=default-release\nIsRelative=1\n"
             "Path=x1.default-release\n");
  WriteBytes(
      profiles / "x1.default-release" / "search.json.mozlz4",
      test::MozLz4(test::SearchJson(
          {kDuckDuckGoJson,
           R"({"_name":"Poster","_urls":[{"template":"https://p.example/","method":"POST"}]})"})));
  // The factory defaults leave slot 9 and the slots from 10 empty.
  ASSERT_EQ(InFolder({"defaults"}).status, 0);
  const std::string before = ReadBytes(folder / "velto.ini");
  const auto defaults = nlohmann::json::parse(InFolder({"show"}).out);

  const auto dry = InFolder({"import", "--dry-run", "firefox"});
  ASSERT_EQ(dry.status, 0) << dry.err;
  EXPECT_EQ(dry.out,
            "would add slot 9: DuckDuckGo <https://duckduckgo.com/?q=%s> keyword \"@d\" with "
            "suggestions (Firefox, profile default-release)\n"
            "skipped Poster (Firefox, profile default-release): it searches by POST, which the "
            "bar cannot send\n");
  EXPECT_EQ(ReadBytes(folder / "velto.ini"), before);

  const auto added = InFolder({"import", "firefox"});
  ASSERT_EQ(added.status, 0) << added.err;
  EXPECT_TRUE(added.out.starts_with("added slot 9: DuckDuckGo")) << added.out;
  const auto json = nlohmann::json::parse(InFolder({"show"}).out);
  EXPECT_EQ(json["SearchName"][9], "DuckDuckGo");
  EXPECT_EQ(json["SearchHome"][9], "https://duckduckgo.com/");
  EXPECT_EQ(json["SearchEngn"][9], "https://duckduckgo.com/?q=%s");
  EXPECT_EQ(json["SearchKey"][9], "@d");
  EXPECT_EQ(json["SuggestEngn"][9], "https://ac.duckduckgo.com/ac/?q=%s&type=list");
  EXPECT_EQ(json["SearchName"][10], "");
  // The engines the defaults wrote are as they were.
  for (int slot = 0; slot < 9; ++slot) {
    EXPECT_EQ(json["SearchName"][slot], defaults["SearchName"][slot]) << slot;
    EXPECT_EQ(json["SearchEngn"][slot], defaults["SearchEngn"][slot]) << slot;
  }

  const std::string once = ReadBytes(folder / "velto.ini");
  const auto again = InFolder({"import", "firefox"});
  ASSERT_EQ(again.status, 0);
  EXPECT_NE(again.out.find("skipped DuckDuckGo (Firefox, profile default-release): slot 9 "
                           "(DuckDuckGo) already has its address"),
            std::string::npos)
      << again.out;
  EXPECT_EQ(ReadBytes(folder / "velto.ini"), once);
}

TEST_F(VeltoConfigTest, ImportReadsChromiumProfilesAndOpenSearchFilesWithTheirCharacterSets) {
  TempFolder home;
  environment = "env -u XDG_CONFIG_HOME HOME=" + ShellQuoted(home.path().string()) + " ";
  const auto chrome = home / ".config" / "google-chrome" / "Default";
  std::filesystem::create_directories(chrome);
  test::WriteWebData(
      chrome / "Web Data",
      {{"価格.com", "k", "https://kakaku.com/search_results/{searchTerms}/", "", "Shift_JIS"},
       {"Latin", "l", "https://l.example/?q={searchTerms}", "", "ISO-8859-1"}});
  const auto chromium = InFolder({"import", "chromium"});
  ASSERT_EQ(chromium.status, 0) << chromium.err;
  EXPECT_NE(chromium.out.find("added slot 0: 価格.com <https://kakaku.com/search_results/%s/> "
                              "keyword \"k\" in Shift_JIS (Google Chrome, profile Default)\n"),
            std::string::npos)
      << chromium.out;
  EXPECT_NE(chromium.out.find("skipped Latin (Google Chrome, profile Default): it wants its "
                              "queries in \"ISO-8859-1\""),
            std::string::npos)
      << chromium.out;

  WriteBytes(home / "euc.xml",
             "<OpenSearchDescription xmlns=\"urn:example:search-description\">"
             "<ShortName>EUC</ShortName><InputEncoding>EUC-JP</InputEncoding>"
             "<Url type=\"text/html\" template=\"https://e.example/?q={searchTerms}&amp;"
             "ie={inputEncoding}\"/></OpenSearchDescription>");
  const auto xml = InFolder({"import", (home / "euc.xml").string()});
  ASSERT_EQ(xml.status, 0) << xml.err;
  const auto json = nlohmann::json::parse(InFolder({"show"}).out);
  EXPECT_EQ(json["SearchName"][0], "価格.com");
  EXPECT_EQ(json["SearchEncoding"][0], "Shift_JIS");
  EXPECT_EQ(json["SearchName"][1], "EUC");
  EXPECT_EQ(json["SearchEngn"][1], "https://e.example/?q=%s&ie=EUC-JP");
  EXPECT_EQ(json["SearchEncoding"][1], "EUC-JP");
}

TEST_F(VeltoConfigTest, ImportFromAnUnreadableSourceFailsWithOneLineAndWritesNothing) {
  TempFolder home;
  environment = "env -u XDG_CONFIG_HOME HOME=" + ShellQuoted(home.path().string()) + " ";
  ASSERT_EQ(InFolder({"defaults"}).status, 0);
  const std::string before = ReadBytes(folder / "velto.ini");
  std::filesystem::create_directories(home / "ff");
  const std::string packed = test::MozLz4(test::SearchJson({kDuckDuckGoJson}));
  WriteBytes(home / "ff" / "search.json.mozlz4", packed.substr(0, packed.size() / 2));
  WriteBytes(home / "page.xml", "<html><body>404</body></html>");
  WriteBytes(home / "ok.xml",
             "<OpenSearchDescription><ShortName>OK</ShortName><Url type=\"text/html\" "
             "template=\"https://ok.example/?q={searchTerms}\"/></OpenSearchDescription>");
  std::filesystem::create_directories(home / "ch");
  WriteBytes(home / "ch" / "Web Data", std::string(4096, 'x'));
  const std::vector<std::pair<std::vector<std::string>, const char*>> cases = {
      {{"import", "firefox"}, "no Firefox profile found in "},
      {{"import", "chromium"}, "no profile of a Chromium browser found"},
      {{"import", "firefox", (home / "ff").string()}, "LZ4"},
      {{"import", "chromium", (home / "ch").string()}, "no SQLite database"},
      {{"import", (home / "page.xml").string()}, "no OpenSearch description"},
      {{"import", (home / "missing.xml").string()}, "no such file"},
      {{"--dir", (home / "nowhere").string(), "import", (home / "ok.xml").string()},
       "folder not found"},
  };
  for (const auto& [args, reason] : cases) {
    const auto r = InFolder(args);
    EXPECT_EQ(r.status, 1) << args.back();
    EXPECT_EQ(LineCount(r.err), 1) << r.err;
    EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("nothing was written"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(ReadBytes(folder / "velto.ini"), before);
}

}  // namespace
}  // namespace velto
