#pragma once
// An in-memory file system for the core's tests, with the faults a real disk gives only
// rarely or not on demand: a folder that refuses new files, a full disk, a rename that fails.
#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "ports/file_system.h"
#include "ports/temp_file_name.h"

namespace velto::test {

class FakeFileSystem final : public FileSystem {
 public:
  using Name = FilePath::string_type;

  enum class TempFiles { Made, Refused, Failed };

  // The disk: folders and files by their full names.
  std::set<Name> folders;
  std::map<Name, std::string> files;
  std::set<Name> read_only;
  // Faults.
  TempFiles temp_files = TempFiles::Made;
  bool renames_fail = false;
  // Bytes that still fit on the disk; a write beyond stores what fits and fails.
  std::optional<std::size_t> room;

  void AddFolder(const FilePath& folder) { folders.insert(folder.native()); }
  void AddFile(const FilePath& file, std::string bytes) { files[file.native()] = std::move(bytes); }
  std::optional<std::string> Content(const FilePath& file) const {
    const auto it = files.find(file.native());
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  // The temporary files a write left beside the file.
  std::size_t LeftoversBeside(const FilePath& file) const {
    std::size_t count = 0;
    for (const auto& [name, bytes] : files)
      count += IsTempFileNameOf<FilePath::value_type>(name, file.native()) ? 1 : 0;
    return count;
  }

  FileInfo InspectFile(const FilePath& path) override {
    FileInfo info;
    if (files.contains(path.native())) {
      info.kind = FileKind::File;
      info.read_only = read_only.contains(path.native());
    } else if (folders.contains(path.native())) {
      info.kind = FileKind::Folder;
    }
    return info;
  }
  std::optional<FilePath> FollowLink(const FilePath& path) override { return path; }
  NewTempFile CreateTempFileBeside(const FilePath& file) override {
    if (temp_files != TempFiles::Made) return {std::nullopt, temp_files == TempFiles::Refused};
    const std::string tail = "." + std::to_string(++made_) + "x.tmp";
    const FilePath name = file.native() + Name(tail.begin(), tail.end());
    files[name.native()];
    return {name, false};
  }
  std::vector<FilePath> TempFilesBeside(const FilePath& file) override {
    std::vector<FilePath> found;
    for (const auto& [name, bytes] : files)
      if (IsTempFileNameOf<FilePath::value_type>(name, file.native())) found.emplace_back(name);
    return found;
  }
  bool SetPermissions(const FilePath&, const FileInfo&) override { return true; }
  bool RenameOver(const FilePath& from, const FilePath& to) override {
    const auto it = files.find(from.native());
    if (renames_fail || it == files.end()) return false;
    std::string bytes = std::move(it->second);
    files.erase(it);
    files[to.native()] = std::move(bytes);
    return true;
  }
  bool RemoveFile(const FilePath& path) override { return files.erase(path.native()) == 1; }
  bool TruncateFile(const FilePath& path, std::uint64_t length) override {
    const auto it = files.find(path.native());
    if (it == files.end()) return false;
    it->second.resize(static_cast<std::size_t>(length));
    return true;
  }
  std::unique_ptr<ByteReader> OpenForReading(const FilePath& path) override {
    const auto content = Content(path);
    if (!content) return nullptr;
    return std::make_unique<Reader>(*content);
  }
  bool WriteFileBytes(const FilePath& path, std::string_view bytes, FileMode mode) override {
    if (!folders.contains(path.parent_path().native())) return false;
    if (mode == FileMode::Update && !files.contains(path.native())) return false;
    std::string& file = files[path.native()];
    const std::size_t fits = std::min(bytes.size(), room.value_or(bytes.size()));
    if (room) *room -= fits;
    if (mode == FileMode::Write) file.clear();
    if (mode == FileMode::Update)
      file.replace(0, std::min(fits, file.size()), bytes.substr(0, fits));
    else
      file.append(bytes.substr(0, fits));
    return fits == bytes.size();
  }
  bool OpensForUpdate(const FilePath& path) override {
    return files.contains(path.native()) && !read_only.contains(path.native());
  }

 private:
  class Reader final : public ByteReader {
   public:
    explicit Reader(std::string bytes) : bytes_(std::move(bytes)) {}
    std::size_t Read(char* buffer, std::size_t size) override {
      const std::size_t got = std::min(size, bytes_.size() - at_);
      std::copy_n(bytes_.data() + at_, got, buffer);
      at_ += got;
      return got;
    }
    bool failed() const override { return false; }

   private:
    std::string bytes_;
    std::size_t at_ = 0;
  };

  int made_ = 0;
};

}  // namespace velto::test
