#include "main/engine_keyword.h"

#include "settings/ascii_text.h"
#include "settings/storable_text.h"

namespace velto {

namespace {

constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";  // U+3000 in UTF-8

// The length of the blank at the start of text, or 0 when there is none.
std::size_t BlankLength(std::string_view text) {
  if (!text.empty() && text.front() == ' ') return 1;
  if (text.starts_with(kFullWidthSpace)) return kFullWidthSpace.size();
  return 0;
}

}  // namespace

std::optional<KeywordMatch> MatchEngineKeyword(const SettingsModel& model, std::string_view text) {
  for (int slot = 0; slot < kEditableEngineSlots; ++slot) {
    const std::string& keyword = model.SearchKey[static_cast<std::size_t>(slot)];
    if (keyword.empty() || !IsValidEngineKeyword(keyword)) continue;
    if (!StartsWithIgnoringAsciiCase(text, keyword)) continue;
    const std::string_view after = text.substr(keyword.size());
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
    if (slot != except &&
        EqualsIgnoringAsciiCase(model.SearchKey[static_cast<std::size_t>(slot)], keyword))
      return slot;
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
