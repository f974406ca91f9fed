#pragma once
// The address a search opens. An engine address that holds "%s" is a template: each "%s"
// becomes the query, UTF-8 and percent-encoded, so that "C++", "AT&T" or "C#" reach the
// engine whole. Any other engine address is a prefix the query is appended to as typed, so
// every stored settings file keeps its meaning ("%s" is never a valid percent escape).
#include <string>
#include <string_view>

namespace velto {

inline constexpr std::string_view kQueryPlaceholder = "%s";

// Every byte except A-Z a-z 0-9 - . _ ~ as %XX (upper-case hex); a blank is %20.
std::string PercentEncode(std::string_view utf8);

// The engine address with the query put in: each "%s" replaced by the encoded query, or,
// without "%s", the query appended unchanged.
std::string SearchAddress(std::string_view engine, std::string_view query);

}  // namespace velto
