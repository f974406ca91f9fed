#pragma once
// CP932 over iconv, the code page of the settings file, the log and dropped files on Linux.
#include "ports/text_codec.h"

namespace velto {

class IconvTextCodec final : public TextCodec {
 public:
  std::string AnsiFromUtf8(std::string_view utf8) const override;
  std::string Utf8FromAnsi(std::string_view ansi) const override;
  bool AnsiHoldsExactly(std::string_view utf8) const override;
  std::optional<std::string> EncodeExactly(std::string_view utf8, CharacterSet set) const override;
};

}  // namespace velto
