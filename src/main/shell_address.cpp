#include "main/shell_address.h"

#include <algorithm>

#include "main/query_template.h"

namespace velto {
namespace {

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithNoCase(a, b);
}

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
  return StartsWithNoCase(address, "www.");
}

}  // namespace

std::optional<std::string> SearchAddressForShell(std::string_view engine, std::string_view query) {
  const std::string address = SearchAddress(engine, query);
  if (IsWebName(engine.empty() ? query : engine)) return "http://" + address;
  if (engine.empty()) {
    if (StartsWithNoCase(query, "http://") || StartsWithNoCase(query, "https://")) return address;
    return std::nullopt;
  }
  const auto scheme = SchemeOf(engine);
  // A local file is no search, whatever the query.
  if (!scheme || EqualsNoCase(*scheme, "file")) return std::nullopt;
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
