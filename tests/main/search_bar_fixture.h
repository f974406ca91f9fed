#pragma once
// A search bar over a fake window and a fake system, with a real program folder for
// velto.ini, log.txt and dropped files.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "main/search_bar.h"
#include "settings/settings_model.h"
#include "support/fake_platform.h"
#include "support/fake_search_bar_view.h"
#include "support/temp_folder.h"

namespace velto::test {

// A search bar started afresh in a folder of its own, from settings-file bytes and arguments.
struct FreshStart {
  FreshStart(std::string_view ini_bytes, std::string command_line = "") {
    if (!ini_bytes.empty()) WriteBytes(folder / "velto.ini", ini_bytes);
    platform.command_line = std::move(command_line);
    bar.Form_Load();
  }
  TempFolder folder;
  FakePlatform platform{folder.path()};
  FakeSearchBarView view;
  SettingsModel model;
  SearchBar bar{model, view, platform, folder.disk()};
};

class SearchBarTest : public ::testing::Test {
 protected:
  TempFolder folder;
  FakePlatform platform{folder.path()};
  FakeSearchBarView view;
  SettingsModel model;
  SearchBar bar{model, view, platform, folder.disk()};

  // velto.ini as a user would have it: UTF-8 here, the ANSI code page on disk.
  void WriteIni(std::string_view utf8) {
    WriteBytes(folder / "velto.ini", folder.codec().AnsiFromUtf8(utf8));
  }

  // Four engines on the buttons, button 0 the default; web prefixes and home pages.
  void LoadFourEngines(std::string_view extra_velto = "") {
    // The first of two equal keys wins, so the extra keys go before the usual ones.
    WriteIni("[Velto]\r\n" + std::string(extra_velto) +
             "AlwaysTop=0\r\nDefaultSearch=0\r\n"
             "SearchSelect(0)=0\r\nSearchSelect(1)=1\r\nSearchSelect(2)=2\r\nSearchSelect(3)=3\r\n"
             "[SearchData]\r\n"
             "SearchName(0)=A\r\nSearchHome(0)=http://a.example/\r\n"
             "SearchEngn(0)=http://a.example/?q=\r\n"
             "SearchName(1)=B\r\nSearchHome(1)=http://b.example/\r\n"
             "SearchEngn(1)=http://b.example/?q=\r\n"
             "SearchName(2)=C\r\nSearchHome(2)=http://c.example/\r\n"
             "SearchEngn(2)=http://c.example/?q=\r\n"
             "SearchName(3)=D\r\nSearchHome(3)=http://d.example/\r\n"
             "SearchEngn(3)=http://d.example/?q=\r\n");
    bar.Form_Load();
  }

  void Search(int button, const std::string& query) {
    view.query = query;
    bar.Handle(ButtonClicked{button});
  }

  // Fills the history list the way a user can: by dropping a text file (newest first here).
  void DropHistory(const std::vector<std::string>& newest_first) {
    std::string file;
    for (auto it = newest_first.rbegin(); it != newest_first.rend(); ++it) file += *it + "\r\n";
    WriteBytes(folder / "queries.txt", file);
    const std::string query = view.query;
    bar.Handle(Drop{{}, {std::nullopt, {folder / "queries.txt"}}});
    view.query = query;
  }

  std::vector<std::string> History() const {
    const auto& entries = bar.History().Entries();
    return {entries.begin(), entries.end()};
  }

  // The view must show exactly the list the core keeps.
  void ExpectHistory(const std::vector<std::string>& expected) const {
    EXPECT_EQ(History(), expected);
    EXPECT_EQ(view.history, expected) << "the window's list differs from the core's";
  }

  static std::vector<std::string> Numbered(int count, std::string_view stem = "q") {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) out.push_back(std::string(stem) + std::to_string(i));
    return out;
  }
};

}  // namespace velto::test
