#pragma once
// The address a search opens. An engine address that holds "%s" is a template: each "%s"
// becomes the query, UTF-8 and percent-encoded, so that "C++", "AT&T" or "C#" reach the
// engine whole. Any other engine address is a prefix the query is appended to as typed, so
// every stored settings file keeps its meaning ("%s" is never a valid percent escape).
#include <optional>
#include <string>
#include <string_view>

#include "ports/text_codec.h"
#include "settings/query_encoding.h"

namespace velto {

inline constexpr std::string_view kQueryPlaceholder = "%s";

// Every byte except A-Z a-z 0-9 - . _ ~ as %XX (upper-case hex); a blank is %20.
std::string PercentEncode(std::string_view utf8);

// The engine address with the query put in: each "%s" replaced by the encoded query, or,
// without "%s", the query appended unchanged.
std::string SearchAddress(std::string_view engine, std::string_view query);

// The query in the engine's character set, percent-encoded, a blank as "+" when asked (and a
// "+" of the query as "%2B", as always); or the first character the set cannot hold.
// Shift_JIS and EUC-JP each have one wave dash: "〜" (U+301C) and "～" (U+FF5E) both become it.
// EUC-JP is its two-byte set and half-width kana; the JIS X 0212 plane is refused.
struct EncodedQuery {
  std::string text;
  std::optional<char32_t> refused;
};
EncodedQuery EncodeQuery(std::string_view utf8, const QueryEncoding& encoding,
                         const TextCodec& codec);

// SearchAddress with the engine's encoding for a template; a prefix still gets the query as
// typed. The refused character when the query cannot be put into the template.
struct EncodedAddress {
  std::string address;
  std::optional<char32_t> refused;
};
EncodedAddress SearchAddress(std::string_view engine, std::string_view query,
                             const QueryEncoding& encoding, const TextCodec& codec);

}  // namespace velto
