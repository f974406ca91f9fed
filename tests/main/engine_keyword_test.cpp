#include "main/engine_keyword.h"

#include <gtest/gtest.h>

namespace velto {
namespace {

struct KeywordCase {
  const char* text;
  int slot;  // -1: no match
  const char* rest;
};

TEST(EngineKeyword, MatchesAKeywordFollowedByOneBlank) {
  SettingsModel model;
  model.SearchKey[2] = "w";
  model.SearchKey[5] = "yt";
  model.SearchKey[7] = "W";     // a hand-edited duplicate: the lower slot wins
  model.SearchKey[9] = "a b";   // not a word: never matches
  model.SearchKey[4] = "ｇ２";  // full-width letter and digit
  const KeywordCase cases[] = {
      {"w 東京", 2, "東京"},
      {"W 東京", 2, "東京"},
      {"w\xE3\x80\x80東京", 2, "東京"},  // full-width space
      {"yt  two blanks", 5, " two blanks"},
      {"Ｗ 東京", 2, "東京"},  // full-width Latin folds to ASCII, either case
      {"ｗ\xE3\x80\x80東京", 2, "東京"},
      {"Ｙｔ x", 5, "x"},
      {"G2 x", 4, "x"},
      {"ｇ２ x", 4, "x"},
      {"ｗｉｋｉ 東京", -1, ""},
      {"w ", 2, ""},
      {"w", -1, ""},
      {"wiki 東京", -1, ""},
      {"yt", -1, ""},
      {"a b c", -1, ""},
      {"", -1, ""},
  };
  for (const auto& c : cases) {
    const auto match = MatchEngineKeyword(model, c.text);
    if (c.slot < 0) {
      EXPECT_FALSE(match) << c.text;
      continue;
    }
    ASSERT_TRUE(match) << c.text;
    EXPECT_EQ(match->slot, c.slot) << c.text;
    EXPECT_EQ(match->rest, c.rest) << c.text;
  }
}

TEST(EngineKeyword, AWordWithoutBlanksIsAValidKeyword) {
  EXPECT_TRUE(IsValidEngineKeyword(""));
  EXPECT_TRUE(IsValidEngineKeyword("gh"));
  EXPECT_TRUE(IsValidEngineKeyword("ウィキ"));
  EXPECT_FALSE(IsValidEngineKeyword("a b"));
  EXPECT_FALSE(IsValidEngineKeyword("a\tb"));
  EXPECT_FALSE(
      IsValidEngineKeyword("a\xE3\x80\x80"
                           "b"));
}

}  // namespace
}  // namespace velto
