#include "platform/win32/single_instance.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>

namespace velto::win32 {

std::wstring InstanceMutexName(const std::filesystem::path& folder) {
  std::wstring text = folder.lexically_normal().wstring();
  while (text.size() > 3 && (text.back() == L'\\' || text.back() == L'/')) text.pop_back();
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  // FNV-1a over the UTF-16 units: the full path may be longer than a kernel object name.
  std::uint64_t hash = 14695981039346656037ull;
  for (wchar_t unit : text) {
    hash ^= static_cast<std::uint16_t>(unit == L'/' ? L'\\' : unit);
    hash *= 1099511628211ull;
  }
  wchar_t name[64];
  std::swprintf(name, 64, L"Local\\Velto-SearchBar-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

bool SingleInstance::Claim() {
  if (mutex_) return true;
  UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, InstanceMutexName(folder_).c_str()));
  // Without a mutex at all, running is better than refusing to start.
  if (!mutex) return true;
  if (GetLastError() == ERROR_ALREADY_EXISTS) return false;
  mutex_ = std::move(mutex);
  return true;
}

}  // namespace velto::win32
