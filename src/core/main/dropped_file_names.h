#pragma once
// Text that comes with dropped files. A file manager offers the dragged files' names as text
// besides the file list (paths, or file: addresses), one a line; dropped files carry no text of
// their own, so such text is no query.
#include <span>
#include <string_view>

#include "settings/file_path.h"

namespace velto {

// True when every non-blank line of `text` names one of `files`: its path as it stands, or a
// file: address of it (percent-encoded or not, with an empty host or "localhost"). False for
// text without lines, and whenever no file was dropped.
bool TextOnlyNamesFiles(std::string_view text, std::span<const FilePath> files);

}  // namespace velto
