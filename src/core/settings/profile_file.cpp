#include "settings/profile_file.h"

#include "ports/file_system.h"
#include "settings/ascii_text.h"
#include "settings/file_path.h"
#include "settings/path_text.h"

namespace velto {

namespace {

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

ProfileContent::Line ParseLine(std::string_view content, std::size_t begin, std::size_t end,
                               std::size_t next) {
  ProfileContent::Line line;
  line.begin = begin;
  line.end = end;
  line.next = next;
  const std::string_view text = TrimBlanks(content.substr(begin, end - begin));
  if (text.empty()) return line;
  if (text.front() == ';') {
    line.kind = ProfileContent::LineKind::Comment;
  } else if (text.front() == '[') {
    line.kind = ProfileContent::LineKind::Section;
    const std::string_view inside = text.substr(1);
    line.name = TrimBlanks(inside.substr(0, inside.find(']')));
  } else {
    line.kind = ProfileContent::LineKind::Key;
    const auto equals = text.find('=');
    line.has_equals = equals != std::string_view::npos;
    line.name = TrimBlanks(text.substr(0, equals));
    if (line.has_equals) line.value = Unquote(TrimBlanks(text.substr(equals + 1)));
  }
  return line;
}

std::string WithoutLineBreaks(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  }
  return out;
}

// A read-only file is left alone even where the user could write it anyway (root on Linux).
bool IsWritableFile(FileSystem& files, const FilePath& path, const FileInfo& info) {
  if (info.read_only) return false;
  return files.OpensForUpdate(path);
}

// The folder a file is in; "." for a bare file name.
FilePath FolderOf(const FilePath& file) {
  return file.has_parent_path() ? file.parent_path() : FilePathFromUtf8(".");
}

enum class TempResult { Replaced, CannotCreate, Failed };

// Writes the new content beside the file and renames it over the file, so the file is at every
// moment either wholly old or wholly new.
TempResult ReplaceThroughTemp(FileSystem& files, const FilePath& target, std::string_view bytes,
                              const std::optional<FileInfo>& keep_perms) {
  // Only a folder that refuses new files sends the caller to the in-place rewrite; a full disk
  // (no room, or no files left) must leave the old file alone.
  const NewTempFile temp = files.CreateTempFileBeside(target);
  if (!temp.path) return temp.refused ? TempResult::CannotCreate : TempResult::Failed;
  if (!files.WriteFileBytes(*temp.path, bytes, FileMode::Write)) {
    files.RemoveFile(*temp.path);
    return TempResult::Failed;
  }
  if (keep_perms) files.SetPermissions(*temp.path, *keep_perms);
  if (!files.RenameOver(*temp.path, target)) {
    files.RemoveFile(*temp.path);
    return TempResult::Failed;
  }
  return TempResult::Replaced;
}

// Overwrites the file's bytes and then cuts it to the new length; used only where no temporary
// file can be made beside it. A file that grows gets its new tail first, so a full disk fails
// the write before any old byte is touched (and the tail is cut off again).
bool RewriteInPlace(FileSystem& files, const FilePath& target, std::string_view bytes,
                    std::size_t old_size) {
  if (bytes.size() > old_size) {
    if (!files.WriteFileBytes(target, bytes.substr(old_size), FileMode::Append)) {
      files.TruncateFile(target, old_size);
      return false;
    }
    bytes = bytes.substr(0, old_size);
  }
  if (!files.WriteFileBytes(target, bytes, FileMode::Update)) return false;
  return bytes.size() >= old_size || files.TruncateFile(target, bytes.size());
}

}  // namespace

ProfileContent::ProfileContent(std::string_view content) {
  std::size_t begin = 0;
  while (begin < content.size()) {
    // A plain scan: find_first_of calls memchr once per byte for a two-character set.
    std::size_t end = begin;
    while (end < content.size() && content[end] != '\r' && content[end] != '\n') ++end;
    std::size_t next;
    if (end == content.size()) {
      next = end;
    } else {
      next = end + 1;
      if (content[end] == '\r' && next < content.size() && content[next] == '\n') ++next;
    }
    // Blank lines play no part in lookups or updates; a file of a million empty lines stays cheap.
    auto line = ParseLine(content, begin, end, next);
    if (line.kind != LineKind::Blank) lines_.push_back(line);
    begin = next;
  }
}

std::optional<std::size_t> ProfileContent::FindSection(std::string_view section) const {
  const std::string_view wanted = TrimBlanks(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::Section && EqualsIgnoringAsciiCase(lines_[i].name, wanted))
      return i;
  }
  return std::nullopt;
}

std::optional<std::string> ProfileContent::Lookup(std::string_view section,
                                                  std::string_view key) const {
  const auto header = FindSection(section);
  if (!header) return std::nullopt;
  const std::string_view wanted = TrimBlanks(key);
  for (std::size_t i = *header + 1; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::Section) break;
    if (line.kind == LineKind::Key && EqualsIgnoringAsciiCase(line.name, wanted))
      return std::string(line.value);
  }
  return std::nullopt;
}

