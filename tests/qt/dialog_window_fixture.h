#pragma once
// The real settings dialog window over the real core and the real search bar window, with a
// recording system (message boxes answered at once) and a real program folder with velto.ini.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <string>
#include <string_view>

#include "dialog/settings_dialog.h"
#include "main/search_bar.h"
#include "platform/qt/search_bar_window.h"
#include "platform/qt/search_button.h"
#include "platform/qt/settings_dialog_window.h"
#include "settings/settings_model.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace velto::test {

// Engines A..E in slots 0..4 on buttons 0..3, slot 1 in the editor, button 3 the default,
// always on top.
std::string DialogIni();

class DialogWindowFixture {
 public:
  explicit DialogWindowFixture(std::string_view ini_utf8 = DialogIni());

  TempFolder folder;
  FakePlatform platform{folder.path()};
  SettingsModel model;
  SearchBarWindow bar_window;
  SearchBar bar{model, bar_window, platform, folder.disk()};
  SettingsDialogWindow window;
  SettingsDialog dialog{bar, window, platform};

  // Menu entry "設定" of the search bar's own menu, as the user picks it.
  void OpenFromMenu();
  // The named control of the dialog ("Combo1(4)", "Command1"), failing the test when missing.
  QWidget& Control(std::string_view name);
  QPushButton& Button(std::string_view name);
  QComboBox& Selector(int index) { return window.Selector(index); }
  QLineEdit& Edit(int index) { return window.EditBox(index); }
  QStringList Entries(int selector);
  // A value as the settings file holds it now (blanks around it dropped), in UTF-8.
  std::string Stored(std::string_view section, std::string_view key) const;
};

}  // namespace velto::test
