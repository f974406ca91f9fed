#pragma once
// What velto.ini and log.txt can hold: both stay in the ANSI code page (Shift-JIS), so a
// character the code page lacks would come back as "?". Nothing is stored that way: an address
// keeps such characters as percent escapes, any other text is refused or left unstored.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ports/text_codec.h"

namespace velto {

// The first character of the text the code page cannot hold exactly; U+FFFD for a byte that
// starts no UTF-8 character. nullopt when the whole text can be stored as it is.
std::optional<char32_t> FirstUnstorableCharacter(const TextCodec& codec, std::string_view utf8);

// True when the text reads back from the settings file or the log exactly as written.
bool IsStorableText(const TextCodec& codec, std::string_view utf8);

// "U+1F600": how messages name a character.
std::string CharacterCode(char32_t character);

// The address in a form the code page holds exactly: each character it lacks becomes the
// percent escapes of its UTF-8 bytes ("Spécial" becomes "Sp%C3%A9cial"), which every browser
// takes as the same address. Characters the code page has, "%" and a query template's "%s"
// stay as they are.
std::string StorableAddress(const TextCodec& codec, std::string_view address);

// The keys of [SearchData] that hold addresses; each is indexed by engine slot.
inline constexpr std::array<std::string_view, 3> kAddressKeyNames{"SearchHome", "SearchEngn",
                                                                  "SuggestEngn"};

// True for a key that holds an address ("SearchEngn(3)" in [SearchData], in any case).
bool IsAddressSetting(std::string_view section, std::string_view key);

}  // namespace velto
