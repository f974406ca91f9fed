#include <windows.h>

#include <string>
#include <utility>

#include "platform/program_folder.h"

namespace velto {

FilePath ExecutableFolder() {
  // GetModuleFileNameW truncates silently when the buffer is short; grow until it fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      // The working folder instead (std::filesystem::current_path would bring in iostreams).
      const DWORD needed = GetCurrentDirectoryW(0, nullptr);
      std::wstring current(needed, L'\0');
      const DWORD got = GetCurrentDirectoryW(needed, current.data());
      current.resize(got < needed ? got : 0);
      return FilePath(std::move(current));
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      return FilePath(buffer).parent_path();
    }
    if (buffer.size() >= 32768) return FilePath(buffer).parent_path();
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace velto
