#include "main/query_template.h"

#include "settings/unicode_text.h"

namespace velto {
namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

// Each code page knows its wave dash under one of the two code points, and the two systems do
// not agree which: the other one is tried when the first has no place.
std::optional<std::string_view> OtherWaveDash(char32_t character) {
  if (character == 0x301C) return "\xEF\xBD\x9E";  // U+FF5E
  if (character == 0xFF5E) return "\xE3\x80\x9C";  // U+301C
  return std::nullopt;
}

// EUC-JP as sites read it: ASCII, two bytes of A1..FE, or 8E before a half-width kana. The
// Windows code page writes JIS X 0212 characters in a form of its own, and the three-byte 8F
// form is rare on the web: neither is sent.
bool IsTwoByteEucJp(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    if (i + 1 >= bytes.size()) return false;
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    const bool kana = lead == 0x8E && trail >= 0xA1 && trail <= 0xDF;
    const bool two_byte = lead >= 0xA1 && lead <= 0xFE && trail >= 0xA1 && trail <= 0xFE;
    if (!kana && !two_byte) return false;
    i += 2;
  }
  return true;
}

std::optional<std::string> EncodeExactlyIn(const TextCodec& codec, std::string_view utf8,
                                           CharacterSet set) {
  auto bytes = codec.EncodeExactly(utf8, set);
  if (bytes && set == CharacterSet::EucJp && !IsTwoByteEucJp(*bytes)) return std::nullopt;
  return bytes;
}

std::optional<std::string> EncodeCharacter(const TextCodec& codec, std::string_view utf8,
                                           char32_t character, CharacterSet set) {
  if (auto bytes = EncodeExactlyIn(codec, utf8, set)) return bytes;
  // iconv has U+FF5E in EUC-JP too, as the JIS X 0212 tilde, which is not the wave dash.
  if (const auto other = OtherWaveDash(character)) return EncodeExactlyIn(codec, *other, set);
  return std::nullopt;
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

EncodedQuery EncodeQuery(std::string_view utf8, const QueryEncoding& encoding,
                         const TextCodec& codec) {
  std::string bytes;
  if (!encoding.set) {
    bytes = utf8;
  } else {
    // Character by character: the refused one can then be named, and the wave dash tried in
    // both forms. Both sets have no shifting state, so the pieces join up.
    for (std::size_t pos = 0; pos < utf8.size();) {
      const std::size_t start = pos;
      const std::optional<char32_t> character = NextCharacter(utf8, pos);
      if (!character) return {{}, 0xFFFD};
      const std::string_view piece = utf8.substr(start, pos - start);
      if (*character < 0x80) {
        bytes += piece;
        continue;
      }
      const auto encoded = EncodeCharacter(codec, piece, *character, *encoding.set);
      if (!encoded) return {{}, *character};
      bytes += *encoded;
    }
  }
  std::string text = PercentEncode(bytes);
  if (encoding.plus_for_blanks) {
    std::string plus;
    for (std::size_t at = 0; at < text.size(); ++at) {
      if (text.compare(at, 3, "%20") == 0) {
        plus += '+';
        at += 2;
      } else {
        plus += text[at];
      }
    }
    text = std::move(plus);
  }
  return {std::move(text), std::nullopt};
}

EncodedAddress SearchAddress(std::string_view engine, std::string_view query,
                             const QueryEncoding& encoding, const TextCodec& codec) {
  if (engine.find(kQueryPlaceholder) == std::string_view::npos)
    return {SearchAddress(engine, query), std::nullopt};
  EncodedQuery encoded = EncodeQuery(query, encoding, codec);
  if (encoded.refused) return {{}, encoded.refused};
  std::string address;
  std::size_t from = 0;
  for (std::size_t at = engine.find(kQueryPlaceholder); at != std::string_view::npos;
       at = engine.find(kQueryPlaceholder, from)) {
    address.append(engine.substr(from, at - from));
    address += encoded.text;
    from = at + kQueryPlaceholder.size();
  }
  address.append(engine.substr(from));
  return {std::move(address), std::nullopt};
}

}  // namespace velto
