#include "settings/path_text.h"

#include "settings/file_path.h"
#include "settings/unicode_text.h"

namespace velto {

using Native = FilePath::string_type;

FilePath FilePathFromUtf8(std::string_view utf8) {
#ifdef _WIN32
  const std::u16string units = Utf16FromUtf8(utf8);
  return FilePath(Native(units.begin(), units.end()));
#else
  return FilePath(Native(utf8));
#endif
}

std::string Utf8FromFilePath(const FilePath& path) {
#ifdef _WIN32
  const Native& native = path.native();
  return Utf8FromUtf16(std::u16string(native.begin(), native.end()));
#else
  return path.native();
#endif
}

}  // namespace velto
