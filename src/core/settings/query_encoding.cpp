#include "settings/query_encoding.h"

#include "settings/ascii_text.h"

namespace velto {

std::optional<std::optional<CharacterSet>> ReadEncodingName(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty() || EqualsIgnoringAsciiCase(text, kEncodingNames[0]))
    return std::optional<CharacterSet>();
  if (EqualsIgnoringAsciiCase(text, kEncodingNames[1])) return CharacterSet::ShiftJis;
  if (EqualsIgnoringAsciiCase(text, kEncodingNames[2])) return CharacterSet::EucJp;
  return std::nullopt;
}

std::optional<bool> ReadBlankName(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty() || text == kBlankNames[0]) return false;
  if (text == kBlankNames[1]) return true;
  return std::nullopt;
}

std::string_view EncodingName(std::optional<CharacterSet> set) {
  if (!set) return kEncodingNames[0];
  return *set == CharacterSet::ShiftJis ? kEncodingNames[1] : kEncodingNames[2];
}

}  // namespace velto
