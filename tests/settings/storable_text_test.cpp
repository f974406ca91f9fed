// What velto.ini and log.txt hold exactly, and addresses in the form they can hold.
#include "settings/storable_text.h"

#include <gtest/gtest.h>

#include "support/real_disk.h"

namespace velto {
namespace {

struct AddressCase {
  const char* typed;
  const char* stored;
};

class StorableAddressForm : public ::testing::TestWithParam<AddressCase> {};

TEST_P(StorableAddressForm, KeepsWhatTheCodePageHoldsEscapesTheRest) {
  const test::SystemTextCodec codec;
  EXPECT_EQ(StorableAddress(codec, GetParam().typed), GetParam().stored);
  EXPECT_TRUE(IsStorableText(codec, StorableAddress(codec, GetParam().typed)));
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, StorableAddressForm,
    ::testing::Values(AddressCase{"https://fr.wikipedia.org/wiki/Spécial:Recherche?search=%s",
                                  "https://fr.wikipedia.org/wiki/Sp%C3%A9cial:Recherche?search=%s"},
                      AddressCase{"http://search.yahoo.co.jp/bin/search?p=",
                                  "http://search.yahoo.co.jp/bin/search?p="},
                      AddressCase{"https://ja.wikipedia.org/wiki/特別:検索?search=%s",
                                  "https://ja.wikipedia.org/wiki/特別:検索?search=%s"},
                      AddressCase{
                          "https://ko.wikipedia.org/wiki/특수:검색?q=",
                          "https://ko.wikipedia.org/wiki/%ED%8A%B9%EC%88%98:%EA%B2%80%EC%83%89?q="},
                      AddressCase{"https://x.example/\xF0\x9F\x98\x80/東京",
                                  "https://x.example/%F0%9F%98%80/東京"},
                      AddressCase{"https://x.example/\xFF?q=", "https://x.example/%FF?q="},
                      AddressCase{"", ""}));

TEST(StorableText, NamesTheFirstCharacterTheCodePageLacks) {
  const test::SystemTextCodec codec;
  EXPECT_EQ(FirstUnstorableCharacter(codec, "東京 tower"), std::nullopt);
  EXPECT_EQ(FirstUnstorableCharacter(codec, "東京 Café \xF0\x9F\x98\x80"), U'\u00E9');
  EXPECT_EQ(FirstUnstorableCharacter(codec, "a\xF0\x9F\x98\x80"), U'\U0001F600');
  EXPECT_EQ(FirstUnstorableCharacter(codec, "a\xFF"), U'\uFFFD');
  EXPECT_EQ(CharacterCode(U'\u00E9'), "U+00E9");
}

}  // namespace
}  // namespace velto
