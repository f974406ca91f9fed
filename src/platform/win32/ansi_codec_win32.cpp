#include "platform/ansi_codec.h"
// Placeholder; replaced by the Win32 codec.
namespace velto {
std::string AnsiFromUtf8(std::string_view utf8) { return std::string(utf8); }
std::string Utf8FromAnsi(std::string_view ansi) { return std::string(ansi); }
}  // namespace velto
