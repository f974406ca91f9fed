// Engines from other programs into the engine table: their templates in the bar's form, and
// which of them go into which free slot.
#include "settings/engine_import.h"

#include <gtest/gtest.h>

#include "settings/search_template.h"
#include "support/real_disk.h"

namespace velto {
namespace {

struct TemplateCase {
  const char* browser_template;
  const char* encoding;
  const char* filled;  // nullptr: refused
  const char* reason;  // a part of the reason given
};

class BrowserTemplate : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(BrowserTemplate, IsFilledAsBrowsersFillItOrRefusedWithTheReason) {
  const TemplateCase& c = GetParam();
  const FilledTemplate result = FillSearchTemplate(c.browser_template, c.encoding);
  if (c.filled) {
    ASSERT_TRUE(result.address) << result.reason;
    EXPECT_EQ(*result.address, c.filled);
  } else {
    EXPECT_FALSE(result.address) << *result.address;
    EXPECT_NE(result.reason.find(c.reason), std::string::npos) << result.reason;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Templates, BrowserTemplate,
    ::testing::Values(
        TemplateCase{"https://duckduckgo.com/?q={searchTerms}", "UTF-8",
                     "https://duckduckgo.com/?q=%s", ""},
        TemplateCase{"https://x.example/s?q={searchTerms}&ie={inputEncoding}&oe={outputEncoding}",
                     "Shift_JIS", "https://x.example/s?q=%s&ie=Shift_JIS&oe=Shift_JIS", ""},
        TemplateCase{"https://x.example/{language}/?q={searchTerms}&n={count}&i={startIndex}"
                     "&p={startPage}",
                     "UTF-8", "https://x.example/*/?q=%s&n=20&i=1&p=1", ""},
        TemplateCase{"https://x.example/?q={searchTerms}&l={geo:locationString?}&r={referrer?}",
                     "UTF-8", "https://x.example/?q=%s&l=&r=", ""},
        TemplateCase{"https://x.example/?{google:originalQueryForSuggestion}q={searchTerms}"
                     "&{google:RLZ}x",
                     "UTF-8", "https://x.example/?q=%s&x", ""},
        TemplateCase{"HTTPS://x.example/?q={searchTerms}", "UTF-8", "HTTPS://x.example/?q=%s", ""},
        TemplateCase{"https://x.example/?q={searchTerms}&lone={", "UTF-8",
                     "https://x.example/?q=%s&lone={", ""},
        TemplateCase{"https://x.example/?q={searchTerms}&t={moz:date}", "UTF-8", nullptr,
                     "{moz:date}"},
        TemplateCase{"https://x.example/?q=%s&r={searchTerms}", "UTF-8", nullptr, "%s"},
        TemplateCase{"https://x.example/top", "UTF-8", nullptr, "{searchTerms}"},
        TemplateCase{"{google:baseURL}search?q={searchTerms}", "UTF-8", nullptr, "no http"},
        TemplateCase{"chrome://bookmarks/?q={searchTerms}", "UTF-8", nullptr, "no http"},
        TemplateCase{"", "UTF-8", nullptr, "no http"}));

TEST(SiteRoot, IsTheSchemeAndHostOfTheAddress) {
  EXPECT_EQ(SiteRoot("https://ja.wikipedia.org/w/index.php?search=%s"),
            "https://ja.wikipedia.org/");
  EXPECT_EQ(SiteRoot("http://x.example:8080?q=%s"), "http://x.example:8080/");
  EXPECT_EQ(SiteRoot("https://x.example#q=%s"), "https://x.example/");
}

TEST(ImportedEncodingName, MapsTheNamesSourcesUseToTheStoredOnes) {
  EXPECT_EQ(ImportedEncodingName(""), "UTF-8");
  EXPECT_EQ(ImportedEncodingName("utf-8"), "UTF-8");
  EXPECT_EQ(ImportedEncodingName(" Windows-31J "), "Shift_JIS");
  EXPECT_EQ(ImportedEncodingName("x-sjis"), "Shift_JIS");
  EXPECT_EQ(ImportedEncodingName("EUC-JP"), "EUC-JP");
  EXPECT_EQ(ImportedEncodingName("ISO-8859-1"), std::nullopt);
  EXPECT_EQ(ImportedEncodingName("GB18030"), std::nullopt);
}

class EngineImportPlan : public ::testing::Test {
 protected:
  const test::SystemTextCodec codec;
  SettingsModel model;

