#pragma once
// Reading a text file dropped on the search bar: its non-empty lines, for the history list.
//
// CR, LF and CRLF end a line; a last line without an ending counts; empty lines are skipped.
// A file that is valid UTF-8 (a byte-order mark is dropped) is read as UTF-8, one with a UTF-16
// byte-order mark as UTF-16, anything else in the ANSI code page.
#include <cstddef>
#include <string>
#include <vector>

#include "ports/disk.h"
#include "settings/file_path.h"

namespace velto {

// A dropped file is read whole inside the drop, so a huge one is cut short rather than taking
// all memory: reading stops, keeping the lines read, at whichever limit comes first.
struct DroppedFileLimits {
  std::size_t max_lines = 1'000'000;
  std::size_t max_bytes = 64u << 20;  // text of the lines, as stored in the file
};

// True when the last four characters of the file's name, upper-cased, are ".TXT".
bool IsDroppedTextFileName(const FilePath& file);
// The same for ".XML", the name of an OpenSearch description.
bool IsDroppedDescriptionFileName(const FilePath& file);

// The file's non-empty lines in file order, as UTF-8. A file that cannot be opened gives no
// lines; a read that fails part-way keeps the complete lines read before.
std::vector<std::string> ReadDroppedTextLines(Disk disk, const FilePath& file,
                                              const DroppedFileLimits& limits = {});

}  // namespace velto
