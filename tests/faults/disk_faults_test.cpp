// A full disk and a read-only settings file: every write fails cleanly, velto.ini keeps its old
// bytes, no temporary file is left behind, and the search bar runs on through its closing steps.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "main/search_bar.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "small_tmpfs.h"
#include "support/fake_platform.h"
#include "support/fake_search_bar_view.h"
#include "support/temp_folder.h"

namespace velto::test {
namespace {

namespace fs = std::filesystem;

// The folder's entries other than velto.ini, the log and the filler made by the test.
std::vector<std::string> Leftovers(const fs::path& folder) {
  std::vector<std::string> out;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name != "velto.ini" && name != "log.txt" && name != "filler" && !name.starts_with("empty"))
      out.push_back(name);
  }
  return out;
}

// A whole session of the search bar in the folder: start, a search, the closing steps.
void RunSession(const fs::path& folder, const std::string& query) {
  RealDisk disk;
  FakePlatform platform(folder);
  FakeSearchBarView view;
  SettingsModel model;
  SearchBar bar(model, view, platform, disk.disk());
  bar.Form_Load();
  view.query = query;
  bar.Handle(ButtonClicked{0});
  bar.Handle(WindowClosed{});
  EXPECT_EQ(platform.OpenedAddresses().size(), 1u);  // the search itself still went out
}

class FullDisk : public ::testing::TestWithParam<bool> {};

TEST_P(FullDisk, WritesFailAndTheOldSettingsStayWhole) {
  const bool no_inodes_either = GetParam();
  SmallTmpfs disk(256, 64);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here: " << disk.error();
  RealDisk real;
  const SettingsStore store(disk.path(), real.disk());
  ASSERT_TRUE(store.WriteDefaults());
  const std::string old_bytes = ReadBytes(store.SettingsPath());
  disk.Fill(no_inodes_either);

  // Longer than what it replaces, so the file would have to grow.
  EXPECT_FALSE(store.WriteSetting("SearchData", "SearchName(0)", std::string(5000, 'n')));
  EXPECT_FALSE(store.WriteSetting("Velto", "NewKey", "a key the file does not have yet"));
  EXPECT_TRUE(ReadBytes(store.SettingsPath()) == old_bytes) << "velto.ini changed";

  RunSession(disk.path(), std::string(3000, 'q'));
  EXPECT_TRUE(ReadBytes(store.SettingsPath()) == old_bytes) << "velto.ini changed";
  EXPECT_EQ(Leftovers(disk.path()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(DataOnlyAndDataAndFiles, FullDisk, ::testing::Bool());

TEST(ReadOnlySettingsFile, WritesFailAndTheOldSettingsStayWhole) {
  TempFolder folder;
  const SettingsStore store(folder.path(), folder.disk());
  ASSERT_TRUE(store.WriteDefaults());
  fs::permissions(store.SettingsPath(),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string old_bytes = ReadBytes(store.SettingsPath());

  EXPECT_FALSE(store.WriteSetting("History", "SearchHistory(0)", "tokyo"));
  EXPECT_FALSE(store.WriteDefaults());
  RunSession(folder.path(), "osaka");
  EXPECT_TRUE(ReadBytes(store.SettingsPath()) == old_bytes) << "velto.ini changed";
  EXPECT_EQ(Leftovers(folder.path()), std::vector<std::string>{});
}

}  // namespace
}  // namespace velto::test
