#include "settings/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace velto {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
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
std::string FormatDecimal(double value, int significant) {
  if (!std::isfinite(value) || value == 0) return "0";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, significant - 1);
  std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
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
  double value = 0;
  const auto result =
      std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
  if (result.ptr != s.data() + s.size()) return std::nullopt;
  if (result.ec == std::errc::result_out_of_range) {
    // Too large fails; too small to tell from zero is zero.
    const std::string_view whole = s.substr(0, s.find('.'));
    if (whole.find_first_not_of('0') != std::string_view::npos) return std::nullopt;
    value = 0;
  } else if (result.ec != std::errc()) {
    return std::nullopt;
  }
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
