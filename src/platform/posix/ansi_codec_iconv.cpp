#include <iconv.h>

#include <cerrno>
#include <utility>

#include "platform/posix/iconv_text_codec.h"

// The settings file, the log and dropped files are CP932 on Linux too, so files move between
// the Windows and the Linux build unchanged.
namespace velto {
namespace {

constexpr const char* kAnsi = "CP932";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// Owns one conversion descriptor; each conversion opens its own, so nothing is shared.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts the input; calls on_bad(out, rest) where a character cannot be converted, which
  // returns how many input bytes to skip.
  template <typename OnBad>
  std::string Convert(std::string_view input, OnBad on_bad) {
    std::string out;
    out.reserve(input.size() * 3 / 2 + 16);
    char* in_ptr = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    char buffer[4096];
    while (in_left > 0) {
      char* out_ptr = buffer;
      std::size_t out_left = sizeof buffer;
      const std::size_t result = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left);
      const int error = errno;
      out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
      if (result != static_cast<std::size_t>(-1)) break;
      if (error == E2BIG) continue;
      // EILSEQ, or EINVAL for a sequence cut off at the end.
      std::size_t skip = on_bad(out, std::string_view(in_ptr, in_left));
      if (skip == 0 || skip > in_left) skip = in_left;
      in_ptr += skip;
      in_left -= skip;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    }
    return out;
  }

 private:
  iconv_t cd_;
};

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Length of the UTF-8 character at the start of rest, or 1 for a stray byte.
std::size_t Utf8CharLength(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest.front());
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (length > rest.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

}  // namespace

std::string IconvTextCodec::AnsiFromUtf8(std::string_view utf8) const {
  if (IsAscii(utf8)) return std::string(utf8);  // CP932 keeps ASCII as it is
  Converter converter(kAnsi, "UTF-8");
  if (!converter.ok()) return std::string(utf8);
  return converter.Convert(utf8, [](std::string& out, std::string_view rest) {
    out += '?';
    return Utf8CharLength(rest);
  });
}

std::string IconvTextCodec::Utf8FromAnsi(std::string_view ansi) const {
  if (IsAscii(ansi)) return std::string(ansi);
  Converter converter("UTF-8", kAnsi);
  if (!converter.ok()) return std::string(ansi);
  return converter.Convert(ansi, [](std::string& out, std::string_view) {
    out += kReplacementUtf8;
    return std::size_t{1};
  });
}

bool IconvTextCodec::AnsiHoldsExactly(std::string_view utf8) const {
  if (IsAscii(utf8)) return true;
  bool exact = true;
  const auto refuse = [&exact](std::string&, std::string_view) {
    exact = false;
    return std::size_t{0};  // skips the rest: the answer is known
  };
  Converter to_ansi(kAnsi, "UTF-8");
  if (!to_ansi.ok()) return false;
  const std::string ansi = to_ansi.Convert(utf8, refuse);
  if (!exact) return false;
  // Some characters map one way only (U+301C WAVE DASH becomes the code page's U+FF5E).
  Converter back("UTF-8", kAnsi);
  if (!back.ok()) return false;
  const std::string again = back.Convert(ansi, refuse);
  return exact && again == utf8;
}

// iconv's own names: "CP932" is Shift_JIS with the Windows extensions, which plain "SHIFT_JIS"
// lacks. No "//TRANSLIT": a character the set lacks must fail, not become a look-alike.
std::optional<std::string> IconvTextCodec::EncodeExactly(std::string_view utf8,
                                                         CharacterSet set) const {
  const char* name = set == CharacterSet::ShiftJis ? "CP932" : "EUC-JP";
  bool exact = true;
  const auto refuse = [&exact](std::string&, std::string_view) {
    exact = false;
    return std::size_t{0};
  };
  Converter there(name, "UTF-8");
  if (!there.ok()) return std::nullopt;
  std::string bytes = there.Convert(utf8, refuse);
  if (!exact) return std::nullopt;
  // One-way mappings (U+301C to CP932's wave dash, which reads back as U+FF5E) are no exact
  // place for the character.
  Converter back("UTF-8", name);
  if (!back.ok()) return std::nullopt;
  const std::string again = back.Convert(bytes, refuse);
  if (!exact || again != utf8) return std::nullopt;
  return bytes;
}

}  // namespace velto
