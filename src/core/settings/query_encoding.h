#pragma once
// How an engine wants its query: SearchEncoding(n) names the character set of a template's
// "%s" (empty or "UTF-8": UTF-8), SearchSpace(n) the form of a blank ("%20" or "+"). Names
// are read without regard to case, blanks around them ignored.
#include <array>
#include <optional>
#include <string_view>

#include "ports/text_codec.h"

namespace velto {

struct QueryEncoding {
  std::optional<CharacterSet> set;  // none: UTF-8
  bool plus_for_blanks = false;

  bool operator==(const QueryEncoding&) const = default;
};

// The names as written and offered, in the order the dialog lists them.
inline constexpr std::array<std::string_view, 3> kEncodingNames{"UTF-8", "Shift_JIS", "EUC-JP"};
inline constexpr std::array<std::string_view, 2> kBlankNames{"%20", "+"};

// The character set a SearchEncoding text names; nullopt for a name the program does not know.
// The outer optional is whether the name is known, the inner one the set (none: UTF-8).
std::optional<std::optional<CharacterSet>> ReadEncodingName(std::string_view text);
// Whether a SearchSpace text asks for "+"; nullopt for a text that is neither "%20" nor "+"
// (the empty text is "%20").
std::optional<bool> ReadBlankName(std::string_view text);

// The stored name of a set, as kEncodingNames spells it.
std::string_view EncodingName(std::optional<CharacterSet> set);

}  // namespace velto
