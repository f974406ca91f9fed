#include "platform/byte_file.h"

namespace velto {
namespace {

std::FILE* OpenFile(const FilePath& path, FileMode mode) {
#ifdef _WIN32
  // Narrow fopen takes the ANSI code page on Windows; the wide call reaches every file name.
  const wchar_t* modes[] = {L"rb", L"wb", L"ab", L"r+b"};
  return _wfopen(path.c_str(), modes[static_cast<int>(mode)]);
#else
  const char* modes[] = {"rb", "wb", "ab", "r+b"};
  return std::fopen(path.c_str(), modes[static_cast<int>(mode)]);
#endif
}

}  // namespace

ByteFile::ByteFile(const FilePath& path, FileMode mode) : file_(OpenFile(path, mode)) {}

std::size_t ByteFile::Read(char* buffer, std::size_t size) {
  if (!file_) return 0;
  const std::size_t got = std::fread(buffer, 1, size, file_.get());
  if (got < size && std::ferror(file_.get())) failed_ = true;
  return got;
}

bool ByteFile::Write(std::string_view bytes) {
  if (!file_) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) failed_ = true;
  return !failed_;
}

bool ByteFile::Close() {
  if (!file_) return false;
  if (std::fclose(file_.release()) != 0) failed_ = true;
  return !failed_;
}

std::unique_ptr<ByteReader> StdioFileSystem::OpenForReading(const FilePath& path) {
  auto file = std::make_unique<ByteFile>(path, FileMode::Read);
  if (!file->is_open()) return nullptr;
  return file;
}

bool StdioFileSystem::OpensForUpdate(const FilePath& path) {
  return ByteFile(path, FileMode::Update).is_open();
}

bool StdioFileSystem::WriteFileBytes(const FilePath& path, std::string_view bytes, FileMode mode) {
  ByteFile out(path, mode);
  if (!out.is_open()) return false;
  const bool written = out.Write(bytes);
  return out.Close() && written;
}

}  // namespace velto
