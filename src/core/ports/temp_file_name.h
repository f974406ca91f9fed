#pragma once
// The names of the temporary files a settings write makes beside its file: the file's own name,
// ".", one or more ASCII letters and digits, ".tmp" ("velto.ini.q3Xb9a.tmp"). Both systems' file
// operations make and find them by this one rule, so a leftover is never confused with a file
// of the user's.
#include <string_view>

namespace velto {

template <typename Char>
constexpr bool IsTempFileNameOf(std::basic_string_view<Char> name,
                                std::basic_string_view<Char> file_name) {
  constexpr Char kTail[] = {'.', 't', 'm', 'p'};
  const std::basic_string_view<Char> tail(kTail, 4);
  if (name.size() < file_name.size() + 1 + 1 + tail.size()) return false;
  if (name.substr(0, file_name.size()) != file_name) return false;
  name.remove_prefix(file_name.size());
  if (name.front() != Char('.') || name.substr(name.size() - tail.size()) != tail) return false;
  const auto middle = name.substr(1, name.size() - 1 - tail.size());
  for (Char c : middle) {
    const bool alnum = (c >= Char('0') && c <= Char('9')) || (c >= Char('a') && c <= Char('z')) ||
                       (c >= Char('A') && c <= Char('Z'));
    if (!alnum) return false;
  }
  return true;
}

}  // namespace velto
