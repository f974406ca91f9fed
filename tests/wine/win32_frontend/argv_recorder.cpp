// A stand-in browser for browser commands: appends the arguments it was started with (after its
// own name), as CommandLineToArgvW reads the command line, to the file VELTO_ARGV_RECORD names.
// One UTF-8 line per start, the arguments separated by tabs.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <string>

#include "platform/win32/wide_text.h"

int wmain() {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (argv == nullptr) return 1;
  std::wstring line;
  for (int i = 1; i < count; ++i) line += (i > 1 ? L"\t" : L"") + std::wstring(argv[i]);
  LocalFree(argv);
  const std::string bytes = velto::win32::Utf8FromWide(line) + "\n";

  wchar_t path[MAX_PATH]{};
  if (GetEnvironmentVariableW(L"VELTO_ARGV_RECORD", path, MAX_PATH) == 0) return 2;
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok ? 0 : 4;
}
