#include "main/engine_keyword.h"

#include "settings/ascii_text.h"
#include "settings/storable_text.h"
#include "settings/unicode_text.h"

namespace velto {

namespace {

constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";  // U+3000 in UTF-8

// The length of the blank at the start of text, or 0 when there is none.
std::size_t BlankLength(std::string_view text) {
  if (!text.empty() && text.front() == ' ') return 1;
  if (text.starts_with(kFullWidthSpace)) return kFullWidthSpace.size();
  return 0;
}

// A character as keywords compare it: full-width Latin letters and digits (what an input method
// left in full-width mode types) as their ASCII forms, ASCII letters in lower case.
char32_t KeywordFold(char32_t c) {
  const bool full_width_alnum = (c >= U'\uFF10' && c <= U'\uFF19') ||
                                (c >= U'\uFF21' && c <= U'\uFF3A') ||
                                (c >= U'\uFF41' && c <= U'\uFF5A');
  if (full_width_alnum) c = c - U'\uFF01' + U'!';
  return AsciiLower(c);
}

// The next character of text at pos, folded; a byte that starts no character stands for itself.
char32_t NextFolded(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  const auto c = NextCharacter(text, pos);
  return c ? KeywordFold(*c) : 0x110000 + static_cast<unsigned char>(text[start]);
}

// The length of text's start that is keyword, compared folded; nullopt when it is not there.
std::optional<std::size_t> FoldedPrefixLength(std::string_view text, std::string_view keyword) {
  std::size_t t = 0;
  std::size_t k = 0;
  while (k < keyword.size()) {
    if (t >= text.size() || NextFolded(text, t) != NextFolded(keyword, k)) return std::nullopt;
  }
  return t;
}

}  // namespace

std::optional<KeywordMatch> MatchEngineKeyword(const SettingsModel& model, std::string_view text) {
  for (int slot = 0; slot < kEditableEngineSlots; ++slot) {
    const std::string& keyword = model.SearchKey[static_cast<std::size_t>(slot)];
    if (keyword.empty() || !IsValidEngineKeyword(keyword)) continue;
    const auto length = FoldedPrefixLength(text, keyword);
    if (!length) continue;
    const std::string_view after = text.substr(*length);
    const std::size_t blank = BlankLength(after);
    if (blank == 0) continue;
    return KeywordMatch{slot, std::string(after.substr(blank))};
  }
  return std::nullopt;
}

bool IsValidEngineKeyword(std::string_view keyword) {
  if (keyword.find(kFullWidthSpace) != std::string_view::npos) return false;
  for (const char c : keyword) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7F) return false;
  }
  return true;
}

std::optional<int> SlotWithKeyword(const SettingsModel& model, std::string_view keyword,
                                   int except) {
  if (keyword.empty()) return std::nullopt;
  for (int slot = 0; slot < kEditableEngineSlots; ++slot) {
    if (slot == except) continue;
    const std::string_view other = model.SearchKey[static_cast<std::size_t>(slot)];
    if (FoldedPrefixLength(other, keyword) == other.size()) return slot;
  }
  return std::nullopt;
}

std::optional<KeywordRefusal> RefuseEngineKeyword(const TextCodec& codec,
                                                  const SettingsModel& model, int slot,
                                                  std::string_view keyword) {
  using Reason = KeywordRefusal::Reason;
  if (!IsValidEngineKeyword(keyword)) return KeywordRefusal{Reason::NotOneWord};
  if (const auto character = FirstUnstorableCharacter(codec, keyword))
    return KeywordRefusal{Reason::Unstorable, *character};
  if (const auto owner = SlotWithKeyword(model, keyword, slot))
    return KeywordRefusal{Reason::InUse, 0, *owner};
  return std::nullopt;
}

}  // namespace velto
