#pragma once
// What the core's file code is given: the file system and the code page of the files on it.
// Passed by value; both stay owned by whoever made them (the program's main, a test).
#include "ports/file_system.h"
#include "ports/text_codec.h"

namespace velto {

class Disk {
 public:
  Disk(FileSystem& files, const TextCodec& codec) : files_(&files), codec_(&codec) {}

  FileSystem& files() const { return *files_; }
  const TextCodec& codec() const { return *codec_; }

 private:
  FileSystem* files_;
  const TextCodec* codec_;
};

}  // namespace velto