  void Fill(int slot, std::string name, std::string engine, std::string keyword = {}) {
    const auto k = static_cast<std::size_t>(slot);
    model.SearchName[k] = std::move(name);
    model.SearchEngn[k] = std::move(engine);
    model.SearchKey[k] = std::move(keyword);
  }
  static FoundEngine Engine(std::string name, std::string search, std::string keyword = {}) {
    return {std::move(name), std::move(search), {}, std::move(keyword), {}, "test"};
  }
};

TEST_F(EngineImportPlan, FillsOnlyFreeSlotsFromTheLowestInTheOrderFound) {
  Fill(0, "Google", "https://www.google.com/search?q=");
  Fill(2, "Yahoo", "https://search.yahoo.co.jp/search?p=%s");
  model.SearchHome[1] = "https://only-a-home.example/";  // someone's, though it has no name
  const std::vector<FoundEngine> found{
      Engine("DuckDuckGo", "https://duckduckgo.com/?q={searchTerms}"),
      Engine("Wikipedia (ja)", "https://ja.wikipedia.org/w/index.php?search={searchTerms}")};
  const ImportPlan plan = PlanEngineImport(codec, model, found);
  ASSERT_EQ(plan.added.size(), 2u);
  EXPECT_TRUE(plan.skipped.empty());
  EXPECT_EQ(plan.added[0].slot, 3);
  EXPECT_EQ(plan.added[0].name, "DuckDuckGo");
  EXPECT_EQ(plan.added[0].search, "https://duckduckgo.com/?q=%s");
  EXPECT_EQ(plan.added[0].home, "https://duckduckgo.com/");
  EXPECT_EQ(plan.added[1].slot, 4);
  EXPECT_EQ(plan.added[1].home, "https://ja.wikipedia.org/");
}

TEST_F(EngineImportPlan, SkipsWhatTheTableHasAndWhatNoLongerFits) {
  // A prefix the query follows is the same address as one ending in %s.
  Fill(0, "Yahoo", "https://search.yahoo.co.jp/search?p=");
  for (int slot = 2; slot < kEditableEngineSlots; ++slot)
    Fill(slot, "E" + std::to_string(slot), "https://e" + std::to_string(slot) + ".example/?q=%s");
  const std::vector<FoundEngine> found{
      Engine("Yahoo! JAPAN", "https://search.yahoo.co.jp/search?p={searchTerms}"),
      Engine("A", "https://a.example/?q={searchTerms}"),
      Engine("A again", "https://a.example/?q={searchTerms}"),
      Engine("B", "https://b.example/?q={searchTerms}")};
  const ImportPlan plan = PlanEngineImport(codec, model, found);
  ASSERT_EQ(plan.added.size(), 1u);
  EXPECT_EQ(plan.added[0].slot, 1);
  ASSERT_EQ(plan.skipped.size(), 3u);
  EXPECT_EQ(plan.skipped[0].reason, "slot 0 (Yahoo) already has its address");
  EXPECT_EQ(plan.skipped[1].reason, "slot 1 (A) already has its address");
  EXPECT_EQ(plan.skipped[2].name, "B");
  EXPECT_EQ(plan.skipped[2].reason, "no free slot is left");
}

TEST_F(EngineImportPlan, KeywordsTheBarWouldRefuseAreLeftEmptyWithANote) {
  Fill(0, "Wikipedia", "https://ja.wikipedia.org/?search=%s", "w");
  const std::vector<FoundEngine> found{
      Engine("Wiktionary", "https://w.example/?q={searchTerms}", "W"),
      Engine("Two words", "https://t.example/?q={searchTerms}", "a b"),
      Engine("Ducks", "https://d.example/?q={searchTerms}", "@d"),
      Engine("Ducks 2", "https://d2.example/?q={searchTerms}", "@D")};
  const ImportPlan plan = PlanEngineImport(codec, model, found);
  ASSERT_EQ(plan.added.size(), 4u);
  EXPECT_EQ(plan.added[0].keyword, "");
  ASSERT_EQ(plan.added[0].notes.size(), 1u);
  EXPECT_EQ(plan.added[0].notes[0], "keyword \"W\" left empty: engine 0 (Wikipedia) has it");
  EXPECT_EQ(plan.added[1].keyword, "");
  EXPECT_EQ(plan.added[2].keyword, "@d");
  // The engine added just before counts as ours too.
  EXPECT_EQ(plan.added[3].keyword, "");
  ASSERT_EQ(plan.added[3].notes.size(), 1u);
  EXPECT_NE(plan.added[3].notes[0].find("engine 3 (Ducks)"), std::string::npos);
}

TEST_F(EngineImportPlan, CharacterSetsNamesAndSuggestionsAreCheckedBeforeAnythingIsPlanned) {
  FoundEngine sjis =
      Engine("価格 (Shift_JIS)", "https://k.example/?q={searchTerms}&e={inputEncoding}");
  sjis.encoding = "shift_jis";
  sjis.suggest = "https://k.example/s?q={searchTerms}";
  FoundEngine latin = Engine("Latin", "https://l.example/?q={searchTerms}");
  latin.encoding = "ISO-8859-1";
  FoundEngine bad_suggest = Engine("Bad suggest", "https://b.example/?q={searchTerms}");
  bad_suggest.suggest = "https://b.example/s?q={searchTerms}&x={unknown}";
  const std::vector<FoundEngine> found{
      sjis,
      latin,
      bad_suggest,
      Engine("Café", "https://c.example/?q={searchTerms}"),
      Engine(std::string(1 << 20, 'x'), "https://huge.example/?q={searchTerms}"),
      Engine("", "https://noname.example/?q={searchTerms}"),
      Engine("Line\nbreak", "https://lb.example/?q={searchTerms}")};
  const ImportPlan plan = PlanEngineImport(codec, model, found);
  ASSERT_EQ(plan.added.size(), 3u);
  EXPECT_EQ(plan.added[0].encoding, "Shift_JIS");
  EXPECT_EQ(plan.added[0].search, "https://k.example/?q=%s&e=Shift_JIS");
  EXPECT_EQ(plan.added[0].suggest, "https://k.example/s?q=%s");
  EXPECT_EQ(plan.added[1].name, "Bad suggest");
  EXPECT_EQ(plan.added[1].suggest, "");
  ASSERT_EQ(plan.added[1].notes.size(), 1u);
  EXPECT_NE(plan.added[1].notes[0].find("{unknown}"), std::string::npos);
  EXPECT_EQ(plan.added[2].name, "Line break");
  ASSERT_EQ(plan.skipped.size(), 4u);
  EXPECT_NE(plan.skipped[0].reason.find("ISO-8859-1"), std::string::npos);
  EXPECT_NE(plan.skipped[1].reason.find("U+00E9"), std::string::npos);
  EXPECT_NE(plan.skipped[2].reason.find("longer than 200 characters"), std::string::npos);
  EXPECT_EQ(plan.skipped[3].reason, "it has no name");
}

}  // namespace
}  // namespace velto