std::optional<std::string> ProfileLookup(std::string_view content, std::string_view section,
                                         std::string_view key) {
  return ProfileContent(content).Lookup(section, key);
}

std::string ProfileUpdate(std::string_view content, std::string_view section, std::string_view key,
                          std::string_view value) {
  const std::string clean_section = WithoutLineBreaks(section);
  const std::string clean_key = WithoutLineBreaks(key);
  const std::string clean_value = WithoutLineBreaks(value);
  const ProfileContent parsed(content);
  const auto& lines = parsed.lines();
  using Kind = ProfileContent::LineKind;

  std::string out;
  out.reserve(content.size() + clean_key.size() + clean_value.size() + clean_section.size() + 8);
  const auto header = parsed.FindSection(clean_section);
  if (!header) {
    out.append(content);
    if (!content.empty() && content.back() != '\r' && content.back() != '\n') out += "\r\n";
    out += "[" + clean_section + "]\r\n" + clean_key + "=" + clean_value + "\r\n";
    return out;
  }

  const std::string_view wanted = TrimBlanks(clean_key);
  std::size_t last_in_section = *header;
  for (std::size_t i = *header + 1; i < lines.size() && lines[i].kind != Kind::Section; ++i) {
    const auto& line = lines[i];
    if (line.kind == Kind::Key && EqualsIgnoringAsciiCase(line.name, wanted)) {
      // Keep everything up to the "=" (the key's own spelling and spacing) and the line break.
      const std::string_view text = content.substr(line.begin, line.end - line.begin);
      out.append(content.substr(0, line.begin));
      if (line.has_equals) {
        out.append(text.substr(0, text.find('=') + 1));
      } else {
        out.append(text);
        out += '=';
      }
      out += clean_value;
      out.append(content.substr(line.end));
      return out;
    }
    if (line.kind != Kind::Blank) last_in_section = i;
  }

  // A new key goes right after the section's last non-blank line.
  const auto& anchor = lines[last_in_section];
  out.append(content.substr(0, anchor.next));
  if (anchor.next == anchor.end) out += "\r\n";  // the file's last line had no line break
  out += clean_key + "=" + clean_value + "\r\n";
  out.append(content.substr(anchor.next));
  return out;
}

std::optional<std::string> ProfileFile::Load() const {
  const FileKind kind = files_->InspectFile(path_).kind;
  if (kind == FileKind::Missing) {
    if (files_->InspectFile(FolderOf(path_)).kind == FileKind::Folder) return std::string();
    return std::nullopt;
  }
  if (kind != FileKind::File) return std::nullopt;
  return files_->ReadFileBytes(path_);
}

std::optional<std::string> ProfileFile::Read(std::string_view section, std::string_view key) const {
  const auto content = Load();
  if (!content) return std::nullopt;
  return ProfileLookup(*content, section, key);
}

bool ProfileFile::Write(std::string_view section, std::string_view key,
                        std::string_view value) const {
  const Entry entry{std::string(section), std::string(key), std::string(value)};
  return Write(std::span(&entry, 1));
}

bool ProfileFile::Write(std::span<const Entry> entries) const {
  if (entries.empty()) return true;
  // Through a link, the linked file is changed, not the link replaced by a copy.
  const std::optional<FilePath> followed = files_->FollowLink(path_);
  if (!followed) return false;
  const FilePath& target = *followed;
  if (files_->InspectFile(FolderOf(target)).kind != FileKind::Folder) return false;
  const FileInfo info = files_->InspectFile(target);
  const bool exists = info.kind != FileKind::Missing;
  if (exists && info.kind != FileKind::File) return false;

  std::string old_content;
  if (exists) {
    if (!IsWritableFile(*files_, target, info)) return false;
    auto bytes = files_->ReadFileBytes(target);
    if (!bytes) return false;  // never replace a file that could not be read
    old_content = std::move(*bytes);
  }
  // Writes killed halfway left their temporary files; this one clears them away. Should another
  // program be writing the file at this moment, its write fails and the file stays whole: of two
  // writes at once, one is lost in any case.
  for (const FilePath& leftover : files_->TempFilesBeside(target)) files_->RemoveFile(leftover);
  std::string new_content = old_content;
  for (const Entry& entry : entries)
    new_content = ProfileUpdate(new_content, entry.section, entry.key, entry.value);
  const auto result =
      ReplaceThroughTemp(*files_, target, new_content, exists ? std::optional(info) : std::nullopt);
  if (result == TempResult::Replaced) return true;
  // A read-only folder refuses the temporary file; a writable file in it is rewritten in place.
  // After any other failure the old file stays as it was.
  return result == TempResult::CannotCreate && exists &&
         RewriteInPlace(*files_, target, new_content, old_content.size());
}

bool ProfileFile::Create(std::string_view content) const {
  if (!files_->FollowLink(path_) || files_->InspectFile(path_).kind != FileKind::Missing)
    return false;
  if (files_->InspectFile(FolderOf(path_)).kind != FileKind::Folder) return false;
  return ReplaceThroughTemp(*files_, path_, content, std::nullopt) == TempResult::Replaced;
}

}  // namespace velto
