#pragma once
// A real, empty folder for one test, removed afterwards, on the real disk.
#include <filesystem>
#include <string>
#include <string_view>

#include "support/real_disk.h"

namespace velto::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  // The system's file system and codec, to hand to the code under test.
  Disk disk() { return real_.disk(); }
  FileSystem& files() { return real_.files(); }
  const TextCodec& codec() const { return real_.codec(); }

 private:
  std::filesystem::path path_;
  RealDisk real_;
};

// Whole-file helpers for tests (bytes as they are).
std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

}  // namespace velto::test
