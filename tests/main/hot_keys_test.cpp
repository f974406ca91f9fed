// Global keys as the settings file writes them, their defaults, and what a press does.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "main/hot_keys.h"
#include "support/temp_folder.h"

namespace velto::test {
namespace {

struct KeyCase {
  const char* text;
  std::optional<HotKey> key;
};

class HotKeyText : public ::testing::TestWithParam<KeyCase> {};

TEST_P(HotKeyText, ParsesToModifiersAndKeyOrNothing) {
  EXPECT_EQ(ParseHotKey(GetParam().text), GetParam().key) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HotKeyText,
    ::testing::Values(
        KeyCase{"Ctrl+Alt+V", HotKey{kHotKeyCtrl | kHotKeyAlt, 'V'}},
        KeyCase{" control + ALT + v ", HotKey{kHotKeyCtrl | kHotKeyAlt, 'V'}},
        KeyCase{"Shift+Win+9", HotKey{kHotKeyShift | kHotKeyWin, '9'}},
        KeyCase{"super+meta+a", std::nullopt},  // one modifier twice
        KeyCase{"Ctrl+Alt+Space", HotKey{kHotKeyCtrl | kHotKeyAlt, 0x20}},
        KeyCase{"Ctrl+F1", HotKey{kHotKeyCtrl, 0x70}}, KeyCase{"F24", HotKey{0, 0x87}},
        KeyCase{"Alt+PageDown", HotKey{kHotKeyAlt, 0x22}},
        KeyCase{"Ctrl+f12", HotKey{kHotKeyCtrl, 0x7B}}, KeyCase{"F25", std::nullopt},
        KeyCase{"F0", std::nullopt}, KeyCase{"F01", std::nullopt}, KeyCase{"", std::nullopt},
        KeyCase{"   ", std::nullopt}, KeyCase{"Ctrl+Alt", std::nullopt},
        KeyCase{"Ctrl+", std::nullopt}, KeyCase{"+V", std::nullopt},
        KeyCase{"Ctrl+V+W", std::nullopt}, KeyCase{"Hyper+V", std::nullopt},
        KeyCase{"Ctrl+ä", std::nullopt}, KeyCase{"Ctrl+Alt+VV", std::nullopt},
        // A key alone, or with Shift only, would be taken from every program.
        KeyCase{"a", std::nullopt}, KeyCase{"Shift+A", std::nullopt}, KeyCase{"F1", std::nullopt},
        KeyCase{"Shift+Space", std::nullopt}, KeyCase{"Pause", HotKey{0, 0x13}},
        KeyCase{"F13", HotKey{0, 0x7C}}, KeyCase{"Shift+F13", HotKey{kHotKeyShift, 0x7C}}));

TEST(HotKeySettings, MissingKeysTakeTheDefaultsEmptyOnesAreOff) {
  TempFolder folder;
  const SettingsStore store(folder.path(), folder.disk());
  HotKeys keys = LoadHotKeys(store);
  EXPECT_EQ(keys.focus, ParseHotKey(kDefaultHotKey));
  EXPECT_EQ(keys.selection, ParseHotKey(kDefaultSelectionHotKey));
  ASSERT_TRUE(keys.focus && keys.selection);

  store.WriteSetting("Velto", kHotKeyName, "Win+F7");
  store.WriteSetting("Velto", kSelectionHotKeyName, "");
  keys = LoadHotKeys(store);
  EXPECT_EQ(keys.focus, (HotKey{kHotKeyWin, 0x76}));
  EXPECT_EQ(keys.selection, std::nullopt);
  EXPECT_TRUE(keys.skipped.empty());

  // Keys that cannot be taken are skipped with a line naming the setting.
  store.WriteSetting("Velto", kHotKeyName, "a");
  store.WriteSetting("Velto", kSelectionHotKeyName, "Hyper+V");
  keys = LoadHotKeys(store);
  EXPECT_EQ(keys.focus, std::nullopt);
  EXPECT_EQ(keys.selection, std::nullopt);
  ASSERT_EQ(keys.skipped.size(), 2u);
  EXPECT_NE(keys.skipped[0].find("HotKey \"a\" needs Ctrl, Alt or Win"), std::string::npos);
  EXPECT_NE(keys.skipped[1].find("SelectionHotKey \"Hyper+V\""), std::string::npos);
}

TEST(HotKeyPress, FocusAlwaysSelectionOnlyWithText) {
  EXPECT_EQ(CommandForHotKey(HotKeyRole::Focus, "ignored"),
            (BarCommand{BarCommand::Kind::Focus, {}}));
  EXPECT_EQ(CommandForHotKey(HotKeyRole::SearchSelection, "C++ 入門"),
            (BarCommand{BarCommand::Kind::SearchSelection, "C++ 入門"}));
  EXPECT_EQ(CommandForHotKey(HotKeyRole::SearchSelection, " \r\n\t"), std::nullopt);
  EXPECT_EQ(CommandForHotKey(HotKeyRole::SearchSelection, ""), std::nullopt);
}

}  // namespace
}  // namespace velto::test
