#pragma once
// The system's active ANSI code page over the Win32 conversion functions.
#include "ports/text_codec.h"

namespace velto {

class Win32TextCodec final : public TextCodec {
 public:
  std::string AnsiFromUtf8(std::string_view utf8) const override;
  std::string Utf8FromAnsi(std::string_view ansi) const override;
  bool AnsiHoldsExactly(std::string_view utf8) const override;
  std::optional<std::string> EncodeExactly(std::string_view utf8, CharacterSet set) const override;
};

}  // namespace velto
