#include "settings/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "settings/ascii_text.h"

namespace velto {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::optional<std::int16_t> ToInt16(double whole) {
  if (!(whole >= std::numeric_limits<std::int16_t>::min() &&
        whole <= std::numeric_limits<std::int16_t>::max())) {
    return std::nullopt;  // also NaN
  }
  return static_cast<std::int16_t>(whole);
}

// Plain decimal text of value rounded to `significant` digits: never an exponent, no trailing
// zeros after the point, no point for a whole number.
// The C library's conversions stand in for std::to_chars and std::from_chars of double, whose
// tables would add a quarter of a megabyte to the static Windows program. They are kept free
// of the locale (the Qt front end sets it from the environment): only digits, signs and the
// exponent are read from or handed to them, never a decimal point.
std::string FormatDecimal(double value, int significant) {
  if (!std::isfinite(value) || value == 0) return "0";
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, value);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) return "0";
  std::string_view sci(buffer, static_cast<std::size_t>(length));
  const bool negative = sci.front() == '-';
  if (negative) sci.remove_prefix(1);
  const auto e_pos = sci.find('e');
  int exponent = 0;
  std::from_chars(sci.data() + e_pos + 1 + (sci[e_pos + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                  exponent);
  std::string digits;
  for (char c : sci.substr(0, e_pos)) {
    if (IsDigit(c)) digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  const int count = static_cast<int>(digits.size());
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  } else if (exponent + 1 >= count) {
    out += digits;
    out.append(static_cast<std::size_t>(exponent + 1 - count), '0');
  } else {
    out += digits.substr(0, static_cast<std::size_t>(exponent + 1));
    out += '.';
    out += digits.substr(static_cast<std::size_t>(exponent + 1));
  }
  return out;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  // Only digits with at most one ".", and at least one digit: no exponents, no hex, no commas.
  bool seen_point = false;
  bool seen_digit = false;
  for (char c : s) {
    if (IsDigit(c)) {
      seen_digit = true;
    } else if (c == '.' && !seen_point) {
      seen_point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!seen_digit) return std::nullopt;
  // "12.345" is read as "12345e-3": the same value, correctly rounded, with no decimal point
  // for the locale to differ on.
  std::string digits;
  digits.reserve(s.size() + 24);
  std::size_t fraction_digits = 0;
  bool in_fraction = false;
  for (char c : s) {
    if (c == '.') {
      in_fraction = true;
    } else {
      digits += c;
      if (in_fraction) ++fraction_digits;
    }
  }
  digits += "e-" + std::to_string(fraction_digits);
  char* end = nullptr;
  const double value = std::strtod(digits.c_str(), &end);
  if (end != digits.c_str() + digits.size()) return std::nullopt;
  // Too large fails; too small to tell from zero is zero.
  if (std::isinf(value)) return std::nullopt;
  return negative ? -value : value;
}

std::optional<std::int16_t> ToInt16Rounded(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
  return ToInt16(whole);
}

std::optional<std::int16_t> ToInt16Floor(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  return ToInt16(std::floor(value));
}

std::optional<float> ToSingle(double value) {
  if (!(std::fabs(value) <= std::numeric_limits<float>::max())) return std::nullopt;
  return static_cast<float>(value);
}

std::string FormatSingle(float value) {
  return FormatDecimal(value, 7);
}

std::optional<double> NumberOrText::AsNumber() const {
  if (const double* number = std::get_if<double>(&value_)) return *number;
  return ParseNumber(std::get<std::string>(value_));
}

bool NumberOrText::Equals(double number) const {
  const auto own = AsNumber();
  return own && *own == number;
}

std::string NumberOrText::ToText() const {
  if (const double* number = std::get_if<double>(&value_)) {
    // Fifteen digits round the very largest doubles up past the largest double, to a text that
    // would not read back; those take the seventeen digits that always do.
    std::string text = FormatDecimal(*number, 15);
    if (!ParseNumber(text)) text = FormatDecimal(*number, 17);
    return text;
  }
  return std::get<std::string>(value_);
}

}  // namespace velto
