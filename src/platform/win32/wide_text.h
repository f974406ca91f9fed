#pragma once
// UTF-8 (the core's text) to and from UTF-16 (the Win32 "W" functions).
#include <string>
#include <string_view>

namespace velto::win32 {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace velto::win32
