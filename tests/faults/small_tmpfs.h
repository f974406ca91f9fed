#pragma once
// A small tmpfs mounted on a fresh folder for one test, where the machine lets the test mount
// file systems (root with the mount capability); unmounted and removed afterwards.
#include <cstddef>
#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace velto::test {

class SmallTmpfs {
 public:
  // size_kb of data and at most inodes files and folders (the root folder counts as one).
  SmallTmpfs(std::size_t size_kb, std::size_t inodes);
  ~SmallTmpfs();
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& error() const { return error_; }
  const std::filesystem::path& path() const { return folder_.path(); }

  // Writes filler until the file system refuses more data; then makes empty files until it
  // refuses more files, when also_inodes.
  void Fill(bool also_inodes) const;

 private:
  TempFolder folder_;
  bool mounted_ = false;
  std::string error_;
};

}  // namespace velto::test
