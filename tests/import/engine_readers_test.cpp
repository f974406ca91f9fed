// The readers of the browsers' and OpenSearch's files, on files made with the real libraries.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "import/browser_profiles.h"
#include "import/chromium_web_data.h"
#include "import/engine_files.h"
#include "import/firefox_search_file.h"
#include "import/opensearch_file.h"
#include "support/temp_folder.h"

namespace velto {
namespace {

using test::KeywordRow;
using test::MozLz4;
using test::SearchJson;
using test::TempFolder;
using test::WriteBytes;

const std::string kDuckDuckGo =
    R"({"_name":"DuckDuckGo","_metaData":{"alias":"@d","order":1},"queryCharset":"UTF-8",)"
    R"("_urls":[{"template":"https://duckduckgo.com/","params":[{"name":"q","value":"{searchTerms}"},)"
    R"({"name":"t","value":"ffab"},{"name":"channel","purpose":"contextmenu"}],"rels":[]},)"
    R"({"template":"https://ac.duckduckgo.com/ac/?q={searchTerms}&type=list",)"
    R"("type":"application/x-suggestions+json","params":[]}]})";

TEST(FirefoxSearchFile, ReadsEnginesKeywordsSuggestionsAndCharacterSets) {
  const std::string json = SearchJson(
      {kDuckDuckGo,
       R"({"_name":"価格.com","_queryCharset":"Shift_JIS","_urls":[{"type":"text/html",)"
       R"("template":"https://kakaku.com/search_results/{searchTerms}/"}]})",
       R"({"_name":"Hidden","_metaData":{"hidden":true},"_urls":[{"template":"https://h.example/?q={searchTerms}"}]})",
       R"({"_name":"Poster","_urls":[{"template":"https://p.example/","method":"POST"}]})",
       R"({"_name":"Google","_isAppProvided":true,"_metaData":{"alias":"g"}})"});
  const FoundEngines found = ReadFirefoxSearchFile(MozLz4(json), "Firefox");
  ASSERT_FALSE(found.error) << *found.error;
  ASSERT_EQ(found.engines.size(), 2u);
  EXPECT_EQ(found.engines[0].name, "DuckDuckGo");
  EXPECT_EQ(found.engines[0].keyword, "@d");
  EXPECT_EQ(found.engines[0].search, "https://duckduckgo.com/?q={searchTerms}&t=ffab");
  EXPECT_EQ(found.engines[0].suggest, "https://ac.duckduckgo.com/ac/?q={searchTerms}&type=list");
  EXPECT_EQ(found.engines[1].encoding, "Shift_JIS");
  ASSERT_EQ(found.skipped.size(), 3u);
  EXPECT_EQ(found.skipped[0].reason, "it is hidden in Firefox");
  EXPECT_NE(found.skipped[1].reason.find("POST"), std::string::npos);
  EXPECT_EQ(found.skipped[2].name, "Google");
}

struct DamagedCase {
  const char* what;
  std::string bytes;
  const char* reason;  // a part of the message
};

std::vector<DamagedCase> DamagedSearchFiles() {
  const std::string good = MozLz4(SearchJson({kDuckDuckGo}));
  std::string bigger = good;
  bigger[8] = static_cast<char>(bigger[8] + 1);  // the header promises one byte more
  std::string huge = good;
  huge[11] = '\x7f';
  std::vector<std::string> many(10000, kDuckDuckGo);
  return {
      {"truncated", good.substr(0, good.size() - 10), "LZ4"},
      {"wrong size", bigger, "LZ4"},
      {"a huge size", huge, "promises"},
      {"no header", good.substr(8), "mozlz4"},
      {"empty", "", "mozlz4"},
      {"not JSON", MozLz4("{\"engines\":[{"), "no list of engines"},
      {"no engines", MozLz4(R"({"engines":{}})"), "no list of engines"},
      {"10,000 engines", MozLz4(SearchJson(many)), "10000 engines"},
  };
}

TEST(FirefoxSearchFile, DamagedFilesFailWithTheReason) {
  for (const DamagedCase& c : DamagedSearchFiles()) {
    const FoundEngines found = ReadFirefoxSearchFile(c.bytes, "Firefox");
    ASSERT_TRUE(found.error) << c.what;
    EXPECT_NE(found.error->find(c.reason), std::string::npos) << c.what << ": " << *found.error;
    EXPECT_TRUE(found.engines.empty()) << c.what;
  }
}

TEST(FirefoxProfiles, EveryProfileOfProfilesIniIsRead) {
  TempFolder home;
  const auto root = home / "firefox";
  std::filesystem::create_directories(root / "Profiles" / "abc.default-release");
  std::filesystem::create_directories(home / "elsewhere");
  std::filesystem::create_directories(root / "Profiles" / "new.unused");
  WriteBytes(root / "profiles.ini",
             "[Install4F96D1932A9F858E]\r\nDefault=Profiles/abc.default-release\r\n\r\n"
             "[Profile1]\r\nName=仕事\r\nIsRelative=0\r\nPath=" +
                 test::Utf8Name(home / "elsewhere") +
                 "\r\n\r\n[Profile0]\r\nName=default-release\r\nIsRelative=1\r\n"
                 "Path=Profiles/abc.default-release\r\nDefault=1\r\n\r\n"
                 "[Profile2]\r\nName=unused\r\nIsRelative=1\r\nPath=Profiles/new.unused\r\n");
  WriteBytes(root / "Profiles" / "abc.default-release" / "search.json.mozlz4",
             MozLz4(SearchJson({kDuckDuckGo})));
  WriteBytes(
      home / "elsewhere" / "search.json.mozlz4",
      MozLz4(SearchJson(
          {R"({"_name":"Work","_urls":[{"template":"https://w.example/?q={searchTerms}"}]})"})));
  const std::vector<BrowserFolder> folders{{"Firefox", root}};
  const FoundEngines found = FindFirefoxEngines(home.files(), folders);
  ASSERT_FALSE(found.error) << *found.error;
  ASSERT_EQ(found.engines.size(), 2u);
  EXPECT_EQ(found.engines[0].name, "Work");
  EXPECT_EQ(found.engines[0].origin, "Firefox, profile 仕事");
  EXPECT_EQ(found.engines[1].origin, "Firefox, profile default-release");

  const std::vector<BrowserFolder> none{{"Firefox", home / "missing"}};
  const FoundEngines missing = FindFirefoxEngines(home.files(), none);
  ASSERT_TRUE(missing.error);
  EXPECT_NE(missing.error->find("no Firefox profile found"), std::string::npos);
}

TEST(ChromiumWebData, ReadsTheKeywordsTableWhileTheBrowserHoldsTheDatabase) {
  TempFolder data;
  std::filesystem::create_directories(data / "Default");
  std::filesystem::create_directories(data / "Profile 1");
  WriteBytes(
      data / "Local State",
      R"({"profile":{"info_cache":{"Default":{"name":"あなた"},"Profile 1":{"name":"Work"}}}})");
  test::WriteWebData(
      data / "Default" / "Web Data",
      {{"Wikipedia", "w", "https://ja.wikipedia.org/?search={searchTerms}",
        "https://ja.wikipedia.org/s?q={searchTerms}", "UTF-8;Shift_JIS"},
       {"Yahoo", "yahoo.co.jp", "https://search.yahoo.co.jp/?p={searchTerms}", "", ""}});
  test::WriteWebData(data / "Profile 1" / "Web Data",
                     {{"Work", "", "https://w.example/?q={searchTerms}", "", "EUC-JP"}});
  // A browser at work: its connection holds the database in an exclusive transaction, with
  // a change not yet committed, in write-ahead-log mode.
  sqlite3* browser = nullptr;
  ASSERT_EQ(sqlite3_open(test::Utf8Name(data / "Default" / "Web Data").c_str(), &browser),
            SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(browser,
                         "PRAGMA journal_mode=WAL; BEGIN EXCLUSIVE; "
                         "UPDATE keywords SET short_name='changing';",
                         nullptr, nullptr, nullptr),
            SQLITE_OK)
      << sqlite3_errmsg(browser);
  const std::vector<BrowserFolder> folders{{"Chromium", data.path()}};
  const FoundEngines found = FindChromiumEngines(data.files(), folders);
  sqlite3_exec(browser, "ROLLBACK;", nullptr, nullptr, nullptr);
  sqlite3_close(browser);
  ASSERT_FALSE(found.error) << *found.error;
  ASSERT_EQ(found.engines.size(), 3u);
  EXPECT_EQ(found.engines[0].name, "Wikipedia");
  EXPECT_EQ(found.engines[0].keyword, "w");
  EXPECT_EQ(found.engines[0].suggest, "https://ja.wikipedia.org/s?q={searchTerms}");
  EXPECT_EQ(found.engines[0].encoding, "UTF-8");
  EXPECT_EQ(found.engines[0].origin, "Chromium, profile あなた");
  EXPECT_EQ(found.engines[2].encoding, "EUC-JP");
  EXPECT_EQ(found.engines[2].origin, "Chromium, profile Work");
}

TEST(ChromiumWebData, FilesThatAreNoEngineDatabaseFailWithTheReason) {
  TempFolder work;
  test::WriteWebData(work / "good", {{"A", "a", "https://a.example/?q={searchTerms}", "", ""}});
  const std::string good = test::ReadBytes(work / "good");
  std::vector<KeywordRow> many(10000, {"A", "a", "https://a.example/?q={searchTerms}", "", ""});
  test::WriteWebData(work / "many", many);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(test::Utf8Name(work / "other").c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "CREATE TABLE logins (origin_url VARCHAR);", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  const std::pair<std::string, const char*> cases[] = {
      {"just text, not a database at all, but long enough to have a header's room " +
           std::string(100, 'x'),
       "no SQLite database"},
      {good.substr(0, 50), "no SQLite database"},
      {good.substr(0, 1024), "SQLite"},
      {test::ReadBytes(work / "other"), "no table of engines"},
      {test::ReadBytes(work / "many"), "more than the 1000"},
  };
  for (const auto& [bytes, reason] : cases) {
    const FoundEngines found = ReadChromiumWebData(bytes, "Chromium");
    ASSERT_TRUE(found.error) << reason;
    EXPECT_NE(found.error->find(reason), std::string::npos) << *found.error;
  }
}

struct OpenSearchCase {
  const char* what;
  std::string xml;
  const char* name;
  const char* search;  // nullptr: skipped
  const char* suggest;
  const char* encoding;
};

class OpenSearchFile : public ::testing::TestWithParam<OpenSearchCase> {};

TEST_P(OpenSearchFile, GivesItsOneEngine) {
  const OpenSearchCase& c = GetParam();
  const FoundEngines found = ReadOpenSearchFile(c.xml, "file.xml");
  ASSERT_FALSE(found.error) << *found.error;
  if (!c.search) {
    ASSERT_EQ(found.skipped.size(), 1u);
    EXPECT_EQ(found.skipped[0].name, c.name);
    return;
  }
  ASSERT_EQ(found.engines.size(), 1u);
  EXPECT_EQ(found.engines[0].name, c.name);
  EXPECT_EQ(found.engines[0].search, c.search);
  EXPECT_EQ(found.engines[0].suggest, c.suggest);
  EXPECT_EQ(found.engines[0].encoding, c.encoding);
}

constexpr const char* kOpen =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<OpenSearchDescription xmlns="urn:example:search-description" )"
    R"(xmlns:moz="http://www.mozilla.org/2006/browser/search/">)";

INSTANTIATE_TEST_SUITE_P(
    Files, OpenSearchFile,
    ::testing::Values(
        OpenSearchCase{"plain",
                       std::string(kOpen) +
                           "<ShortName>Wikipedia (ja)</ShortName>"
                           "<Url type=\"text/html\" "
                           "template=\"https://ja.wikipedia.org/?search={searchTerms}\"/>"
                           "</OpenSearchDescription>",
                       "Wikipedia (ja)", "https://ja.wikipedia.org/?search={searchTerms}", "", ""},
        OpenSearchCase{"suggestions and a character set",
                       std::string(kOpen) +
                           "<ShortName>価格</ShortName><InputEncoding>Shift_JIS</InputEncoding>"
                           "<InputEncoding>UTF-8</InputEncoding>"
                           "<Url type=\"application/x-suggestions+json\" "
                           "template=\"https://k.example/s?q={searchTerms}\"/>"
                           "<Url type=\"text/html\" method=\"get\" template=\"https://k.example/\">"
                           "<Param name=\"q\" value=\"{searchTerms}\"/><Param name=\"ie\" "
                           "value=\"{inputEncoding}\"/></Url>"
                           "<Url type=\"application/rss+xml\" template=\"https://k.example/rss\"/>"
                           "</OpenSearchDescription>",
                       "価格", "https://k.example/?q={searchTerms}&ie={inputEncoding}",
                       "https://k.example/s?q={searchTerms}", "Shift_JIS"},
        OpenSearchCase{
            "POST only",
            std::string(kOpen) +
                "<ShortName>Poster</ShortName>"
                "<Url type=\"text/html\" method=\"POST\" template=\"https://p.example/\"/>"
                "</OpenSearchDescription>",
            "Poster", nullptr, "", ""}));

TEST(OpenSearchFileDamage, FilesThatAreNoDescriptionFailWithTheReason) {
  const std::pair<std::string, const char*> cases[] = {
      {std::string(kOpen) + "<ShortName>Cut", "no well-formed XML"},
      {"<html><body>Not found</body></html>", "no OpenSearch description"},
      {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><OpenSearchDescription>"
       "<ShortName>\x93\x8C\x8B\x9E</ShortName></OpenSearchDescription>",
       "an encoding the reader does not know"},
      {"", "no well-formed XML"},
      {"<!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
       "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d "
       "\"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
       "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY f "
       "\"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">"
       "<!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\"><!ENTITY h "
       "\"&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;\">]>"
       "<OpenSearchDescription><ShortName>&h;</ShortName></OpenSearchDescription>",
       "no well-formed XML"},
  };
  for (const auto& [xml, reason] : cases) {
    const FoundEngines found = ReadOpenSearchFile(xml, "file.xml");
    ASSERT_TRUE(found.error) << reason;
    EXPECT_NE(found.error->find(reason), std::string::npos) << *found.error;
  }
}

}  // namespace
}  // namespace velto
