// Settings writes over a disk that fails on demand: whatever step fails, velto.ini is either
// wholly the old file or wholly the new one, and no temporary file stays behind.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/settings_store.h"
#include "support/fake_file_system.h"
#include "support/real_disk.h"

namespace velto::test {
namespace {

using TempFiles = FakeFileSystem::TempFiles;

struct WriteFault {
  const char* name;
  TempFiles temp_files;
  bool renames_fail;
  std::optional<std::size_t> room;  // bytes left on the disk
  bool stored;                      // the new value reached the file
};

class SettingsWriteFaults : public ::testing::TestWithParam<WriteFault> {
 protected:
  static constexpr std::string_view kOld = "[Velto]\r\nAlwaysTop=0\r\n; the user's note\r\n";

  SettingsWriteFaults() {
    files.AddFolder(folder);
    files.AddFile(ini, std::string(kOld));
  }

  const FilePath folder = FilePath("/fake/velto");
  const FilePath ini = folder / FilePath("velto.ini");
  FakeFileSystem files;
  SystemTextCodec codec;
  SettingsStore store{folder, Disk(files, codec)};
};

TEST_P(SettingsWriteFaults, OldFileStaysWholeUnlessTheNewOneIsWholeAndNoTempFileStays) {
  const WriteFault& fault = GetParam();
  files.temp_files = fault.temp_files;
  files.renames_fail = fault.renames_fail;
  files.room = fault.room;

  const bool written = store.WriteSetting("Velto", "AlwaysTop", "1");

  EXPECT_EQ(written, fault.stored);
  const std::optional<std::string> now = files.Content(ini);
  ASSERT_TRUE(now.has_value()) << "velto.ini is gone";
  if (fault.stored) {
    EXPECT_EQ(store.ReadSetting("Velto", "AlwaysTop"), "1");
    EXPECT_NE(now->find("; the user's note\r\n"), std::string::npos);
  } else {
    EXPECT_EQ(*now, kOld);
  }
  EXPECT_EQ(files.LeftoversBeside(ini), 0u);
}

// The new file is 200 characters longer than the old one (the padded field).
INSTANTIATE_TEST_SUITE_P(
    Faults, SettingsWriteFaults,
    ::testing::Values(
        WriteFault{"Healthy", TempFiles::Made, false, std::nullopt, true},
        WriteFault{"RenameFails", TempFiles::Made, true, std::nullopt, false},
        WriteFault{"DiskFullWhileWritingTheTempFile", TempFiles::Made, false, 100, false},
        // Only a folder that refuses new files sends the write to the file itself.
        WriteFault{"TempFileRefusedRewritesInPlace", TempFiles::Refused, false, std::nullopt, true},
        WriteFault{"TempFileFailedForAnotherReasonLeavesTheFile", TempFiles::Failed, false,
                   std::nullopt, false},
        // In place, the grown tail goes first: the full disk stops the write before any old
        // byte is touched, and the partial tail is cut off again.
        WriteFault{"TempFileRefusedAndDiskFullInPlace", TempFiles::Refused, false, 50, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velto::test
