#pragma once
// Conversion between the core's UTF-8 text and the system's ANSI code page: Shift-JIS (CP932)
// on Linux always, the active code page on Windows. Used for the settings file, the log and
// dropped text files. Implemented once per platform (iconv / Win32 conversion functions).
#include <optional>
#include <string>
#include <string_view>

namespace velto {

// The character sets a search engine may expect its queries in, besides UTF-8.
enum class CharacterSet {
  ShiftJis,  // code page 932: JIS X 0208, half-width kana and the NEC and IBM extensions
  EucJp,     // JIS X 0208 and half-width kana in EUC form
};

class TextCodec {
 public:
  virtual ~TextCodec() = default;

  // Text that cannot be represented in the code page becomes "?" for each such character,
  // as the Windows conversion functions do.
  virtual std::string AnsiFromUtf8(std::string_view utf8) const = 0;

  // Bytes that are not valid in the code page become U+FFFD (or the system's own replacement).
  virtual std::string Utf8FromAnsi(std::string_view ansi) const = 0;

  // True when the text goes into the code page and comes back unchanged: no character becomes
  // "?" or a look-alike (a best-fit mapping is no exact one). Text that is not UTF-8 is never
  // exact.
  virtual bool AnsiHoldsExactly(std::string_view utf8) const = 0;

  // The text in the character set, or nullopt when any character has no exact place in it:
  // nothing becomes "?" or a look-alike, and the bytes must read back as the same text. Text
  // that is not UTF-8 is refused as well.
  virtual std::optional<std::string> EncodeExactly(std::string_view utf8,
                                                   CharacterSet set) const = 0;
};

}  // namespace velto
