// The system's file system under the settings file, on real files in a temporary folder: what a
// name stands for, atomic replacement, cutting, links, and names beyond ASCII.
#include "ports/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "settings/path_text.h"
#include "support/temp_folder.h"

namespace velto {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

TEST(InspectFile, TellsMissingFilesFoldersAndReadOnlyFiles) {
  TempFolder folder;
  EXPECT_EQ(folder.files().InspectFile(folder / "none.ini").kind, FileKind::Missing);
  EXPECT_EQ(folder.files().InspectFile(folder / "no-folder" / "none.ini").kind, FileKind::Missing);
  EXPECT_EQ(folder.files().InspectFile(folder.path()).kind, FileKind::Folder);

  WriteBytes(folder / "a.ini", "x");
  const FileInfo writable = folder.files().InspectFile(folder / "a.ini");
  EXPECT_EQ(writable.kind, FileKind::File);
  EXPECT_FALSE(writable.read_only);
  fs::permissions(folder / "a.ini",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_TRUE(folder.files().InspectFile(folder / "a.ini").read_only);
  // A file on the way is no folder: the name below it is missing, not unreadable.
  EXPECT_EQ(folder.files().InspectFile(folder / "a.ini" / "b.ini").kind, FileKind::Missing);
}

TEST(RenameOver, ReplacesTheTargetWhole) {
  TempFolder folder;
  WriteBytes(folder / "velto.ini", "old");
  WriteBytes(folder / "velto.ini.1.tmp", "new content");
  ASSERT_TRUE(folder.files().RenameOver(folder / "velto.ini.1.tmp", folder / "velto.ini"));
  EXPECT_EQ(ReadBytes(folder / "velto.ini"), "new content");
  EXPECT_FALSE(fs::exists(folder / "velto.ini.1.tmp"));
  EXPECT_FALSE(folder.files().RenameOver(folder / "gone.tmp", folder / "velto.ini"));
  EXPECT_EQ(ReadBytes(folder / "velto.ini"), "new content");
}

TEST(TempFilesBeside, NewOnesAreDistinctEmptyAndFoundBesideTheirFileOnly) {
  TempFolder folder;
  WriteBytes(folder / "velto.ini", "old");
  const FilePath settings = folder / "velto.ini";
  const NewTempFile first = folder.files().CreateTempFileBeside(settings);
  const NewTempFile second = folder.files().CreateTempFileBeside(settings);
  ASSERT_TRUE(first.path && second.path);
  EXPECT_NE(*first.path, *second.path);
  EXPECT_EQ(ReadBytes(*first.path), "");
  EXPECT_EQ(ReadBytes(settings), "old");
  WriteBytes(folder / "other.ini", "");
  ASSERT_TRUE(folder.files().CreateTempFileBeside(folder / "other.ini").path);

  const std::vector<FilePath> found = folder.files().TempFilesBeside(settings);
  EXPECT_EQ(found.size(), 2u);
  for (const FilePath& made : {*first.path, *second.path})
    EXPECT_NE(std::find(found.begin(), found.end(), made), found.end());
  EXPECT_TRUE(folder.files().TempFilesBeside(folder / "none.ini").empty());
  EXPECT_TRUE(folder.files().TempFilesBeside(folder / "no-folder" / "velto.ini").empty());
  EXPECT_FALSE(folder.files().CreateTempFileBeside(folder / "no-folder" / "velto.ini").path);
}

TEST(TruncateFile, CutsAndExtendsWithZeros) {
  TempFolder folder;
  WriteBytes(folder / "f", "0123456789");
  ASSERT_TRUE(folder.files().TruncateFile(folder / "f", 4));
  EXPECT_EQ(ReadBytes(folder / "f"), "0123");
  ASSERT_TRUE(folder.files().TruncateFile(folder / "f", 6));
  EXPECT_EQ(ReadBytes(folder / "f"), std::string("0123\0\0", 6));
  EXPECT_FALSE(folder.files().TruncateFile(folder / "missing", 0));
  EXPECT_FALSE(fs::exists(folder / "missing"));
}

TEST(RemoveFile, RemovesOnlyWhatIsThere) {
  TempFolder folder;
  WriteBytes(folder / "f", "x");
  EXPECT_TRUE(folder.files().RemoveFile(folder / "f"));
  EXPECT_FALSE(fs::exists(folder / "f"));
  EXPECT_FALSE(folder.files().RemoveFile(folder / "f"));
}

TEST(FileOps, NamesBeyondAsciiReachTheSameFile) {
  TempFolder folder;
  const FilePath base = folder.path();
  const FilePath name = base / FilePathFromUtf8("設定 ☃ 😀.ini");
  WriteBytes(folder.path() / fs::path(u8"設定 ☃ 😀.ini"), "bytes");
  EXPECT_EQ(folder.files().InspectFile(name).kind, FileKind::File);
  ASSERT_TRUE(folder.files().TruncateFile(name, 2));
  EXPECT_EQ(ReadBytes(folder.path() / fs::path(u8"設定 ☃ 😀.ini")), "by");
  ASSERT_TRUE(folder.files().RenameOver(name, base / FilePathFromUtf8("検索.ini")));
  EXPECT_EQ(ReadBytes(folder.path() / fs::path(u8"検索.ini")), "by");
}

#ifndef _WIN32
TEST(FollowLink, ResolvesLinksAndRefusesDanglingOnes) {
  TempFolder folder;
  WriteBytes(folder / "real.ini", "x");
  fs::create_symlink("real.ini", folder / "one");
  fs::create_symlink("one", folder / "two");
  fs::create_symlink("nowhere", folder / "dangling");
  EXPECT_EQ(folder.files().FollowLink(folder / "two"), fs::canonical(folder / "real.ini"));
  EXPECT_EQ(folder.files().FollowLink(folder / "real.ini"), folder / "real.ini");
  EXPECT_EQ(folder.files().FollowLink(folder / "missing"), folder / "missing");
  EXPECT_EQ(folder.files().FollowLink(folder / "dangling"), std::nullopt);
  EXPECT_EQ(folder.files().InspectFile(folder / "dangling").kind, FileKind::Missing);
}

TEST(SetPermissions, CopiesThePermissionBits) {
  TempFolder folder;
  WriteBytes(folder / "a", "x");
  WriteBytes(folder / "b", "x");
  fs::permissions(folder / "a",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(
      folder.files().SetPermissions(folder / "b", folder.files().InspectFile(folder / "a")));
  EXPECT_EQ(fs::status(folder / "b").permissions(), fs::status(folder / "a").permissions());
}
#endif

}  // namespace
}  // namespace velto
