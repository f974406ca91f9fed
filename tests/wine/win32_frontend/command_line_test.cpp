// The raw argument text Windows hands the program, and the single-instance name per folder.
#include <gtest/gtest.h>

#include "platform/win32/command_line.h"
#include "platform/win32/single_instance.h"

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
  SingleInstance first(L"C:\\velto-test-folder");
  SingleInstance second(L"C:\\VELTO-TEST-FOLDER");
  SingleInstance elsewhere(L"C:\\velto-other-folder");
  EXPECT_TRUE(first.Claim());
  EXPECT_TRUE(first.Claim());  // holding it already
  EXPECT_FALSE(second.Claim());
  EXPECT_TRUE(elsewhere.Claim());
}

}  // namespace
}  // namespace velto::win32
