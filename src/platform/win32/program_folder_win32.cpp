#include <windows.h>

#include <string>
#include <system_error>

#include "platform/program_folder.h"

namespace velto {

std::filesystem::path ExecutableFolder() {
  // GetModuleFileNameW truncates silently when the buffer is short; grow until it fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      std::error_code ec;
      return std::filesystem::current_path(ec);
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      return std::filesystem::path(buffer).parent_path();
    }
    if (buffer.size() >= 32768) return std::filesystem::path(buffer).parent_path();
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace velto
