#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/win32_file_system.h"
#include "ports/temp_file_name.h"

namespace velto {
namespace {

// The errors the C runtime's stat reports as "no such file".
bool IsNotFound(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return true;
    default:
      return false;
  }
}

struct FindCloser {
  void operator()(HANDLE search) const noexcept { FindClose(search); }
};

}  // namespace

FileInfo Win32FileSystem::InspectFile(const FilePath& path) {
  FileInfo info;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    info.kind = IsNotFound(GetLastError()) ? FileKind::Missing : FileKind::Other;
    return info;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    info.kind = FileKind::Folder;
  } else if (attributes & FILE_ATTRIBUTE_DEVICE) {
    info.kind = FileKind::Other;
  } else {
    info.kind = FileKind::File;
    info.read_only = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  }
  return info;
}

std::optional<FilePath> Win32FileSystem::FollowLink(const FilePath& path) {
  return path;
}

namespace {

// The digits by hand: std::to_wstring would link the C library's wide printf, some 11 KB of
// the program, for this one name.
std::wstring DecimalDigits(unsigned long long value) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

}  // namespace

NewTempFile Win32FileSystem::CreateTempFileBeside(const FilePath& file) {
  // CREATE_NEW fails on a name that exists, so a taken name only costs another try. The tries
  // start from the process id and the performance counter: different for every write here.
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  const unsigned long long seed = (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^
                                  static_cast<unsigned long long>(counter.QuadPart);
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    FilePath name = file;
    name += FilePath(L"." + DecimalDigits(seed + attempt) + L".tmp");
    HANDLE raw = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw != INVALID_HANDLE_VALUE) {
      const win32::UniqueKernelHandle created(raw);
      return {std::move(name), false};
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
    return {std::nullopt, error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT};
  }
  return {};
}

std::vector<FilePath> Win32FileSystem::TempFilesBeside(const FilePath& file) {
  const std::wstring& path = file.native();
  const std::size_t slash = path.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
  const std::wstring file_name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  std::vector<FilePath> found;
  WIN32_FIND_DATAW entry;
  // The pattern also matches short 8.3 names; the rule below looks at the long name only.
  const std::wstring pattern = folder + file_name + L".*.tmp";
  HANDLE raw =
      FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
  if (raw == INVALID_HANDLE_VALUE) return found;
  const std::unique_ptr<void, FindCloser> search(raw);
  do {
    if (IsTempFileNameOf<wchar_t>(entry.cFileName, file_name))
      found.emplace_back(folder + entry.cFileName);
  } while (FindNextFileW(raw, &entry));
  return found;
}

bool Win32FileSystem::SetPermissions(const FilePath&, const FileInfo&) {
  return true;
}

bool Win32FileSystem::RenameOver(const FilePath& from, const FilePath& to) {
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32FileSystem::RemoveFile(const FilePath& path) {
  return DeleteFileW(path.c_str()) != 0;
}

bool Win32FileSystem::TruncateFile(const FilePath& path, std::uint64_t length) {
  HANDLE raw = CreateFileW(path.c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE) return false;
  const win32::UniqueKernelHandle file(raw);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(length);
  return SetFilePointerEx(raw, end, nullptr, FILE_BEGIN) && SetEndOfFile(raw);
}

}  // namespace velto
