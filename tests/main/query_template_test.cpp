// Search addresses from engine addresses: templates with "%s" get the query percent-encoded,
// prefixes get it as typed.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "main/query_template.h"
#include "search_bar_fixture.h"
#include "settings/storable_text.h"
#include "support/real_disk.h"

namespace velto::test {
namespace {

struct AddressCase {
  const char* engine;
  const char* query;
  const char* address;
};

class QueryTemplate : public ::testing::TestWithParam<AddressCase> {};

TEST_P(QueryTemplate, BuildsTheAddress) {
  EXPECT_EQ(SearchAddress(GetParam().engine, GetParam().query), GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, QueryTemplate,
    ::testing::Values(
        // Without "%s" the query is appended unchanged, blanks and reserved characters included.
        AddressCase{"http://a.example/?q=", "C++ AT&T", "http://a.example/?q=C++ AT&T"},
        AddressCase{"", "www.example.com", "www.example.com"},
        AddressCase{"http://a.example/?q=%", "s", "http://a.example/?q=%s"},
        // Each "%s" is replaced, wherever it stands.
        AddressCase{"https://a.example/?q=%s", "C++", "https://a.example/?q=C%2B%2B"},
        AddressCase{"https://a.example/%s/?q=%s&again=%s", "a b",
                    "https://a.example/a%20b/?q=a%20b&again=a%20b"},
        AddressCase{"%s", "x", "x"},
        AddressCase{"https://a.example/?q=%s%s", "#", "https://a.example/?q=%23%23"},
        // A "%" that starts no "%s" stays; "%S" is no placeholder.
        AddressCase{"https://a.example/?%25=%S&q=%s", "%s", "https://a.example/?%25=%S&q=%25s"},
        AddressCase{"https://a.example/?q=%s", "", "https://a.example/?q="},
        // UTF-8 bytes, upper-case hex.
        AddressCase{"https://a.example/?q=%s", "東京 タワー",
                    "https://a.example/?q=%E6%9D%B1%E4%BA%AC%20%E3%82%BF%E3%83%AF%E3%83%BC"},
        AddressCase{"https://a.example/?q=%s", "é😀", "https://a.example/?q=%C3%A9%F0%9F%98%80"}));

TEST(PercentEncode, OnlyLettersDigitsAndFourMarksStayAsTheyAre) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  const std::string encoded = PercentEncode(all);
  EXPECT_EQ(encoded.size(), 66u + 190u * 3u);  // 66 unreserved bytes, 190 escapes
  EXPECT_EQ(encoded.substr(0, 6), "%00%01");
  EXPECT_EQ(encoded.substr(encoded.size() - 6), "%FE%FF");
  EXPECT_EQ(PercentEncode("AZaz09-._~"), "AZaz09-._~");
  EXPECT_EQ(
      PercentEncode(" !\"#$%&'()*+,/:;<=>?@[\\]^`{|}\x7F"),
      "%20%21%22%23%24%25%26%27%28%29%2A%2B%2C%2F%3A%3B%3C%3D%3E%3F%40%5B%5C%5D%5E%60%7B%7C%7D%7F");
}

// The system's own codec of each build (iconv, or the Windows code pages under Wine), so the
// rows hold for both.
struct EncodingCase {
  const char* query;
  std::optional<CharacterSet> set;
  bool plus;
  const char* encoded;  // nullptr: refused
  char32_t refused;
};

class QueryEncodingRows : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(QueryEncodingRows, EncodesOrRefusesTheQuery) {
  const EncodingCase& c = GetParam();
  RealDisk disk;
  const EncodedQuery got = EncodeQuery(c.query, {c.set, c.plus}, disk.codec());
  if (c.encoded) {
    EXPECT_EQ(got.refused, std::nullopt) << CharacterCode(got.refused.value_or(0));
    EXPECT_EQ(got.text, c.encoded);
  } else {
    EXPECT_EQ(got.refused, std::optional<char32_t>(c.refused));
    EXPECT_EQ(got.text, "");
  }
}

constexpr auto kSjis = CharacterSet::ShiftJis;
constexpr auto kEuc = CharacterSet::EucJp;

INSTANTIATE_TEST_SUITE_P(
    Rows, QueryEncodingRows,
    ::testing::Values(
        EncodingCase{"東京", kSjis, false, "%93%8C%8B%9E", 0},
        EncodingCase{"東京", kEuc, false, "%C5%EC%B5%FE", 0},
        EncodingCase{"東京", std::nullopt, false, "%E6%9D%B1%E4%BA%AC", 0},
        // Half-width kana: one byte in Shift_JIS, 8E before it in EUC-JP.
        EncodingCase{"ｶﾀｶﾅ", kSjis, false, "%B6%C0%B6%C5", 0},
        EncodingCase{"ｶﾅ", kEuc, false, "%8E%B6%8E%C5", 0},
        // Both wave dashes are the set's one wave dash.
        EncodingCase{"1～2〜3", kSjis, false, "1%81%602%81%603", 0},
        EncodingCase{"1～2〜3", kEuc, false, "1%A1%C12%A1%C13", 0},
        // NEC (circled digits) and IBM (髙) extensions of code page 932; EUC-JP lacks both.
        EncodingCase{"①", kSjis, false, "%87%40", 0},
        EncodingCase{"髙橋", kSjis, false, "%FB%FC%8B%B4", 0},
        EncodingCase{"①", kEuc, false, nullptr, 0x2460},
        EncodingCase{"髙", kEuc, false, nullptr, 0x9AD9},
        // Characters outside the set: the first one is named, nothing is sent as "?".
        EncodingCase{"a😀b한", kSjis, false, nullptr, 0x1F600},
        EncodingCase{"東京한국", kEuc, false, nullptr, 0xD55C},
        EncodingCase{"café", kSjis, false, nullptr, 0xE9},
        EncodingCase{"café", kEuc, false, nullptr, 0xE9},  // JIS X 0212 is not sent
        EncodingCase{"😀", std::nullopt, false, "%F0%9F%98%80", 0},
        EncodingCase{"\xFF", kSjis, false, nullptr, 0xFFFD},
        // Blanks as "+", a "+" of the query as %2B; ASCII stays the same in every set.
        EncodingCase{"C++ と C#", kSjis, true, "C%2B%2B+%82%C6+C%23", 0},
        EncodingCase{"a b+c", kEuc, true, "a+b%2Bc", 0},
        EncodingCase{"a b+c", std::nullopt, true, "a+b%2Bc", 0},
        EncodingCase{"a b+c", kSjis, false, "a%20b%2Bc", 0}, EncodingCase{"", kSjis, true, "", 0}));

TEST(QueryEncodingNames, ReadsStoredNamesInAnyCase_UnknownOnesAreNone) {
  using Name = std::optional<std::optional<CharacterSet>>;
  const Name utf8(std::in_place);
  EXPECT_EQ(ReadEncodingName(""), utf8);
  EXPECT_EQ(ReadEncodingName(" utf-8 "), utf8);
  EXPECT_EQ(ReadEncodingName("shift_jis"), Name(kSjis));
  EXPECT_EQ(ReadEncodingName("EUC-JP"), Name(kEuc));
  EXPECT_EQ(ReadEncodingName("SJIS"), Name());
  EXPECT_EQ(ReadEncodingName("ISO-2022-JP"), Name());
  EXPECT_EQ(ReadBlankName(""), false);
  EXPECT_EQ(ReadBlankName("%20"), false);
  EXPECT_EQ(ReadBlankName(" + "), true);
  EXPECT_EQ(ReadBlankName("_"), std::nullopt);
  for (const std::optional<CharacterSet> set :
       {std::optional<CharacterSet>(), Name::value_type(kSjis), Name::value_type(kEuc)})
    EXPECT_EQ(ReadEncodingName(EncodingName(set)), Name(std::in_place, set));
}

using TemplateSearch = SearchBarTest;

TEST_F(TemplateSearch, EngineCharacterSet_ButtonAndKeywordSearchesUseIt_RefusalOpensNothing) {
  LoadFourEngines();
  model.SearchEngn[1] = "https://b.example/?q=%s";
  model.SearchEncoding[1] = "Shift_JIS";
  model.SearchSpace[1] = "+";
  model.SearchKey[1] = "b";
  model.SearchEngn[2] = "https://c.example/?q=%s";
  model.SearchEncoding[2] = "ISO-2022-JP";
  Search(1, "東京 タワー");
  Search(0, "b ｶﾅ");   // the keyword's engine, its set
  Search(1, "東京😀");  // refused: told, nothing opened
  Search(2, "x");      // a set the program does not know
  model.SearchEngn[1] = "https://b.example/?q=";
  Search(1, "東京 😀");  // a prefix gets the query as typed
  EXPECT_EQ(
      platform.OpenedAddresses(),
      (std::vector<std::string>{"https://b.example/?q=%93%8C%8B%9E+%83%5E%83%8F%81%5B",
                                "https://b.example/?q=%B6%C5", "https://b.example/?q=東京 😀"}));
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_NE(platform.messages[0].text.find("(U+1F600)"), std::string::npos);
  EXPECT_NE(platform.messages[0].text.find("SearchEncoding(1): Shift_JIS"), std::string::npos);
  EXPECT_NE(platform.messages[1].text.find("(SearchEncoding(2))"), std::string::npos);
  EXPECT_NE(platform.messages[1].text.find("ISO-2022-JP"), std::string::npos);
  EXPECT_EQ(platform.messages[1].buttons, MessageButtons::Ok);
}

TEST_F(TemplateSearch, ButtonSearch_EncodesTheQueryIntoATemplateAndKeepsItAsTypedInTheHistory) {
  LoadFourEngines();
  model.SearchEngn[1] = "https://b.example/search?q=%s&lang=ja";
  Search(1, "C# & C++");
  Search(0, "C# & C++");
  EXPECT_EQ(platform.OpenedAddresses(),
            (std::vector<std::string>{"https://b.example/search?q=C%23%20%26%20C%2B%2B&lang=ja",
                                      "http://a.example/?q=C# & C++"}));
  ExpectHistory({"C# & C++"});
}

}  // namespace
}  // namespace velto::test
