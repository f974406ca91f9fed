// UTF-8 helpers and the ANSI code page codec of this platform.
#include "settings/unicode_text.h"

#include <gtest/gtest.h>

#include "support/real_disk.h"

namespace velto {
namespace {

TEST(UnicodeText, CountsCharactersAndInvalidBytesOneEach) {
  EXPECT_EQ(CountCharacters(""), 0u);
  EXPECT_EQ(CountCharacters("abc"), 3u);
  EXPECT_EQ(CountCharacters("検索バー"), 4u);
  EXPECT_EQ(CountCharacters("\xF0\x9F\x98\x80"), 1u);  // one emoji
  EXPECT_EQ(CountCharacters("\xE6\xA4"), 2u);          // cut sequence
  EXPECT_EQ(CountCharacters("\xC0\xAF"), 2u);          // overlong "/"
  EXPECT_EQ(CountCharacters("\xED\xA0\x80"), 3u);      // surrogate
  EXPECT_TRUE(IsValidUtf8("ヴェルト"));
  EXPECT_FALSE(IsValidUtf8("\x83\x74"));
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
}

TEST(UnicodeText, ConvertsBetweenUtf8AndUtf16) {
  EXPECT_EQ(Utf16FromUtf8("aヴ\xF0\x9F\x98\x80"), u"aヴ\U0001F600");
  EXPECT_EQ(Utf8FromUtf16(u"aヴ\U0001F600"), "aヴ\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8FromUtf16(std::u16string(1, char16_t{0xD800}) + u"x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(Utf16FromUtf8("\xFFz"), u"\uFFFDz");
}

TEST(AnsiCodec, ConvertsJapaneseTextToShiftJisAndBack) {
  const test::SystemTextCodec codec;
  const std::string sjis = "\x83\x74\x83\x8C\x83\x62\x83\x56\x83\x85\x83\x41\x83\x43";
  EXPECT_EQ(codec.AnsiFromUtf8("フレッシュアイ"), sjis);
  EXPECT_EQ(codec.Utf8FromAnsi(sjis), "フレッシュアイ");
  EXPECT_EQ(codec.AnsiFromUtf8("a\\b~c"), "a\\b~c");
  EXPECT_EQ(codec.Utf8FromAnsi("\x81\x60"), "～");  // the code page's wave dash is U+FF5E
  EXPECT_EQ(codec.Utf8FromAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(AnsiCodec, ReplacesWhatItCannotConvert) {
  const test::SystemTextCodec codec;
  EXPECT_EQ(codec.AnsiFromUtf8("x한y"), "x?y");
  EXPECT_EQ(codec.AnsiFromUtf8("\xC3\xA9"), "?");  // é: no look-alike replacement
  const std::string bad = codec.Utf8FromAnsi("a\x81");
  EXPECT_TRUE(IsValidUtf8(bad));
  EXPECT_EQ(bad.substr(0, 1), "a");
  EXPECT_TRUE(IsValidUtf8(codec.Utf8FromAnsi("\xFF\xFE\xA0\x80\x85")));
  EXPECT_TRUE(IsValidUtf8(codec.Utf8FromAnsi(std::string(1 << 20, '\x83'))));
}

TEST(AnsiCodec, HoldsExactlyOnlyWhatComesBackUnchanged) {
  const test::SystemTextCodec codec;
  for (const char* held : {"", "C++ tips", "東京タワー", "ｶﾅ①～", "a\\b~c"})
    EXPECT_TRUE(codec.AnsiHoldsExactly(held)) << held;
  // An emoji, Latin and Korean letters the code page lacks, best-fit look-alikes (the yen sign
  // becoming a backslash, WAVE DASH becoming the code page's FULLWIDTH TILDE), bytes that are
  // no UTF-8.
  for (const char* lost :
       {"\xF0\x9F\x98\x80", "Spécial", "x한y", "\xC2\xA5", "\xE3\x80\x9C", "\xFF", "\x83\x74"})
    EXPECT_FALSE(codec.AnsiHoldsExactly(lost)) << lost;
}

}  // namespace
}  // namespace velto
