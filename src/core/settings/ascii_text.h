#pragma once
// Small text helpers that look at ASCII only: blanks, case folding and comparisons. Every other
// byte (Shift-JIS, UTF-8) or wide character is left as it is, which is what the settings file,
// the command line and file names need; no locale is consulted.
#include <string_view>

namespace velto {

// A space or a tab: the blanks trimmed from settings lines, numbers and command-line arguments.
template <typename Char>
constexpr bool IsBlank(Char c) {
  return c == Char(' ') || c == Char('\t');
}

template <typename Char>
constexpr Char AsciiLower(Char c) {
  return (c >= Char('A') && c <= Char('Z')) ? static_cast<Char>(c - 'A' + 'a') : c;
}

template <typename Char>
constexpr Char AsciiUpper(Char c) {
  return (c >= Char('a') && c <= Char('z')) ? static_cast<Char>(c - 'a' + 'A') : c;
}

// The text without the blanks at its ends; line breaks and other white space stay.
std::string_view TrimBlanks(std::string_view text);

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);

// Whether text (narrow or wide) ends with the ASCII `ending`, letters in either case.
template <typename Char>
constexpr bool EndsWithIgnoringAsciiCase(std::basic_string_view<Char> text,
                                         std::string_view ending) {
  if (text.size() < ending.size()) return false;
  text.remove_prefix(text.size() - ending.size());
  for (std::size_t i = 0; i < ending.size(); ++i) {
    if (AsciiLower(text[i]) != AsciiLower(static_cast<Char>(ending[i]))) return false;
  }
  return true;
}

}  // namespace velto
