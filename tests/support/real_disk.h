#pragma once
// The system's own file system and codec, the ones the programs use, for tests over real files.
#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_text_codec.h"
#else
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"
#endif
#include "ports/disk.h"

namespace velto::test {

#ifdef _WIN32
using SystemFileSystem = Win32FileSystem;
using SystemTextCodec = Win32TextCodec;
#else
using SystemFileSystem = PosixFileSystem;
using SystemTextCodec = IconvTextCodec;
#endif

class RealDisk {
 public:
  RealDisk() = default;
  RealDisk(const RealDisk&) = delete;
  RealDisk& operator=(const RealDisk&) = delete;

  FileSystem& files() { return files_; }
  const TextCodec& codec() const { return codec_; }
  Disk disk() { return Disk(files_, codec_); }

 private:
  SystemFileSystem files_;
  SystemTextCodec codec_;
};

}  // namespace velto::test
