#include <windows.h>

#include "platform/file_ops.h"
#include "platform/win32/handles.h"

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

}  // namespace

FileInfo InspectFile(const FilePath& path) {
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

std::optional<FilePath> FollowLink(const FilePath& path) {
  return path;
}

bool NameTaken(const FilePath& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SetPermissions(const FilePath&, const FileInfo&) {
  return true;
}

bool RenameOver(const FilePath& from, const FilePath& to) {
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const FilePath& path) {
  return DeleteFileW(path.c_str()) != 0;
}

bool TruncateFile(const FilePath& path, std::uint64_t length) {
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
