// The UTF-8 / UTF-16 helpers over arbitrary bytes, read both as UTF-8 and as UTF-16 code units.
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "settings/unicode_text.h"

namespace {

std::u16string WithLoneSurrogatesReplaced(std::u16string_view units) {
  std::u16string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    const bool high = u >= 0xD800 && u <= 0xDBFF;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      out += u;
      out += units[++i];
    } else {
      out += (u >= 0xD800 && u <= 0xDFFF) ? char16_t{0xFFFD} : u;
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using velto::fuzz::Check;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // As UTF-8.
  const std::u16string units = velto::Utf16FromUtf8(bytes);
  const std::string back = velto::Utf8FromUtf16(units);
  Check(velto::IsValidUtf8(back), "UTF-16 gives valid UTF-8", back);
  const bool valid = velto::IsValidUtf8(bytes);
  if (valid) {
    Check(back == bytes, "valid UTF-8 survives UTF-16", back, bytes);
    std::size_t pairs = 0;
    for (char16_t u : units) pairs += (u >= 0xDC00 && u <= 0xDFFF) ? 1 : 0;
    Check(velto::CountCharacters(bytes) == units.size() - pairs, "characters counted");
  } else {
    Check(back != bytes, "invalid UTF-8 is not reported valid after a round trip");
  }
  Check(velto::CountCharacters(bytes) <= size, "no more characters than bytes");

  // As UTF-16 code units (little-endian pairs).
  std::u16string raw;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    raw += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  }
  const std::string utf8 = velto::Utf8FromUtf16(raw);
  Check(velto::IsValidUtf8(utf8), "any code units give valid UTF-8", utf8);
  Check(velto::Utf16FromUtf8(utf8) == WithLoneSurrogatesReplaced(raw),
        "code units come back, lone surrogates as U+FFFD");
  return 0;
}
