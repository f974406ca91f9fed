#pragma once
// File names between the core's UTF-8 text and FilePath, without the library's narrow-text
// conversions: on Windows those go through the ANSI code page, not UTF-8, and through the
// locale machinery, which alone would make the static program several times its size.
#include <string>
#include <string_view>

#include "settings/file_path.h"

namespace velto {

// UTF-8 text as a path: the bytes as they are on Linux, UTF-16 on Windows.
FilePath FilePathFromUtf8(std::string_view utf8);
// The path as UTF-8 text: the bytes as they are on Linux, from UTF-16 on Windows.
std::string Utf8FromFilePath(const FilePath& path);

}  // namespace velto
