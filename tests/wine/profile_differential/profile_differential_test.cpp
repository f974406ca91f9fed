// The same files and calls through ProfileFile and through the system's private-profile
// functions; results and file bytes must agree.
//
// Left out on purpose, because Wine's functions differ from Windows' there and either answer
// would prove nothing: files with a byte-order mark; keys that begin with ";" (Wine finds
// comment lines as keys); a "[" line without "]", and a header with a second "]" (Wine ends
// the name at the last "]"); a key line without "="; and, for writes, files that Wine rewrites
// in its own form rather than editing them (LF or CR line ends, blank lines, blanks around
// "=" or before a line); values written with blanks in front (Wine drops them; the store
// quotes such values anyway); other white space than blanks and tabs. A read-only file is checked
// on our side only: Wine run as root writes it where Windows refuses.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/profile_file.h"
#include "support/temp_folder.h"

namespace velto {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

constexpr char kDefault[] = "<missing>";

std::string SystemRead(const std::filesystem::path& file, const std::string& section,
                       const std::string& key) {
  std::vector<char> buffer(1 << 20);
  const DWORD length =
      GetPrivateProfileStringA(section.c_str(), key.c_str(), kDefault, buffer.data(),
                               static_cast<DWORD>(buffer.size()), file.string().c_str());
  return std::string(buffer.data(), length);
}

struct ReadCase {
  const char* name;
  std::string content;
  const char* section;
  const char* key;
};

TEST(ProfileDifferential, ReadsAgreeWithTheSystem) {
  const std::string sjis_name = "\x83\x74\x83\x8C\x83\x62\x83\x56\x83\x85";  // フレッシュ
  const ReadCase cases[] = {
      {"plain", "[Velto]\r\nTop=2880\r\n", "Velto", "Top"},
      {"missing file", "", "Velto", "Top"},
      {"missing section", "[A]\r\nk=1\r\n", "Velto", "k"},
      {"missing key", "[Velto]\r\nk=1\r\n", "Velto", "Top"},
      {"case of names", "[velto]\r\nTOP=1\r\n", "VELTO", "top"},
      {"blanks around names", "  [ Velto ]\r\n  Top  =  7  \r\n", "Velto", "Top"},
      {"padded field", "[S]\r\nk=1" + std::string(199, ' ') + "\r\n", "S", "k"},
      {"double quotes", "[S]\r\nk=\" a b \"\r\n", "S", "k"},
      {"single quotes", "[S]\r\nk='x'   \r\n", "S", "k"},
      {"quoted phrase kept once", "[S]\r\nk=\"\"tokyo tower\"\"\r\n", "S", "k"},
      {"unmatched quotes", "[S]\r\nk=\"x'\r\n", "S", "k"},
      {"lone quote", "[S]\r\nk=\"\r\n", "S", "k"},
      {"empty value", "[S]\r\nk=\r\n", "S", "k"},
      {"first = splits", "[S]\r\nk=a=b\r\n", "S", "k"},
      {"first key wins", "[S]\r\nk=1\r\nk=2\r\n", "S", "k"},
      {"first section wins", "[S]\r\na=1\r\n[S]\r\nk=2\r\n", "S", "k"},
      {"key in another section", "[A]\r\nk=1\r\n[B]\r\nj=2\r\n", "B", "k"},
      {"comment line", "[S]\r\n;x=1\r\nk=2\r\n", "S", "k"},
      {"LF lines", "[S]\nk=1\nj=2\n", "S", "j"},
      {"CR lines", "[S]\rk=1\rj=2", "S", "j"},
      {"blank lines", "\r\n\r\n[S]\r\n\r\nk=1\r\n\r\n", "S", "k"},
      {"no final line break", "[S]\r\nk=last", "S", "k"},
      {"Shift-JIS value", "[S]\r\nk=" + sjis_name + "\r\n", "S", "k"},
      {"long value", "[S]\r\nk=" + std::string(5000, 'v') + "\r\n", "S", "k"},
      {"tabs around value", "[S]\r\nk=\tv\t\r\n", "S", "k"},
      {"indexed key", "[SearchData]\r\nSearchName(10)=x\r\nSearchName(1)=y\r\n", "SearchData",
       "SearchName(1)"},
  };
  TempFolder folder;
  int index = 0;
  for (const auto& c : cases) {
    // A fresh name per case: the system may cache a file it has read.
    const auto file = folder / ("read" + std::to_string(index++) + ".ini");
    if (std::string_view(c.name) != "missing file") WriteBytes(file, c.content);
    const std::string ours =
        ProfileFile(file, folder.files()).Read(c.section, c.key).value_or(kDefault);
    EXPECT_EQ(ours, SystemRead(file, c.section, c.key)) << c.name;
  }
}

struct WriteCase {
  const char* name;
  std::string content;  // empty: no file at first
  const char* section;
  const char* key;
  std::string value;
};

TEST(ProfileDifferential, WritesLeaveTheSameBytes) {
  const WriteCase cases[] = {
      {"create file", "", "Velto", "Top", "2880"},
      {"replace value", "[Velto]\r\nTop=1\r\nLeft=2\r\n", "Velto", "Top", "3"},
      {"replace keeps spelling", "[velto]\r\ntOp=1\r\n", "Velto", "Top", "3"},
      {"new key ends its section", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n", "A", "k", "v"},
      {"new key in last section", "[A]\r\nx=1\r\n", "A", "k", "v"},
      {"new key in empty section", "[A]\r\n[B]\r\ny=2\r\n", "A", "k", "v"},
      {"new section at end", "[A]\r\nx=1\r\n", "B", "k", "v"},
      {"first of two sections", "[A]\r\nx=1\r\n[A]\r\ny=2\r\n", "A", "k", "v"},
      {"comments kept", ";head\r\n[A]\r\n;note\r\nx=1\r\n", "A", "x", "2"},
      {"padded field", "[Velto]\r\nTop=1\r\n", "Velto", "Top", "5" + std::string(199, ' ')},
      {"quoted field", "", "History", "SearchHistory(0)",
       "\"\"tokyo tower\"\"" + std::string(185, ' ')},
      {"Shift-JIS value", "", "SearchData", "SearchName(5)",
       "\x83\x74\x83\x8C\x83\x62\x83\x56\x83\x85\x83\x41\x83\x43"},
      {"empty value", "[A]\r\nx=1\r\n", "A", "x", ""},
      {"new key after unterminated last line", "[A]\r\nx=1", "A", "y", "2"},
  };
  TempFolder folder;
  int index = 0;
  for (const auto& c : cases) {
    const auto theirs = folder / ("system" + std::to_string(index) + ".ini");
    const auto ours = folder / ("ours" + std::to_string(index) + ".ini");
    ++index;
    if (!c.content.empty()) {
      WriteBytes(theirs, c.content);
      WriteBytes(ours, c.content);
    }
    const bool system_ok = WritePrivateProfileStringA(c.section, c.key, c.value.c_str(),
                                                      theirs.string().c_str()) != FALSE;
    const bool our_ok = ProfileFile(ours, folder.files()).Write(c.section, c.key, c.value);
    EXPECT_EQ(our_ok, system_ok) << c.name;
    EXPECT_EQ(ReadBytes(ours), ReadBytes(theirs)) << c.name;
  }
}

TEST(ProfileDifferential, WritesFailAlikeWhereTheFileCannotBeWritten) {
  TempFolder folder;
  const auto missing = folder / "missing" / "velto.ini";
  EXPECT_EQ(ProfileFile(missing, folder.files()).Write("A", "k", "v"),
            WritePrivateProfileStringA("A", "k", "v", missing.string().c_str()) != FALSE);

  // Windows refuses to write a read-only file; Wine, run as root, writes it all the same, so
  // here only our side is checked.
  const auto read_only = folder / "read-only.ini";
  WriteBytes(read_only, "[A]\r\nk=1\r\n");
  SetFileAttributesW(read_only.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(ProfileFile(read_only, folder.files()).Write("A", "k", "2"));
  EXPECT_EQ(ReadBytes(read_only), "[A]\r\nk=1\r\n");
  SetFileAttributesW(read_only.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace velto
