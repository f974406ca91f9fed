#include <windows.h>

#include <climits>

#include "platform/win32/win32_text_codec.h"

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
std::string Win32TextCodec::AnsiFromUtf8(std::string_view utf8) const {
  if (IsAscii(utf8)) return std::string(utf8);
  return BytesFrom(CP_ACP, WideFrom(CP_UTF8, utf8), WC_NO_BEST_FIT_CHARS);
}

std::string Win32TextCodec::Utf8FromAnsi(std::string_view ansi) const {
  if (IsAscii(ansi)) return std::string(ansi);
  return BytesFrom(CP_UTF8, WideFrom(CP_ACP, ansi));
}

bool Win32TextCodec::AnsiHoldsExactly(std::string_view utf8) const {
  if (IsAscii(utf8)) return true;
  if (utf8.size() > INT_MAX) return false;
  const int length = static_cast<int>(utf8.size());
  const int units =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
  if (units <= 0) return false;  // not UTF-8
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), units);
  // The system refuses the default-character report for a UTF-8 ANSI code page; the round trip
  // below decides alone there.
  const UINT code_page = GetACP();
  const bool utf8_code_page = code_page == CP_UTF8;
  BOOL used_default = FALSE;
  const int needed =
      WideCharToMultiByte(CP_ACP, utf8_code_page ? 0 : WC_NO_BEST_FIT_CHARS, wide.data(), units,
                          nullptr, 0, nullptr, utf8_code_page ? nullptr : &used_default);
  if (needed <= 0 || used_default) return false;
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, utf8_code_page ? 0 : WC_NO_BEST_FIT_CHARS, wide.data(), units,
                      bytes.data(), needed, nullptr, nullptr);
  return WideFrom(CP_ACP, bytes) == wide;
}

// EUC-JP is code page 20932: the system's converters refuse 51932 (ERROR_INVALID_PARAMETER
// under Wine; on Windows only MLang knows it). 20932 writes JIS X 0212 characters in a form of
// its own, which the core refuses for both builds alike.
std::optional<std::string> Win32TextCodec::EncodeExactly(std::string_view utf8,
                                                         CharacterSet set) const {
  const UINT code_page = set == CharacterSet::ShiftJis ? 932 : 20932;
  if (utf8.empty()) return std::string();
  if (utf8.size() > INT_MAX) return std::nullopt;
  const int length = static_cast<int>(utf8.size());
  const int units =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
  if (units <= 0) return std::nullopt;  // not UTF-8
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), units);
  BOOL used_default = FALSE;
  const int needed = WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide.data(), units,
                                         nullptr, 0, nullptr, &used_default);
  if (needed <= 0 || used_default) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide.data(), units, bytes.data(), needed,
                      nullptr, &used_default);
  if (used_default || WideFrom(code_page, bytes) != wide) return std::nullopt;
  return bytes;
}

}  // namespace velto
