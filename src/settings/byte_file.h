#pragma once
// Whole-file and chunked byte I/O over C stdio. The core keeps to this instead of iostreams:
// on the static Windows build, iostreams and their locale machinery would add most of a
// megabyte to a program of a few hundred kilobytes.
#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings/file_path.h"

namespace velto {

enum class FileMode { Read, Write, Append, Update };

class ByteFile {
 public:
  // Opens in binary mode; check with is_open(). Paths with any characters work on both systems.
  ByteFile(const FilePath& path, FileMode mode);

  bool is_open() const { return file_ != nullptr; }
  // Up to buffer.size() bytes; fewer at the end of the file or on an error (see failed()).
  std::size_t Read(char* buffer, std::size_t size);
  bool Write(std::string_view bytes);
  // Flushes and closes; false when anything written could not be stored.
  bool Close();
  bool failed() const { return failed_; }

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  bool failed_ = false;
};

// The whole file; nullopt when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const FilePath& path);
// Creates or truncates the file and writes the bytes; false on any failure.
bool WriteFileBytes(const FilePath& path, std::string_view bytes, FileMode mode);

}  // namespace velto
