#include "main/shell_address.h"

#include <algorithm>

namespace velto {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
    auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return lower(a) == lower(b);
  });
}

}  // namespace

std::optional<std::string> WebAddressForShell(std::string_view address) {
  if (StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://"))
    return std::string(address);
  if (StartsWithNoCase(address, "www.")) return "http://" + std::string(address);
  return std::nullopt;
}

void OpenWebAddress(Platform& platform, WindowRole owner, std::string_view address) {
  if (auto web = WebAddressForShell(address)) platform.OpenWithShell(owner, *web);
}

}  // namespace velto
