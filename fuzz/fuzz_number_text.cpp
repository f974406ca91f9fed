// The number-or-text conversions: parsing arbitrary text agrees with the stated grammar and with
// the C library's reading of the same digits; converting and formatting numbers stay in range
// and read back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "fuzz_check.h"
#include "settings/number_text.h"

namespace {

using velto::fuzz::Check;

// Blanks, an optional sign, digits with at most one ".", at least one digit.
bool MatchesGrammar(std::string_view s, std::string_view& digits, bool& negative) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  negative = !s.empty() && s.front() == '-';
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  digits = s;
  int points = 0, count = 0;
  for (char c : s) {
    if (c == '.') {
      ++points;
    } else if (c >= '0' && c <= '9') {
      ++count;
    } else {
      return false;
    }
  }
  return points <= 1 && count > 0;
}

bool Close(double a, double b, double relative) {
  return a == b || std::fabs(a - b) <= relative * std::max(std::fabs(a), std::fabs(b));
}

void CheckNumber(double value) {
  if (const auto r = velto::ToInt16Rounded(value)) {
    Check(std::fabs(*r - value) <= 0.5, "rounded within a half");
  } else {
    Check(!std::isfinite(value) || value < -32768.5 || value > 32767.5, "rounding fails in range");
  }
  if (const auto f = velto::ToInt16Floor(value)) {
    Check(*f <= value && value < *f + 1.0, "floor below the value");
  } else {
    Check(!std::isfinite(value) || value < -32768 || value >= 32768, "floor fails in range");
  }
  if (const auto single = velto::ToSingle(value)) {
    const std::string text = velto::FormatSingle(*single);
    const auto parsed = velto::ParseNumber(text);
    Check(parsed.has_value(), "a stored position parses", text);
    Check(Close(*parsed, *single, 1e-6), "a stored position reads back to 7 digits", text);
  }
  const std::string text = velto::NumberOrText::Number(value).ToText();
  if (std::isfinite(value)) {
    const auto parsed = velto::ParseNumber(text);
    Check(parsed.has_value(), "a number's text parses", text);
    Check(Close(*parsed, value, 1e-14) || std::fabs(value) < 1e-300,
          "a number's text reads back to 15 digits", text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const double raw = in.ConsumeFloatingPoint<double>();
  const std::string text = in.ConsumeRemainingBytesAsString();

  std::string_view digits;
  bool negative = false;
  const bool grammar = MatchesGrammar(text, digits, negative);
  const auto parsed = velto::ParseNumber(text);
  if (parsed) {
    Check(grammar, "only the grammar converts", text);
    // strtod reads a subset of what it accepts the same way; only "." and digits are left here.
    std::string plain(digits);
    const double reference = std::strtod(plain.c_str(), nullptr);
    const double want = negative ? -reference : reference;
    Check(*parsed == want || (std::fpclassify(reference) == FP_SUBNORMAL && *parsed == 0) ||
              (reference != 0 && std::fabs(reference) < std::numeric_limits<double>::min() &&
               *parsed == 0),
          "parsed as the C library reads it", text);
    CheckNumber(*parsed);
  } else if (grammar) {
    // Only a number too large for a double fails.
    const double reference = std::strtod(std::string(digits).c_str(), nullptr);
    Check(std::isinf(reference), "grammar text converts unless it overflows", text);
  }
  Check(velto::NumberOrText::Text(text).ToText() == text, "a text stays as it was", text);
  CheckNumber(raw);
  return 0;
}
