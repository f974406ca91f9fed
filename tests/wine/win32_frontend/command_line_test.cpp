// The raw argument text Windows hands the program, how its arguments split, and the
// single-instance name per folder.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <string>
#include <vector>

#include "main/windows_arguments.h"
#include "platform/win32/command_line.h"
#include "platform/win32/single_instance.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {
namespace {

TEST(ArgumentText, AfterProgramName_SkipsOnlyTheSeparatingBlank) {
  EXPECT_EQ(ArgumentText(L"velto.exe /D"), L"/D");
  EXPECT_EQ(ArgumentText(L"velto.exe  /D"), L" /D");  // a blank in front: no switch
  EXPECT_EQ(ArgumentText(L"\"C:\\Program Files\\velto.exe\" /debug x"), L"/debug x");
  EXPECT_EQ(ArgumentText(L"\"C:\\a b\\velto.exe\"/d"), L"/d");
  EXPECT_EQ(ArgumentText(L"velto.exe"), L"");
  EXPECT_EQ(ArgumentText(L"velto.exe\t-D"), L"-D");
  EXPECT_EQ(ArgumentText(L""), L"");
}

// The portable reading of /S's arguments agrees with the system's own.
TEST(WindowsArguments, SplitAsCommandLineToArgvW) {
  for (const wchar_t* arguments :
       {L"a b\tc", L"\"a b\" c", L"x\"a b\"y", L"\"\" x", L"\\\"a\\\"", L"\\\\\"a b\"",
        L"\\\\\\\"a", L"a\\b c\\\\", L"\"a\"\"b c\"", L"\"\"\"a b\"\"\"", L"\"\"\"\"a b\"",
        L"\"\\\"tokyo tower\\\"\"", L"\"open", L"東京\"タ ワー\""}) {
    // The first argument is read as a program name, by rules of its own: one is put in front.
    const std::wstring line = std::wstring(L"velto.exe ") + arguments;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(argv, nullptr);
    std::vector<std::string> system;
    for (int i = 1; i < count; ++i) system.push_back(Utf8FromWide(argv[i]));
    LocalFree(argv);
    EXPECT_EQ(SplitWindowsArguments(Utf8FromWide(arguments)), system) << Utf8FromWide(arguments);
  }
}

TEST(InstanceMutexName, SameFolderInAnySpelling_SameName) {
  EXPECT_EQ(InstanceMutexName(L"C:\\Tools\\Velto"), InstanceMutexName(L"c:\\tools\\velto\\"));
  EXPECT_EQ(InstanceMutexName(L"C:\\Tools\\Velto"), InstanceMutexName(L"C:/Tools/Velto"));
  EXPECT_NE(InstanceMutexName(L"C:\\Tools\\Velto"), InstanceMutexName(L"C:\\Tools\\Velto2"));
  EXPECT_EQ(InstanceMutexName(L"C:\\Tools\\Velto"), InstanceMutexName(L"C:\\Tools\\.\\Velto"));
  EXPECT_EQ(InstanceMutexName(L"C:\\Tools\\Velto"), InstanceMutexName(L"C:\\Tools\\x\\..\\Velto"));
  EXPECT_EQ(InstanceMutexName(L"C:\\Tools\\Velto"), InstanceMutexName(L"C:\\\\Tools\\\\Velto"));
  EXPECT_EQ(InstanceMutexName(L"\\\\server\\share\\Velto"),
            InstanceMutexName(L"//SERVER/share/velto/"));
  EXPECT_NE(InstanceMutexName(L"C:\\"), InstanceMutexName(L"D:\\"));
  EXPECT_EQ(InstanceMutexName(L"C:\\Tools\\x"), InstanceMutexName(L"C:\\Tools\\Velto\\..\\x"));
  EXPECT_EQ(InstanceMutexName(L"C:\\"), InstanceMutexName(L"C:\\..\\."));
}

TEST(SingleInstance, SecondClaimForTheSameFolder_Fails) {
  SingleInstance first(InstanceMutexName(L"C:\\velto-test-folder"));
  SingleInstance second(InstanceMutexName(L"C:\\VELTO-TEST-FOLDER"));
  SingleInstance elsewhere(InstanceMutexName(L"C:\\velto-other-folder"));
  EXPECT_TRUE(first.Claim());
  EXPECT_TRUE(first.Claim());  // holding it already
  EXPECT_FALSE(second.Claim());
  EXPECT_TRUE(elsewhere.Claim());
  // Released, the claim is free for the next start.
  first.Release();
  EXPECT_TRUE(second.Claim());
}

}  // namespace
}  // namespace velto::win32
