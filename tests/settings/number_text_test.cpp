// Conversions of stored number texts, as LoadSettings and the number-or-text values use them.
#include "settings/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <optional>
#include <string>

namespace velto {
namespace {

struct ParseCase {
  const char* text;
  std::optional<double> expected;
};

TEST(ParseNumber, AcceptsSignDigitsAndFractionWithBlanksAround) {
  const ParseCase cases[] = {
      {"0", 0},
      {"2880", 2880},
      {"-15", -15},
      {"+7", 7},
      {"  42  ", 42},
      {"\t3\t", 3},
      {"2.5", 2.5},
      {"-0.25", -0.25},
      {".5", 0.5},
      {"5.", 5},
      {"1.0", 1},
      {"007", 7},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"-", std::nullopt},
      {".", std::nullopt},
      {"1e5", std::nullopt},
      {"0x10", std::nullopt},
      {"1,000", std::nullopt},
      {"1.2.3", std::nullopt},
      {"- 5", std::nullopt},
      {"5 5", std::nullopt},
      {"--5", std::nullopt},
      {"12abc", std::nullopt},
      {"\xEF\xBC\x91", std::nullopt},  // a full-width digit is not a digit here
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseNumber(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ParseNumber, SurvivesHugeAndOddInput) {
  EXPECT_EQ(ParseNumber(std::string(1 << 20, '9')).has_value(), false);  // beyond double range
  EXPECT_FALSE(ParseNumber(std::string("1\0"
                                       "2",
                                       3))
                   .has_value());
  EXPECT_DOUBLE_EQ(*ParseNumber("0." + std::string(5000, '0') + "1"), 0.0);
}

struct RoundCase {
  double value;
  std::optional<std::int16_t> expected;
};

TEST(ToInt16Rounded, RoundsHalfToEvenAndRefusesOutOfRange) {
  const RoundCase cases[] = {
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {-3.5, -4},
      {0.5, 0},
      {1.5, 2},
      {2.4, 2},
      {2.6, 3},
      {-0.4, 0},
      {32767, 32767},
      {32767.4, 32767},
      {32767.5, std::nullopt},
      {-32768, -32768},
      {-32768.5, -32768},
      {-32768.6, std::nullopt},
      {70000, std::nullopt},
      {1e300, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ToInt16Rounded(c.value), c.expected) << c.value;
}

TEST(ToInt16Floor, TakesTheWholePartTowardMinusInfinity) {
  EXPECT_EQ(ToInt16Floor(2.9), 2);
  EXPECT_EQ(ToInt16Floor(-0.5), -1);
  EXPECT_EQ(ToInt16Floor(32767.9), 32767);
  EXPECT_EQ(ToInt16Floor(-32769), std::nullopt);
}

TEST(ToSingle, RefusesValuesOutsideSinglePrecision) {
  EXPECT_EQ(ToSingle(2880), 2880.0f);
  EXPECT_EQ(ToSingle(-1e38), -1e38f);
  EXPECT_EQ(ToSingle(1e39), std::nullopt);
  EXPECT_EQ(ToSingle(-1e300), std::nullopt);
}

struct FormatCase {
  float value;
  const char* expected;
};

TEST(FormatSingle, WritesAtMostSevenSignificantDigitsWithoutExponent) {
  const FormatCase cases[] = {
      {2880, "2880"},
      {0, "0"},
      {-0.0f, "0"},
      {-15, "-15"},
      {123.4567f, "123.4567"},
      {0.5f, "0.5"},
      {-7.25f, "-7.25"},
      {1.0f / 3, "0.3333333"},
      {12345678, "12345680"},
      {1e10f, "10000000000"},
      {0.001f, "0.001"},
      {9999999.0f, "9999999"},
      {1234.5678f, "1234.568"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatSingle(c.value), c.expected) << c.value;
}

TEST(FormatSingle, ReadsBackThroughTheParser) {
  for (float v : {2880.0f, -1234.5f, 0.125f, 98765.43f, -0.001f}) {
    const auto back = ParseNumber(FormatSingle(v));
    ASSERT_TRUE(back.has_value()) << v;
    EXPECT_FLOAT_EQ(static_cast<float>(*back), v);
  }
}

TEST(NumberOrText, ComparesTextNumericallyAndFailsOnNonNumbers) {
  EXPECT_TRUE(NumberOrText::Text("1.0").Equals(1));
  EXPECT_TRUE(NumberOrText::Text(" 1 ").Equals(1));
  const auto empty = NumberOrText::Text("");
  EXPECT_FALSE(empty.Equals(1));
  EXPECT_FALSE(empty.Equals(0));
  EXPECT_EQ(empty.AsNumber(), std::nullopt);
  EXPECT_FALSE(NumberOrText().Equals(0));  // the model starts with the empty text
  EXPECT_TRUE(NumberOrText::Number(3).Equals(3));
}

TEST(NumberOrText, WritesNumbersAsDigitsAndTextsUnchanged) {
  EXPECT_EQ(NumberOrText::Number(1).ToText(), "1");
  EXPECT_EQ(NumberOrText::Number(-2).ToText(), "-2");
  EXPECT_EQ(NumberOrText::Number(0).ToText(), "0");
  EXPECT_EQ(NumberOrText::Text("1.0").ToText(), "1.0");
  EXPECT_EQ(NumberOrText::Text(" x ").ToText(), " x ");
  EXPECT_FALSE(NumberOrText::Text("1").IsNumber());
  EXPECT_TRUE(NumberOrText::Number(1).IsNumber());
}

TEST(NumberOrText, WritesTheLargestNumbersSoTheyReadBack) {
  for (const double value :
       {std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(), 1e308, -123.25}) {
    const auto back = ParseNumber(NumberOrText::Number(value).ToText());
    ASSERT_TRUE(back.has_value()) << value;
    EXPECT_EQ(*back, value);
  }
}

// The Qt front end takes the numeric locale from the environment; a comma for the decimal point
// must change neither what is read nor what is written.
// Puts the numeric locale back however the test ends.
class NumericLocale {
 public:
  NumericLocale() : before_(std::setlocale(LC_NUMERIC, nullptr)) {}
  ~NumericLocale() { std::setlocale(LC_NUMERIC, before_.c_str()); }
  // Switches to a locale with a decimal comma; false when the system has none.
  bool UseDecimalComma() {
    for (const char* name :
         {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "German_Germany.1252"}) {
      if (std::setlocale(LC_NUMERIC, name) && std::localeconv()->decimal_point[0] == ',')
        return true;
    }
    return false;
  }

 private:
  std::string before_;
};

TEST(NumberText, CommaDecimalLocaleChangesNothing) {
  NumericLocale locale;
  if (!locale.UseDecimalComma()) GTEST_SKIP() << "no locale with a decimal comma here";
  EXPECT_EQ(ParseNumber("2.5"), 2.5);
  EXPECT_EQ(ParseNumber("-0.125"), -0.125);
  EXPECT_EQ(ParseNumber("0.1"), 0.1);
  EXPECT_EQ(ParseNumber("2,5"), std::nullopt);
  EXPECT_EQ(FormatSingle(123.4567f), "123.4567");
  EXPECT_EQ(FormatSingle(-0.001f), "-0.001");
  EXPECT_EQ(NumberOrText::Number(0.1).ToText(), "0.1");
  EXPECT_EQ(NumberOrText::Number(std::numeric_limits<double>::max()).ToText(),
            "179769313486231570" + std::string(291, '0'));
}

}  // namespace
}  // namespace velto
