// File names between UTF-8 text and FilePath, and (on Windows) the program's own path type
// against the library's path for the names the program forms.
#include "settings/path_text.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/settings_store.h"
#include "support/temp_folder.h"

namespace velto {
namespace {

namespace fs = std::filesystem;

TEST(PathText, Utf8RoundTripsAndNamesTheLibrarysFile) {
  for (const char* name : {"velto.ini", "設定ファイル.ini", "😀 ☃.txt", "a b/c"}) {
    const FilePath path = FilePathFromUtf8(name);
    EXPECT_EQ(Utf8FromFilePath(path), name);
    const std::string utf8(name);
    EXPECT_TRUE(path == fs::path(std::u8string(utf8.begin(), utf8.end()))) << name;
  }
}

TEST(PathText, SettingsFileIsVeltoIniInTheFolder) {
  test::TempFolder folder;
  EXPECT_TRUE(SettingsStore(folder.path(), folder.disk()).SettingsPath() == folder / "velto.ini");
}

#ifdef _WIN32
// The same answers as std::filesystem::path gives.
TEST(FilePath, ParentAndJoinAsTheLibraryHasThem) {
  for (const wchar_t* name :
       {L"C:\\Tools\\Velto\\velto.exe", L"C:\\velto.exe", L"C:\\", L"C:", L"C:velto.ini",
        L"velto.ini", L"", L"a\\b\\", L"a\\\\b", L"a/b", L"\\velto.ini", L"\\"}) {
    const fs::path library(name);
    const FilePath own(name);
    EXPECT_EQ(own.parent_path().native(), library.parent_path().native()) << name;
    EXPECT_EQ(own.has_parent_path(), library.has_parent_path()) << name;
    for (const wchar_t* file : {L"velto.ini", L"D:\\x.ini", L"\\x.ini"}) {
      EXPECT_EQ((own / FilePath(file)).native(), (library / fs::path(file)).native())
          << name << " / " << file;
    }
  }
}

// Network names keep their server and share, as Windows has them.
TEST(FilePath, NetworkNamesKeepServerAndShare) {
  EXPECT_EQ(FilePath(L"\\\\srv\\share\\velto.exe").parent_path().native(), L"\\\\srv\\share");
  EXPECT_EQ(FilePath(L"\\\\srv\\share").parent_path().native(), L"\\\\srv\\");
  EXPECT_EQ((FilePath(L"\\\\srv\\share") / FilePath(L"velto.ini")).native(),
            L"\\\\srv\\share\\velto.ini");
  EXPECT_EQ((FilePath(L"\\\\srv") / FilePath(L"velto.ini")).native(), L"\\\\srv\\velto.ini");
  EXPECT_EQ((FilePath(L"\\\\srv\\share") / FilePath(L"\\x.ini")).native(), L"\\\\srv\\x.ini");
}
#endif

}  // namespace
}  // namespace velto
