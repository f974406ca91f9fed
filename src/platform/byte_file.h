#pragma once
// Whole-file and chunked byte I/O over C stdio, the byte reads and writes of both systems' file
// systems. Kept to this instead of iostreams: on the static Windows build, iostreams and their
// locale machinery would add most of a megabyte to a program of a few hundred kilobytes.
#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ports/file_system.h"
#include "settings/file_path.h"

namespace velto {

class ByteFile final : public ByteReader {
 public:
  // Opens in binary mode; check with is_open(). Paths with any characters work on both systems.
  ByteFile(const FilePath& path, FileMode mode);

  bool is_open() const { return file_ != nullptr; }
  // Up to buffer.size() bytes; fewer at the end of the file or on an error (see failed()).
  std::size_t Read(char* buffer, std::size_t size) override;
  bool Write(std::string_view bytes);
  // Flushes and closes; false when anything written could not be stored.
  bool Close();
  bool failed() const override { return failed_; }

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  bool failed_ = false;
};

// The byte reads and writes of a file system, over ByteFile; the system's own operations come
// from the class below it.
class StdioFileSystem : public FileSystem {
 public:
  std::unique_ptr<ByteReader> OpenForReading(const FilePath& path) override;
  bool WriteFileBytes(const FilePath& path, std::string_view bytes, FileMode mode) override;
  bool OpensForUpdate(const FilePath& path) override;
};

}  // namespace velto
