#pragma once
// A failed property in a fuzz target: print what differed and abort, so libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace velto::fuzz {

// Bytes outside printable ASCII as \xNN, so line breaks and blanks show.
inline void PrintEscaped(std::string_view label, std::string_view bytes) {
  std::fprintf(stderr, "  %.*s [", static_cast<int>(label.size()), label.data());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && b != '\\')
      std::fputc(b, stderr);
    else
      std::fprintf(stderr, "\\x%02X", b);
  }
  std::fprintf(stderr, "]\n");
}

[[noreturn]] inline void Fail(const char* what, std::string_view got = {},
                              std::string_view want = {}) {
  std::fprintf(stderr, "property failed: %s\n", what);
  PrintEscaped("got: ", got);
  PrintEscaped("want:", want);
  std::abort();
}

inline void Check(bool condition, const char* what, std::string_view got = {},
                  std::string_view want = {}) {
  if (!condition) Fail(what, got, want);
}

}  // namespace velto::fuzz
