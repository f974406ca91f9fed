#include <windows.h>

#include <climits>

#include "platform/ansi_codec.h"

// The active ANSI code page (932 on Japanese Windows) through the system's own conversions, so
// the program's files read and write exactly as the system's ANSI functions would.
namespace velto {
namespace {

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

std::wstring WideFrom(UINT code_page, std::string_view bytes) {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int length = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(code_page, 0, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), length, wide.data(), needed);
  return wide;
}

std::string BytesFrom(UINT code_page, const std::wstring& wide, DWORD flags = 0) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int needed =
      WideCharToMultiByte(code_page, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(code_page, flags, wide.data(), length, bytes.data(), needed, nullptr,
                      nullptr);
  return bytes;
}

}  // namespace

// Characters the code page lacks become its default character ("?"); malformed UTF-8 becomes
// U+FFFD first, which turns into "?" as well.
std::string AnsiFromUtf8(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return BytesFrom(CP_ACP, WideFrom(CP_UTF8, utf8), WC_NO_BEST_FIT_CHARS);
}

std::string Utf8FromAnsi(std::string_view ansi) {
  if (IsAscii(ansi)) return std::string(ansi);
  return BytesFrom(CP_UTF8, WideFrom(CP_ACP, ansi));
}

}  // namespace velto
