// Inputs far beyond normal use: a 50 MB settings file, a 200 MB dropped text file and a 1 MB
// single-line query. None crashes, and each takes time in proportion to its size; the bounds are
// many times what this machine needs, even in the sanitizer build, so they only catch a hang or
// a run-away (quadratic) cost.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "main/search_bar.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "support/fake_platform.h"
#include "support/fake_search_bar_view.h"
#include "support/temp_folder.h"

namespace velto::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Writes about `megabytes` MB of lines made by line(i), in 1 MB pieces.
template <typename LineMaker>
void WriteLines(const fs::path& file, std::size_t megabytes, LineMaker line) {
  std::ofstream out(file, std::ios::binary);
  std::string piece;
  std::size_t written = 0;
  for (std::size_t i = 0; written < (megabytes << 20); ++i) {
    piece += line(i);
    if (piece.size() >= (1u << 20)) {
      out << piece;
      written += piece.size();
      piece.clear();
    }
  }
  out << piece;
}

struct Session {
  explicit Session(const fs::path& folder)
      : platform(folder), bar(model, view, platform, disk.disk()) {}
  RealDisk disk;
  FakePlatform platform;
  FakeSearchBarView view;
  SettingsModel model;
  SearchBar bar;
};

TEST(LargeInput, FiftyMegabyteSettingsFileLoadsAndTakesWrites) {
  TempFolder folder;
  ASSERT_TRUE(SettingsStore(folder.path(), folder.disk()).WriteDefaults());
  // The program's keys first, then 50 MB of sections and keys nobody reads.
  WriteLines(folder / "extra.ini", 50, [](std::size_t i) {
    return (i % 1000 == 0 ? "[Section" + std::to_string(i) + "]\r\n" : std::string()) + "Key" +
           std::to_string(i) + "=" + std::string(40, 'v') + "\r\n";
  });
  {
    std::ofstream out(folder / "velto.ini", std::ios::binary | std::ios::app);
    std::ifstream in(folder / "extra.ini", std::ios::binary);
    out << in.rdbuf();
  }
  fs::remove(folder / "extra.ini");
  ASSERT_GE(fs::file_size(folder / "velto.ini"), 50u << 20);

  const auto start = Clock::now();
  Session session(folder.path());
  session.bar.Form_Load();
  EXPECT_EQ(session.model.SearchName[0], "Yahoo!");
  session.view.query = "tokyo";
  session.bar.Handle(ButtonClicked{0});
  session.bar.Handle(WindowClosed{});  // a dozen writes, each rewriting the 50 MB file
  EXPECT_EQ(SettingsStore(folder.path(), folder.disk()).ReadSetting("History", "SearchHistory(0)"),
            "tokyo");
  EXPECT_EQ(SettingsStore(folder.path(), folder.disk()).ReadSetting("Section49000", "Key49999"),
            std::string(40, 'v'));
  EXPECT_LT(SecondsSince(start), 240.0);
}

TEST(LargeInput, TwoHundredMegabyteDroppedFileIsCutShortNotSwallowed) {
  TempFolder folder;
  ASSERT_TRUE(SettingsStore(folder.path(), folder.disk()).WriteDefaults());
  WriteLines(folder / "huge.txt", 200,
             [](std::size_t i) { return "query number " + std::to_string(i) + "\r\n"; });

  const auto start = Clock::now();
  Session session(folder.path());
  session.bar.Form_Load();
  session.bar.Handle(Drop{{}, {std::nullopt, {folder / "huge.txt"}}});
  const auto& entries = session.bar.History().Entries();
  // The reader's limits keep the list to a million lines, in file order, newest on top.
  ASSERT_FALSE(entries.empty());
  EXPECT_LE(entries.size(), 1'000'000u + 10u);
  EXPECT_EQ(entries.front().rfind("query number ", 0), 0u);
  session.bar.Handle(WindowClosed{});
  EXPECT_LT(SecondsSince(start), 240.0);
}

TEST(LargeInput, OneMegabyteSingleLineQueryIsSearchedStoredAndReadBack) {
  TempFolder folder;
  ASSERT_TRUE(SettingsStore(folder.path(), folder.disk()).WriteDefaults());
  std::string query;
  for (int i = 0; query.size() < (1u << 20); ++i) query += "検索語" + std::to_string(i) + " ";
  query += "end";

  const auto start = Clock::now();
  {
    Session session(folder.path());
    session.bar.Form_Load();
    session.view.query = query;
    session.bar.Handle(ButtonClicked{0});
    ASSERT_EQ(session.platform.OpenedAddresses().size(), 1u);
    EXPECT_EQ(session.platform.OpenedAddresses()[0].size(),
              std::string("http://search.yahoo.co.jp/bin/search?p=").size() + query.size());
    session.bar.Handle(WindowClosed{});
  }
  EXPECT_EQ(SettingsStore(folder.path(), folder.disk()).ReadSetting("History", "SearchHistory(0)"),
            query);
  Session again(folder.path());
  again.bar.Form_Load();
  ASSERT_FALSE(again.bar.History().Entries().empty());
  EXPECT_EQ(again.bar.History().Entries().front(), query);
  EXPECT_LT(SecondsSince(start), 120.0);
}

}  // namespace
}  // namespace velto::test
