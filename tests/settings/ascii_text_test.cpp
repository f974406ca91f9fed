// The ASCII-only helpers: only spaces and tabs are blanks, only A-Z and a-z fold, and bytes of
// Shift-JIS or UTF-8 text (some of which look like ASCII letters in their second byte) stay.
#include "settings/ascii_text.h"

#include <gtest/gtest.h>

#include <string_view>

namespace velto {
namespace {

TEST(AsciiText, TrimBlanksTakesOnlySpacesAndTabs) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"", ""},
      {" \t ", ""},
      {"\t a b \t", "a b"},
      {"\r\nkey\r\n", "\r\nkey\r\n"},
      {"\xE3\x80\x80x\xE3\x80\x80", "\xE3\x80\x80x\xE3\x80\x80"},  // ideographic spaces stay
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(TrimBlanks(text), expected) << text;
}

TEST(AsciiText, CaseFoldsOnlyAsciiLetters) {
  struct Case {
    std::string_view a, b;
    bool equal;
  };
  const Case cases[] = {
      {"SearchData", "searchDATA", true},
      {"Velto", "Velt", false},
      {"[", "{", false},  // one apart from Z and z, not letters
      {"@", "`", false},
      {"\x82\x60", "\x82\x81", false},  // Shift-JIS Ａ and ａ are different characters
      {"\xC3\x84", "\xC3\xA4", false},  // UTF-8 Ä and ä
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EqualsIgnoringAsciiCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
  }
  EXPECT_TRUE(StartsWithIgnoringAsciiCase("HTTP://x", "http://"));
  EXPECT_FALSE(StartsWithIgnoringAsciiCase("http:", "http://"));
}

TEST(AsciiText, EndsWithComparesNarrowAndWideText) {
  EXPECT_TRUE(EndsWithIgnoringAsciiCase(std::string_view("memo.TxT"), ".TXT"));
  EXPECT_TRUE(EndsWithIgnoringAsciiCase(std::wstring_view(L"\u30E1\u30E2.txt"), ".TXT"));
  EXPECT_FALSE(EndsWithIgnoringAsciiCase(std::wstring_view(L"a.\uFF34XT"), ".TXT"));  // fullwidth T
  EXPECT_FALSE(EndsWithIgnoringAsciiCase(std::string_view("TXT"), ".TXT"));
}

}  // namespace
}  // namespace velto
