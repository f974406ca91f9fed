#pragma once
// The private-profile (INI) file: read one value, write one value, keeping every other line of
// the file byte for byte. Works on the file's own bytes (the ANSI code page); callers convert.
//
// Rules, as the Windows private-profile functions have them for the calls the program makes:
// section and key names match case-insensitively (ASCII) with blanks around them ignored; a
// section name ends at the first "]"; the first matching section and key win; lines end at CR,
// LF or CRLF; blank lines and lines starting with ";" are not keys; a value is the text after
// the first "=", blanks around it dropped, then one pair of matching outer quotes dropped.
// Blanks are spaces and tabs. Where the Windows functions leave a corner open, this file reads
// a "[" line without "]" as a header naming the rest of the line, and a line without "=" as a
// key with an empty value.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ports/file_system.h"
#include "settings/file_path.h"

namespace velto {

// Pure functions over the file's content, shared by the file class, the tests and the fuzzers.
std::optional<std::string> ProfileLookup(std::string_view content, std::string_view section,
                                         std::string_view key);
// The content with key set to value: an existing key's value replaced in place (the key keeps
// its spelling), a new key after the last line of its section, a new section at the end; new
// lines are "key=value" with CRLF. The value is written as given (the caller quotes it), except
// that CR, LF and NUL in the section, key or value become blanks: no call adds a line break.
std::string ProfileUpdate(std::string_view content, std::string_view section, std::string_view key,
                          std::string_view value);

// A file's content parsed once, for many lookups (LoadSettings reads 99 keys from one
// snapshot). Keeps views into the content, which must outlive it.
class ProfileContent {
 public:
  explicit ProfileContent(std::string_view content);
  std::optional<std::string> Lookup(std::string_view section, std::string_view key) const;

  enum class LineKind { Blank, Comment, Section, Key };
  struct Line {
    std::size_t begin = 0;  // first byte of the line
    std::size_t end = 0;    // end of its text, before the line break
    std::size_t next = 0;   // start of the following line
    LineKind kind = LineKind::Blank;
    std::string_view name;   // section or key name, blanks around it dropped
    std::string_view value;  // a key's value, blanks and one pair of quotes dropped
    bool has_equals = false;
  };
  // The file's lines, blank ones left out.
  const std::vector<Line>& lines() const { return lines_; }
  // Index of the first header line of the section; nullopt when missing.
  std::optional<std::size_t> FindSection(std::string_view section) const;

 private:
  std::vector<Line> lines_;
};

class ProfileFile {
 public:
  // The file system stays the caller's; it must outlive the ProfileFile.
  ProfileFile(FilePath path, FileSystem& files) : path_(std::move(path)), files_(&files) {}

  const FilePath& path() const { return path_; }

  // The raw value; nullopt when the file, the section or the key is missing or unreadable.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;

  // The file's bytes as they are now: empty when the file is missing from an existing folder;
  // nullopt when it cannot be read (folder missing, a folder of the file's name, no permission).
  std::optional<std::string> Load() const;

  // Stores the value. The file is rewritten through a temporary file in the same folder and
  // renamed over the original, so a failed write leaves the old file whole; where the folder is
  // read-only but the file is writable, the file is rewritten in place. Returns false when the
  // value could not be stored.
  bool Write(std::string_view section, std::string_view key, std::string_view value) const;

  // Stores several values in one rewrite of the file, in the same way: the file then reads as
  // if each had been written in turn, and a failure stores none of them.
  struct Entry {
    std::string section;
    std::string key;
    std::string value;
  };
  bool Write(std::span<const Entry> entries) const;

  // Makes the missing file with the content, through a temporary file as Write does, so it is
  // never seen half-written. False when the file (or a link of its name) exists, or on failure.
  bool Create(std::string_view content) const;

 private:
  FilePath path_;
  FileSystem* files_;
};

}  // namespace velto
