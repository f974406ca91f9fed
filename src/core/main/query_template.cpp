#include "main/query_template.h"

namespace velto {
namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string PercentEncode(std::string_view utf8) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(utf8.size() * 3);
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsUnreserved(c)) {
      encoded += ch;
    } else {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0x0F];
    }
  }
  return encoded;
}

std::string SearchAddress(std::string_view engine, std::string_view query) {
  std::size_t at = engine.find(kQueryPlaceholder);
  if (at == std::string_view::npos) return std::string(engine) + std::string(query);
  const std::string encoded = PercentEncode(query);
  std::string address;
  std::size_t from = 0;
  for (; at != std::string_view::npos; at = engine.find(kQueryPlaceholder, from)) {
    address.append(engine.substr(from, at - from));
    address += encoded;
    from = at + kQueryPlaceholder.size();
  }
  address.append(engine.substr(from));
  return address;
}

}  // namespace velto
