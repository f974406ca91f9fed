#pragma once
// The private-profile (INI) file: read one value, write one value, keeping every other line of
// the file byte for byte. Works on the file's own bytes (the ANSI code page); callers convert.
//
// Rules, as the Windows private-profile functions have them for the calls the program makes:
// section and key names match case-insensitively (ASCII) with blanks around them ignored; a
// section name ends at the first "]"; the first matching section and key win; lines end at CR,
// LF or CRLF; blank lines and lines starting with ";" are not keys; a value is the text after
// the first "=", blanks around it dropped, then one pair of matching outer quotes dropped.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velto {

// Pure functions over the file's content, shared by the file class, the tests and the fuzzers.
std::optional<std::string> ProfileLookup(std::string_view content, std::string_view section,
                                         std::string_view key);
// The content with key set to value: an existing key's value replaced in place (the key keeps
// its spelling), a new key after the last line of its section, a new section at the end; new
// lines are "key=value" with CRLF. The value is written as given (the caller quotes it).
std::string ProfileUpdate(std::string_view content, std::string_view section, std::string_view key,
                          std::string_view value);

class ProfileFile {
 public:
  explicit ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

  const std::filesystem::path& path() const { return path_; }

  // The raw value; nullopt when the file, the section or the key is missing or unreadable.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;

  // Stores the value. The file is rewritten through a temporary file in the same folder and
  // renamed over the original, so a failed write leaves the old file whole; where the folder is
  // read-only but the file is writable, the file is rewritten in place. Returns false when the
  // value could not be stored.
  bool Write(std::string_view section, std::string_view key, std::string_view value) const;

 private:
  std::filesystem::path path_;
};

}  // namespace velto
