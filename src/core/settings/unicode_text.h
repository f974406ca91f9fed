#pragma once
// Small UTF-8 / UTF-16 helpers of the core, free of any system header.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velto {

bool IsValidUtf8(std::string_view bytes);

// The character at pos, and pos moved past it; nullopt, and pos moved by one byte, where no
// well-formed UTF-8 sequence starts.
std::optional<char32_t> NextCharacter(std::string_view utf8, std::size_t& pos);

// Number of Unicode characters (code points) in valid UTF-8; invalid bytes count one each.
std::size_t CountCharacters(std::string_view utf8);

// Appends one code point (at most U+10FFFF, no surrogate) as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

// UTF-16 code units to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf8FromUtf16(std::u16string_view utf16);
std::u16string Utf16FromUtf8(std::string_view utf8);

}  // namespace velto
