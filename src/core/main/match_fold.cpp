#include "main/match_fold.h"

#include <array>
#include <cstdint>
#include <optional>

#include "settings/unicode_text.h"

namespace velto {
namespace {

constexpr char32_t kVoicedMark = 0x3099;      // combining katakana-hiragana voiced sound mark
constexpr char32_t kSemiVoicedMark = 0x309A;  // combining semi-voiced sound mark

// Half-width katakana U+FF61 to U+FF9F as their full-width characters; the two marks become
// the combining ones, to be joined to the kana before them.
constexpr std::array<char16_t, 0x3F> kHalfWidthKana = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2,      0x30A1,          0x30A3,  // ｡｢｣､･ｦｧｨ
    0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7,      0x30C3,          0x30FC,  // ｩｪｫｬｭｮｯｰ
    0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,      0x30AD,          0x30AF,  // ｱｲｳｴｵｶｷｸ
    0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB,      0x30BD,          0x30BF,  // ｹｺｻｼｽｾｿﾀ
    0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB,      0x30CC,          0x30CD,  // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB,      0x30DE,          0x30DF,  // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8,      0x30E9,          0x30EA,  // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, kVoicedMark, kSemiVoicedMark,  // ﾙﾚﾛﾜﾝﾞﾟ
};

// U+FFE0 to U+FFE6: ￠￡￢￣￤￥￦ as ¢£¬¯¦¥₩.
constexpr std::array<char16_t, 7> kFullWidthSigns = {0x00A2, 0x00A3, 0x00AC, 0x00AF,
                                                     0x00A6, 0x00A5, 0x20A9};

char32_t LowerLatin(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : c + 0x20;  // À..Þ, not ×
  if (c < 0x100 || c > 0x17F) return c;
  if (c == 0x178) return 0xFF;  // Ÿ
  // Latin Extended-A pairs its letters upper then lower, from an even code point up to U+0137
  // and from U+014A, from an odd one in between and after U+0178. U+0130, U+0131, U+0138 and
  // U+0149 have no partner here.
  const bool odd_pairs = (c >= 0x139 && c <= 0x148) || c >= 0x179;
  if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
  const bool upper = odd_pairs ? (c % 2 == 1) : (c % 2 == 0);
  return upper ? c + 1 : c;
}

char32_t NarrowForm(char32_t c) {
  if (c == 0x3000) return ' ';
  if (c >= 0xFF01 && c <= 0xFF5E) return c - 0xFF01 + 0x21;
  if (c >= 0xFF61 && c <= 0xFF9F) return kHalfWidthKana[c - 0xFF61];
  if (c >= 0xFFE0 && c <= 0xFFE6) return kFullWidthSigns[c - 0xFFE0];
  return c;
}

// The kana with the mark, when the pair has a precomposed character: the voiced form of a
// ka-, sa-, ta- or ha-row kana follows it, the semi-voiced form of a ha-row kana comes two
// after it; U+30A6 (ウ) and U+3046 (う) have theirs apart.
std::optional<char32_t> JoinMark(char32_t kana, char32_t mark) {
  if (kana == 0x30A6 && mark == kVoicedMark) return 0x30F4;
  if (kana == 0x3046 && mark == kVoicedMark) return 0x3094;
  // The hiragana rows lie 0x60 below the katakana ones.
  const char32_t base = (kana >= 0x304B && kana <= 0x307B) ? kana + 0x60 : kana;
  const int offset = mark == kVoicedMark ? 1 : 2;
  const bool voiceable = (base >= 0x30AB && base <= 0x30C2 && base % 2 == 1) || base == 0x30C4 ||
                         base == 0x30C6 || base == 0x30C8;
  const bool ha_row = base >= 0x30CF && base <= 0x30DB && (base - 0x30CF) % 3 == 0;
  if ((mark == kVoicedMark && (voiceable || ha_row)) || (mark == kSemiVoicedMark && ha_row))
    return kana + static_cast<char32_t>(offset);
  return std::nullopt;
}

}  // namespace

std::string FoldForMatch(std::string_view utf8) {
  std::string folded;
  folded.reserve(utf8.size());
  // The last character is held back until the next one shows whether a mark joins it.
  std::optional<char32_t> held;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const unsigned char byte = static_cast<unsigned char>(utf8[pos]);
    char32_t c;
    if (byte < 0x80) {
      // Most texts are mostly ASCII: no decoding.
      ++pos;
      c = byte;
    } else {
      c = NextCharacter(utf8, pos).value_or(0xFFFD);
    }
    if (c == '\r' || c == '\n') c = ' ';
    c = LowerLatin(NarrowForm(c));
    if (held && (c == kVoicedMark || c == kSemiVoicedMark)) {
      if (const auto joined = JoinMark(*held, c)) {
        held = *joined;
        continue;
      }
    }
    if (held) AppendUtf8(folded, *held);
    held = c;
  }
  if (held) AppendUtf8(folded, *held);
  return folded;
}

}  // namespace velto
