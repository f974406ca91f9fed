#include "main/shell_address.h"

#include <algorithm>

#include "main/query_template.h"
#include "settings/ascii_text.h"

namespace velto {
namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsSchemeCharacter(char c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// The scheme the address begins with, without its ":"; nullopt when it begins with none. One
// character before the ":" is a drive letter ("C:\..."), not a scheme.
std::optional<std::string_view> SchemeOf(std::string_view address) {
  const std::size_t colon = address.find(':');
  if (colon == std::string_view::npos || colon < 2 || !IsAsciiLetter(address.front()))
    return std::nullopt;
  const std::string_view scheme = address.substr(0, colon);
  if (!std::all_of(scheme.begin(), scheme.end(), IsSchemeCharacter)) return std::nullopt;
  return scheme;
}

bool IsWebName(std::string_view address) {
  return StartsWithIgnoringAsciiCase(address, "www.");
}

}  // namespace

std::optional<std::string> SearchAddressForShell(std::string_view engine, std::string_view query) {
  return SearchAddressForShell(engine, query, SearchAddress(engine, query));
}

std::optional<std::string> SearchAddressForShell(std::string_view engine, std::string_view query,
                                                 const std::string& address) {
  if (IsWebName(engine.empty() ? query : engine)) return "http://" + address;
  if (engine.empty()) {
    if (StartsWithIgnoringAsciiCase(query, "http://") ||
        StartsWithIgnoringAsciiCase(query, "https://"))
      return address;
    return std::nullopt;
  }
  const auto scheme = SchemeOf(engine);
  // A local file is no search, whatever the query.
  if (!scheme || EqualsIgnoringAsciiCase(*scheme, "file")) return std::nullopt;
  return address;
}

std::optional<std::string> HomePageForShell(std::string_view home) {
  if (IsWebName(home)) return "http://" + std::string(home);
  if (SchemeOf(home)) return std::string(home);
  return std::nullopt;
}

void OpenSearchAddress(Platform& platform, WindowRole owner, std::string_view engine,
                       std::string_view query) {
  if (auto address = SearchAddressForShell(engine, query)) platform.OpenWithShell(owner, *address);
}

void OpenHomePage(Platform& platform, WindowRole owner, std::string_view home) {
  if (auto address = HomePageForShell(home)) platform.OpenWithShell(owner, *address);
}

}  // namespace velto
