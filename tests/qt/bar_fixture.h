#pragma once
// The real search bar window over the real core, with a recording system and a real program
// folder, shown on the offscreen platform with the query box focused.
#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <memory>
#include <string>
#include <string_view>

#include "main/search_bar.h"
#include "platform/qt/search_bar_window.h"
#include "platform/qt/search_button.h"
#include "settings/settings_model.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace velto::test {

// Four engines A..D on the buttons with web prefixes and home pages, button 0 the default.
std::string FourEnginesIni(std::string_view extra_velto = "", std::string_view extra = "");

class BarFixture {
 public:
  // velto.ini is written in the ANSI code page from the UTF-8 text; empty: no file at all.
  explicit BarFixture(std::string_view ini_utf8 = FourEnginesIni(), std::string command_line = "");

  TempFolder folder;
  FakePlatform platform{folder.path()};
  SettingsModel model;
  int closed_calls = 0;
  SearchBarWindow window{[this] { ++closed_calls; }};
  SearchBar bar{model, window, platform, folder.disk()};

  QComboBox& box() { return window.QueryBoxWidget(); }
  QLineEdit& edit() { return *window.QueryBoxWidget().lineEdit(); }
  SearchButton& button(int index) { return window.Button(index); }
  // The drop-down list's entries, first to last.
  QStringList Items();
  std::vector<std::string> Opened() const { return platform.OpenedAddresses(); }
};

}  // namespace velto::test
