#pragma once
// The real search bar and settings dialog over fake windows and a fake platform, with a real
// velto.ini in a temporary program folder.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "dialog/settings_dialog.h"
#include "main/fixed_searches.h"
#include "main/search_bar.h"
#include "settings/settings_store.h"
#include "support/fake_platform.h"
#include "support/fake_search_bar_view.h"
#include "support/fake_settings_dialog_view.h"
#include "support/temp_folder.h"

namespace velto::test {

class DialogTest : public ::testing::Test {
 protected:
  TempFolder folder;
  FakePlatform platform{folder.path()};
  SettingsModel model;
  FakeSearchBarView bar_view;
  SearchBar bar{model, bar_view, platform, folder.disk()};
  FakeSettingsDialogView view;
  SettingsDialog dialog{bar, view, platform};
  SettingsStore store{folder.path(), folder.disk()};

  // The factory file plus any further "Velto" values, then the search bar's start-up.
  void Start(std::initializer_list<std::pair<std::string_view, std::string_view>> velto = {}) {
    store.WriteDefaults();
    for (const auto& [key, value] : velto) store.WriteSetting(kVeltoSection, key, value);
    bar.SetSettingsDialog(&dialog);
    bar.Form_Load();
  }
  // The menu entry "設定".
  void OpenDialog() { bar.Handle(MenuEntryChosen{kSettingsMenuEntry}); }
  // The user picks an entry; the front end reports it.
  void Pick(int selector, int position) {
    view.Pick(selector, position);
    dialog.Combo1_Click(selector);
  }
  void TypeSlot(std::string name, std::string home, std::string engine) {
    view.Type(kNameBox, name);
    view.Type(kHomeBox, home);
    view.Type(kEngineBox, engine);
  }
  std::string Stored(std::string_view section, std::string_view key) const {
    return store.ReadSetting(section, key);
  }
  std::string FileBytes() const { return ReadBytes(folder / "velto.ini"); }
};

}  // namespace velto::test
