#include "platform/win32/single_instance.h"

#include <windows.h>

#include <string_view>
#include <vector>

#include "main/instance_name.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {

namespace {

// The folder's name in one spelling: "\\" separators, no "." or ".." parts, no repeated or
// trailing separators. Only the text is looked at; the folder need not exist.
std::wstring NormalFolderName(std::wstring text) {
  for (wchar_t& c : text)
    if (c == L'/') c = L'\\';
  std::size_t root = 0;
  if (text.size() >= 2 && text[1] == L':') {
    root = 2;
  } else if (text.starts_with(L"\\\\")) {
    root = text.find(L'\\', 2);  // the server's name
    if (root == std::wstring::npos) root = text.size();
  }
  const bool rooted = root < text.size() && text[root] == L'\\';
  std::vector<std::wstring_view> parts;
  const std::wstring_view rest = std::wstring_view(text).substr(root);
  for (std::size_t begin = 0; begin < rest.size();) {
    std::size_t end = rest.find(L'\\', begin);
    if (end == std::wstring_view::npos) end = rest.size();
    const std::wstring_view part = rest.substr(begin, end - begin);
    if (part == L"..") {
      if (!parts.empty() && parts.back() != L"..") {
        parts.pop_back();
      } else if (!rooted) {
        parts.push_back(part);
      }
    } else if (!part.empty() && part != L".") {
      parts.push_back(part);
    }
    begin = end + 1;
  }
  std::wstring out = text.substr(0, root);
  if (rooted) out += L'\\';
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += L'\\';
    out += parts[i];
  }
  return out;
}

}  // namespace

std::string InstanceKeyOf(const FilePath& folder) {
  std::wstring text = NormalFolderName(folder.native());
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return Utf8FromWide(text);
}

std::wstring InstanceMutexNameOf(const std::string& instance_name) {
  return L"Local\\Velto-SearchBar-" + WideFromUtf8(instance_name);
}

std::wstring InstanceMutexName(const FilePath& folder) {
  return InstanceMutexNameOf(InstanceName(InstanceKeyOf(folder)));
}

bool SingleInstance::Claim() {
  if (mutex_) return true;
  UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, name_.c_str()));
  // Without a mutex at all, running is better than refusing to start.
  if (!mutex) return true;
  if (GetLastError() == ERROR_ALREADY_EXISTS) return false;
  mutex_ = std::move(mutex);
  return true;
}

}  // namespace velto::win32
