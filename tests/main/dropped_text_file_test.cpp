// Reading dropped text files: line endings, empty lines, encodings, failures and limits.
#include "main/dropped_text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace velto::test {
namespace {

using Lines = std::vector<std::string>;

class DroppedTextFile : public ::testing::Test {
 protected:
  TempFolder folder;
  Lines Read(std::string_view bytes, const DroppedFileLimits& limits = {}) {
    WriteBytes(folder / "drop.txt", bytes);
    return ReadDroppedTextLines(folder.disk(), folder / "drop.txt", limits);
  }
};

TEST(DroppedTextFileName, EndsInTxtInAnyCase) {
  for (const char* name : {"a.TXT", "a.txt", "log.Txt", "x.y.tXt", ".txt"})
    EXPECT_TRUE(IsDroppedTextFileName(name)) << name;
  EXPECT_TRUE(IsDroppedTextFileName(std::filesystem::path(u8"日本語の検索語.txt")));
  for (const char* name : {"a.text", "a.txt.bak", "atxt", "a.tx", "txt", "", "a.TXT ", "a.csv"})
    EXPECT_FALSE(IsDroppedTextFileName(name)) << name;
}

TEST_F(DroppedTextFile, LineEndings_CrCrLfAndLoneLfAllEndLines) {
  EXPECT_EQ(Read("a\rb\r\nc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(Read("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(Read("only"), (Lines{"only"})) << "a last line without an ending counts";
}

TEST_F(DroppedTextFile, EmptyLines_AddNothing) {
  EXPECT_EQ(Read("A\r\n\r\nB\r\n"), (Lines{"A", "B"}));
  EXPECT_EQ(Read("\r\n\n\r\r\n"), Lines{});
  EXPECT_EQ(Read(""), Lines{});
  EXPECT_EQ(Read(" \r\n"), (Lines{" "})) << "a blank is not empty";
}

TEST_F(DroppedTextFile, CrLfSplitAcrossReadChunks_StillOneEnding) {
  // The reader works in 64 KiB pieces; put a CRLF across the first boundary.
  std::string bytes(65535, 'x');
  bytes += "\r\nnext";
  EXPECT_EQ(Read(bytes), (Lines{std::string(65535, 'x'), "next"}));
}

TEST_F(DroppedTextFile, Encodings_Utf8WithAndWithoutBomAnsiAndUtf16) {
  EXPECT_EQ(Read("東京\r\nタワー"), (Lines{"東京", "タワー"}));
  EXPECT_EQ(Read("\xEF\xBB\xBF東京\r\n"), (Lines{"東京"})) << "the mark is not text";
  EXPECT_EQ(Read(folder.codec().AnsiFromUtf8("東京\r\nソース表示")), (Lines{"東京", "ソース表示"}));
  // One invalid line makes the whole file ANSI, its valid-looking ASCII lines included.
  EXPECT_EQ(Read("abc\r\n" + folder.codec().AnsiFromUtf8("検索")), (Lines{"abc", "検索"}));

  const std::string le("\xFF\xFE\x71\x67\xAC\x4E\r\0\n\0a\0\n\0", 14);  // 東京 CRLF a LF
  EXPECT_EQ(Read(le), (Lines{"東京", "a"}));
  const std::string be("\xFE\xFF\x67\x71\x4E\xAC\0\r\0b", 10);
  EXPECT_EQ(Read(be), (Lines{"東京", "b"}));
  const std::string surrogate_pair("\xFF\xFE\x3D\xD8\x00\xDE", 6);  // U+1F600
  EXPECT_EQ(Read(surrogate_pair), (Lines{"\xF0\x9F\x98\x80"}));
}

TEST_F(DroppedTextFile, MissingFileOrFolder_NoLines) {
  EXPECT_EQ(ReadDroppedTextLines(folder.disk(), folder / "missing.txt"), Lines{});
  std::filesystem::create_directory(folder / "folder.txt");
  EXPECT_EQ(ReadDroppedTextLines(folder.disk(), folder / "folder.txt"), Lines{});
}

TEST_F(DroppedTextFile, Limits_StopReadingAndKeepWhatWasRead) {
  EXPECT_EQ(Read("a\nb\nc\nd\n", {.max_lines = 2, .max_bytes = 100}), (Lines{"a", "b"}));
  EXPECT_EQ(Read("aaaa\nbbbb\ncccc", {.max_lines = 100, .max_bytes = 9}), (Lines{"aaaa", "bbbb"}));
  // A single line larger than the budget is not kept half.
  EXPECT_EQ(Read(std::string(200'000, 'z'), {.max_lines = 10, .max_bytes = 100'000}), Lines{});
}

}  // namespace
}  // namespace velto::test
