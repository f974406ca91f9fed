// velto-config's entry point: UTF-8 arguments in, UTF-8 text out, on both systems.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "velto_config.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_text_codec.h"
#include "settings/unicode_text.h"

namespace {

// A console shows UTF-16 written to it; a pipe or file gets the UTF-8 bytes unchanged.
void WriteOut(DWORD which, const std::string& utf8) {
  if (utf8.empty()) return;
  const HANDLE handle = GetStdHandle(which);
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    const std::u16string wide = velto::Utf16FromUtf8(utf8);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  FILE* stream = which == STD_OUTPUT_HANDLE ? stdout : stderr;
  _setmode(_fileno(stream), _O_BINARY);
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
  std::fflush(stream);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::wstring_view arg(argv[i]);
    args.push_back(velto::Utf8FromUtf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(arg.data()), arg.size())));
  }
  std::ostringstream out, err;
  velto::Win32FileSystem files;
  const velto::Win32TextCodec codec;
  const velto::BrowserFolders browsers = velto::BrowserFoldersOfThisProcess();
  const int status = velto::RunVeltoConfig(args, velto::Disk(files, codec),
                                           velto::ExecutableFolder(), out, err, browsers);
  WriteOut(STD_OUTPUT_HANDLE, out.str());
  WriteOut(STD_ERROR_HANDLE, err.str());
  return status;
}

#else

#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/settings_folder.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  velto::PosixFileSystem files;
  const velto::IconvTextCodec codec;
  const velto::Disk disk(files, codec);
  // The search bar's own choice of folder, the user's settings folder made ready as it would.
  const auto settings_folder = [disk] {
    const velto::ProgramFolders folders =
        velto::ChooseProgramFolders(velto::ExecutableFolder(), velto::UserFoldersFromEnvironment());
    velto::CreateSettingsFolder(folders);
    velto::WriteStarterSettingsOnFirstUse(folders, disk);
    return folders.settings;
  };
  const velto::BrowserFolders browsers = velto::BrowserFoldersOfThisProcess();
  return velto::RunVeltoConfig(args, disk, settings_folder, std::cout, std::cerr, browsers);
}

#endif
