// The private-profile rules over file content, and the file itself in a real folder.
#include "settings/profile_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <random>
#include <set>
#include <string>

#include "support/temp_folder.h"

namespace velto {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

struct LookupCase {
  const char* name;
  std::string content;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

TEST(ProfileLookup, FollowsThePrivateProfileRules) {
  const LookupCase cases[] = {
      {"plain", "[Velto]\r\nTop=2880\r\n", "Velto", "Top", "2880"},
      {"names ignore case", "[velto]\r\ntOP=1\r\n", "VELTO", "Top", "1"},
      {"blanks around names", "  [ Velto ]  \r\n  Top  = 5 \r\n", "Velto", "Top", "5"},
      {"blanks around value", "[S]\nk=   a b   \n", "S", "k", "a b"},
      {"tabs are blanks", "[S]\nk=\t x\t\n", "S", "k", "x"},
      {"double quotes dropped", "[S]\nk=\" a \"\n", "S", "k", " a "},
      {"single quotes dropped", "[S]\nk='x'\n", "S", "k", "x"},
      {"one pair only", "[S]\nk=\"\"x\"\"\n", "S", "k", "\"x\""},
      {"unmatched quotes kept", "[S]\nk=\"x'\n", "S", "k", "\"x'"},
      {"lone quote kept", "[S]\nk=\"\n", "S", "k", "\""},
      {"first = splits", "[S]\nk=a=b\n", "S", "k", "a=b"},
      {"empty value", "[S]\nk=\n", "S", "k", ""},
      {"line without =", "[S]\nk\n", "S", "k", ""},
      {"first key wins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
      {"first section wins", "[S]\na=1\n[S]\nk=2\n", "S", "k", std::nullopt},
      {"key of another section", "[A]\nk=1\n[B]\nx=2\n", "B", "k", std::nullopt},
      {"missing section", "[A]\nk=1\n", "B", "k", std::nullopt},
      {"key before any section", "k=1\n[S]\n", "S", "k", std::nullopt},
      {"comment is no key", "[S]\n;k=1\nk=2\n", "S", "k", "2"},
      {"indented comment", "[S]\n  ;k=1\n", "S", "k", std::nullopt},
      {"name ends at first ]", "[S]x]\nk=1\n", "S", "k", "1"},
      {"CR line ends", "[S]\rk=1\rj=2", "S", "j", "2"},
      {"LF line ends", "[S]\nk=1\nj=2", "S", "j", "2"},
      {"mixed line ends", "[S]\r\n\r\n\nk=1\r", "S", "k", "1"},
      {"bracket line without ]", "[S\nk=1\n", "S", "k", "1"},
      {"empty file", "", "S", "k", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProfileLookup(c.content, c.section, c.key), c.expected) << c.name;
  }
}

TEST(ProfileLookup, ToleratesJunk) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
  EXPECT_NO_FATAL_FAILURE(ProfileLookup(junk, "S", "k"));

  const std::string with_nul = std::string("[S]\nk=a\0b\n", 10);
  EXPECT_EQ(ProfileLookup(with_nul, "S", "k"), std::string("a\0b", 3));

  // Shift-JIS with a broken lead byte, and a value whose trail byte is "]".
  EXPECT_EQ(ProfileLookup("[S]\nk=\x83\n[T]\nj=\x83\x5D\n", "T", "j"), "\x83\x5D");

  const std::string long_line = "[S]\nk=" + std::string(1 << 20, 'x') + "\n";
  EXPECT_EQ(ProfileLookup(long_line, "S", "k")->size(), std::size_t{1} << 20);
}

struct UpdateCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  std::string value;
  std::string after;
};

TEST(ProfileUpdate, ChangesOnlyWhatItMust) {
  const UpdateCase cases[] = {
      {"new file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
      {"new section at end", "[A]\r\nx=1\r\n", "S", "k", "v", "[A]\r\nx=1\r\n[S]\r\nk=v\r\n"},
      {"new section after unterminated line", "[A]\nx=1", "S", "k", "v",
       "[A]\nx=1\r\n[S]\r\nk=v\r\n"},
      {"new key after last line of section", "[S]\r\na=1\r\n[T]\r\nb=2\r\n", "S", "k", "v",
       "[S]\r\na=1\r\nk=v\r\n[T]\r\nb=2\r\n"},
      {"new key before blank lines", "[S]\na=1\n\n\n[T]\n", "S", "k", "v",
       "[S]\na=1\nk=v\r\n\n\n[T]\n"},
      {"new key in empty section", "[S]\n[T]\n", "S", "k", "v", "[S]\nk=v\r\n[T]\n"},
      {"new key at end of unterminated file", "[S]\na=1", "S", "k", "v", "[S]\na=1\r\nk=v\r\n"},
      {"replace keeps spelling and line end", "[s]\rKEY = old \rz=1", "S", "key", "new",
       "[s]\rKEY =new\rz=1"},
      {"replace first of two", "[S]\nk=1\nk=2\n", "S", "k", "9", "[S]\nk=9\nk=2\n"},
      {"replace line without =", "[S]\nk\n", "S", "k", "v", "[S]\nk=v\n"},
      {"replace keeps other lines", ";c\n\n[S]\n;note\n  k=1\t\n[T]\nk=2\n", "S", "k", "3",
       ";c\n\n[S]\n;note\n  k=3\n[T]\nk=2\n"},
      {"value line breaks become blanks", "", "S", "k", std::string("a\r\nb\0c", 6),
       "[S]\r\nk=a  b c\r\n"},
      {"key line breaks become blanks", "", "S", "k\nx", "v", "[S]\r\nk x=v\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProfileUpdate(c.before, c.section, c.key, c.value), c.after) << c.name;
  }
}

TEST(ProfileUpdate, KeepsEveryOtherByteOfJunk) {
  std::string junk;
  for (int i = 0; i < 2048; ++i) junk += static_cast<char>((i * 31 + 7) & 0xFF);
  junk += "\r\n";
  const std::string after = ProfileUpdate(junk, "Velto", "Top", "1");
  EXPECT_EQ(after.substr(0, junk.size()), junk);
  EXPECT_EQ(ProfileLookup(after, "Velto", "Top"), "1");
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Random files from the characters that matter to the format: a write must make its key read
// back as written and leave every other key's value as it was.
TEST(ProfileUpdate, RandomFilesKeepEveryOtherKey) {
  const std::string alphabet = "[]=; \t\r\n\"'aAbB";
  const std::string names[] = {"a", "A", "b", "ab", "B a"};
  std::mt19937 random(12345);
  const auto pick = [&](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  const int rounds =
      std::getenv("VELTO_FUZZ_ROUNDS") ? std::atoi(std::getenv("VELTO_FUZZ_ROUNDS")) : 3000;
  for (int round = 0; round < rounds; ++round) {
    std::string content;
    for (std::size_t i = pick(40); i > 0; --i) content += alphabet[pick(alphabet.size())];
    const std::string section = names[pick(5)], key = names[pick(5)];
    const std::string updated = ProfileUpdate(content, section, key, "v=1");
    ASSERT_EQ(ProfileLookup(updated, section, key), "v=1") << testing::PrintToString(content);
    for (const auto& s : names) {
      for (const auto& k : names) {
        const bool written = Lower(s) == Lower(section) && Lower(k) == Lower(key);
        if (!written) {
          ASSERT_EQ(ProfileLookup(updated, s, k), ProfileLookup(content, s, k))
              << testing::PrintToString(content) << " wrote [" << section << "] " << key;
        }
      }
    }
  }
}

TEST(ProfileFile, MissingFileReadsAsEmptyAndIsCreatedByTheFirstWrite) {
  TempFolder folder;
  const ProfileFile file(folder / "velto.ini", folder.files());
  EXPECT_EQ(file.Load(), std::string());
  EXPECT_EQ(file.Read("S", "k"), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(file.path()));
  ASSERT_TRUE(file.Write("S", "k", "v"));
  EXPECT_EQ(ReadBytes(file.path()), "[S]\r\nk=v\r\n");
  EXPECT_EQ(file.Read("s", "K"), "v");
}

TEST(ProfileFile, RewriteClearsLeftoverTemporaryFilesOnlyAndKeepsPermissions) {
  TempFolder folder;
  const ProfileFile file(folder / "velto.ini", folder.files());
  WriteBytes(file.path(), "[S]\r\nk=1\r\n");
  std::filesystem::permissions(
      file.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  const auto perms_before = std::filesystem::status(file.path()).permissions();
  // What killed writes leave, and names only like them, which are the user's.
  for (const char* leftover : {"velto.ini.123.tmp", "velto.ini.Ab3xYz.tmp"})
    WriteBytes(folder / leftover, "half a file");
  const std::set<std::string> others{"velto.ini.tmp",   "velto.ini.1.tmp.txt",  "velto.ini.a_b.tmp",
                                     "velto.ini.2.TMP", "other.ini.1.tmp",      "xvelto.ini.1.tmp",
                                     "velto.ini..tmp",  "velto.ini.1.tmp.1.tmp"};
  for (const auto& name : others) WriteBytes(folder / name, "mine");

  for (int i = 0; i < 5; ++i) ASSERT_TRUE(file.Write("S", "k", std::to_string(i)));
  EXPECT_EQ(ReadBytes(file.path()), "[S]\r\nk=4\r\n");
  EXPECT_EQ(std::filesystem::status(file.path()).permissions(), perms_before);
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder.path()))
    names.insert(e.path().filename().string());
  std::set<std::string> expected = others;
  expected.insert("velto.ini");
  EXPECT_EQ(names, expected);
}

#ifndef _WIN32
TEST(ProfileFile, WritingThroughALinkChangesTheLinkedFile) {
  TempFolder folder;
  WriteBytes(folder / "real.ini", "[S]\r\nk=1\r\n");
  std::filesystem::create_symlink("real.ini", folder / "velto.ini");
  ASSERT_TRUE(ProfileFile(folder / "velto.ini", folder.files()).Write("S", "k", "2"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "velto.ini"));
  EXPECT_EQ(ReadBytes(folder / "real.ini"), "[S]\r\nk=2\r\n");
}
#endif

TEST(ProfileFile, FailuresReturnFalseAndLoseNothing) {
  TempFolder folder;
  // A folder with the file's name.
  std::filesystem::create_directory(folder / "velto.ini");
  const ProfileFile dir_file(folder / "velto.ini", folder.files());
  EXPECT_EQ(dir_file.Load(), std::nullopt);
  EXPECT_EQ(dir_file.Read("S", "k"), std::nullopt);
  EXPECT_FALSE(dir_file.Write("S", "k", "v"));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "velto.ini"));

  // A missing folder.
  const ProfileFile lost(folder / "no-such-folder" / "velto.ini", folder.files());
  EXPECT_EQ(lost.Load(), std::nullopt);
  EXPECT_FALSE(lost.Write("S", "k", "v"));
  EXPECT_FALSE(std::filesystem::exists(folder / "no-such-folder"));

  // A read-only file: readable, never changed.
  TempFolder other;
  const ProfileFile read_only(other / "velto.ini", other.files());
  WriteBytes(read_only.path(), "[S]\r\nk=old\r\n");
  std::filesystem::permissions(read_only.path(), std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::group_read |
                                                     std::filesystem::perms::others_read);
  EXPECT_EQ(read_only.Read("S", "k"), "old");
  EXPECT_FALSE(read_only.Write("S", "k", "new"));
  EXPECT_EQ(ReadBytes(read_only.path()), "[S]\r\nk=old\r\n");
}

TEST(ProfileFile, ReadOnlyFolderWithWritableFileIsRewrittenInPlace) {
  TempFolder folder;
  const auto sub = folder / "ro";
  std::filesystem::create_directory(sub);
  const ProfileFile file(sub / "velto.ini", folder.files());
  WriteBytes(file.path(), "[S]\r\nk=a long old value\r\n");
  std::filesystem::permissions(sub,
                               std::filesystem::perms::owner_write |
                                   std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  ASSERT_TRUE(file.Write("S", "k", "new"));
  EXPECT_EQ(ReadBytes(file.path()), "[S]\r\nk=new\r\n");  // shorter: cut to its new length
  ASSERT_TRUE(file.Write("S", "j", "2"));
  EXPECT_EQ(ReadBytes(file.path()), "[S]\r\nk=new\r\nj=2\r\n");
}

TEST(ProfileFile, LargeAndBinaryFilesSurviveAWrite) {
  TempFolder folder;
  const ProfileFile file(folder / "velto.ini", folder.files());
  std::string content = "[Velto]\r\nTop=1\r\nBig=" + std::string(1 << 20, 'x') + "\r\n";
  for (int i = 0; i < 256; ++i) content += static_cast<char>(i);
  content += "\r\n";
  WriteBytes(file.path(), content);
  ASSERT_TRUE(file.Write("Velto", "Top", "2"));
  std::string expected = content;
  expected.replace(expected.find("Top=1"), 5, "Top=2");
  EXPECT_EQ(ReadBytes(file.path()), expected);
}

}  // namespace
}  // namespace velto
