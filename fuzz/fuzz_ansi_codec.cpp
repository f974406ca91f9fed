// The CP932 codec both ways over arbitrary bytes: decoding always gives valid UTF-8, and text
// once encoded survives a further decode and encode unchanged (what the settings file relies on).
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"
#include "settings/unicode_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using velto::fuzz::Check;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string decoded = velto::IconvTextCodec().Utf8FromAnsi(bytes);
  Check(velto::IsValidUtf8(decoded), "CP932 decodes to valid UTF-8", decoded);

  const std::string encoded = velto::IconvTextCodec().AnsiFromUtf8(bytes);
  const std::string again =
      velto::IconvTextCodec().AnsiFromUtf8(velto::IconvTextCodec().Utf8FromAnsi(encoded));
  Check(again == encoded, "encoded text survives decode and encode", again, encoded);

  if (velto::IsValidUtf8(bytes)) {
    // Every character becomes something: "?" at worst, never nothing.
    Check(velto::CountCharacters(velto::IconvTextCodec().Utf8FromAnsi(encoded)) ==
              velto::CountCharacters(bytes),
          "one character out for each character in", velto::IconvTextCodec().Utf8FromAnsi(encoded),
          bytes);
  }
  return 0;
}
