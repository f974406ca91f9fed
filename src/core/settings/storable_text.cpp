#include "settings/storable_text.h"

#include "settings/ascii_text.h"
#include "settings/settings_keys.h"
#include "settings/unicode_text.h"

namespace velto {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

bool IsStorableText(const TextCodec& codec, std::string_view utf8) {
  return codec.AnsiHoldsExactly(utf8);
}

std::optional<char32_t> FirstUnstorableCharacter(const TextCodec& codec, std::string_view utf8) {
  if (codec.AnsiHoldsExactly(utf8)) return std::nullopt;
  // The code page has no shifting state: a character is held or not wherever it stands.
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t start = pos;
    const std::optional<char32_t> character = NextCharacter(utf8, pos);
    if (!character) return kReplacement;
    if (*character >= 0x80 && !codec.AnsiHoldsExactly(utf8.substr(start, pos - start)))
      return *character;
  }
  return kReplacement;  // held one by one, not together: cannot happen in a stateless code page
}

std::string CharacterCode(char32_t character) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string digits;
  for (char32_t rest = character; rest != 0 || digits.size() < 4; rest >>= 4)
    digits.insert(digits.begin(), kDigits[rest & 0xF]);
  return "U+" + digits;
}

std::string StorableAddress(const TextCodec& codec, std::string_view address) {
  if (codec.AnsiHoldsExactly(address)) return std::string(address);
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string out;
  for (std::size_t pos = 0; pos < address.size();) {
    const std::size_t start = pos;
    const std::optional<char32_t> character = NextCharacter(address, pos);
    const std::string_view bytes = address.substr(start, pos - start);
    if (character && (*character < 0x80 || codec.AnsiHoldsExactly(bytes))) {
      out += bytes;
      continue;
    }
    for (const char c : bytes) {
      const auto byte = static_cast<unsigned char>(c);
      out += '%';
      out += kDigits[byte >> 4];
      out += kDigits[byte & 0xF];
    }
  }
  return out;
}

bool IsAddressSetting(std::string_view section, std::string_view key) {
  if (!EqualsIgnoringAsciiCase(TrimBlanks(section), kSearchDataSection)) return false;
  const std::string_view name = TrimBlanks(key);
  for (const std::string_view address_key : kAddressKeyNames) {
    if (name.size() > address_key.size() + 1 &&
        EqualsIgnoringAsciiCase(name.substr(0, address_key.size()), address_key) &&
        name[address_key.size()] == '(' && name.back() == ')')
      return true;
  }
  return false;
}

}  // namespace velto
