#pragma once
// The number-or-text value of the settings model and its conversions.
//
// A text converts to a number when, after blanks before and after it, it is an optional sign,
// decimal digits and an optional fraction after ".". Anything else (the empty text included)
// does not convert, and the use that needed the number fails.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace velto {

std::optional<double> ParseNumber(std::string_view text);

// Nearest 16-bit integer, a half going to the even neighbour; nullopt outside -32768..32767.
std::optional<std::int16_t> ToInt16Rounded(double value);
// Whole-number part (toward minus infinity) as a 16-bit integer; nullopt outside the range.
std::optional<std::int16_t> ToInt16Floor(double value);
// Single precision; nullopt when the value lies outside float's range.
std::optional<float> ToSingle(double value);

// A Top/Left position as stored: at most 7 significant digits, "-" for negatives,
// no "." for a whole number ("2880", "-15", "123.4567").
std::string FormatSingle(float value);

// AlwaysTop and DefaultSearch: the text read from the file, or a number set by the program.
class NumberOrText {
 public:
  NumberOrText() = default;
  static NumberOrText Text(std::string text) { return NumberOrText(std::move(text)); }
  static NumberOrText Number(double value) { return NumberOrText(value); }

  bool IsNumber() const { return std::holds_alternative<double>(value_); }
  // The value as a number, converting a text; nullopt when the text does not convert.
  std::optional<double> AsNumber() const;
  // Numeric comparison; false when the value does not convert.
  bool Equals(double number) const;
  // Text form for the settings file: a number's decimal digits ("-" when negative), a text unchanged.
  std::string ToText() const;

  bool operator==(const NumberOrText&) const = default;

 private:
  explicit NumberOrText(std::string text) : value_(std::move(text)) {}
  explicit NumberOrText(double number) : value_(number) {}
  std::variant<std::string, double> value_;
};

}  // namespace velto
