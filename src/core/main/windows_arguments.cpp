#include "main/windows_arguments.h"

namespace velto {
namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitWindowsArguments(std::string_view arguments) {
  std::vector<std::string> result;
  std::size_t i = 0;
  const std::size_t n = arguments.size();
  for (;;) {
    while (i < n && IsSeparator(arguments[i])) ++i;
    if (i >= n) break;
    std::string argument;
    bool quoted = false;
    while (i < n && (quoted || !IsSeparator(arguments[i]))) {
      if (arguments[i] == '\\') {
        std::size_t backslashes = 0;
        while (i < n && arguments[i] == '\\') ++backslashes, ++i;
        if (i < n && arguments[i] == '"') {
          argument.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) {
            argument += '"';
            ++i;
          }
          // An even count leaves the quote to the quoting rule below.
        } else {
          argument.append(backslashes, '\\');
        }
        continue;
      }
      if (arguments[i] == '"') {
        ++i;
        if (quoted && i < n && arguments[i] == '"') {
          // "" inside quotes: a literal quote, and the quoted part ends.
          argument += '"';
          ++i;
          quoted = false;
        } else {
          quoted = !quoted;
        }
        continue;
      }
      argument += arguments[i++];
    }
    result.push_back(std::move(argument));
  }
  return result;
}

}  // namespace velto
