// Search addresses from engine addresses: templates with "%s" get the query percent-encoded,
// prefixes get it as typed.
#include <gtest/gtest.h>

#include <string>

#include "main/query_template.h"
#include "search_bar_fixture.h"

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

using TemplateSearch = SearchBarTest;

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
