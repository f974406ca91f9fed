// Loading the settings dialog from the settings model, and showing it again while it is open.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "dialog/dialog_fixture.h"

namespace velto::test {
namespace {

std::vector<std::string> FactoryNames() {
  return {"Yahoo!",   "goo",    "Lycos",
          "Infoseek", "Excite", "フレッシュアイ",
          "まぐまぐ", "TINAMI", "Surfersparadise",
          "",         "",       "",
          "",         "",       "",
          "",         "",       "",
          "",         ""};
}

TEST_F(DialogTest, FormLoad_FactoryFile_FillsEveryControl) {
  Start();
  OpenDialog();
  ASSERT_TRUE(view.visible);
  for (int selector = 0; selector < kSlotSelector + 1; ++selector)
    EXPECT_EQ(view.Entries(selector), FactoryNames()) << "selector " << selector;
  const std::vector<std::optional<int>> selected{0, 1, 2, 3, 0, 0, 0, 0};
  for (int selector = 0; selector < kSelectorCount; ++selector)
    EXPECT_EQ(view.SelectedEntry(selector), selected[static_cast<std::size_t>(selector)]);
  EXPECT_EQ(view.Entries(kDefaultSelector),
            (std::vector<std::string>{"ボタン1", "ボタン2", "ボタン3", "ボタン4"}));
  EXPECT_TRUE(view.always_top_checked);
  EXPECT_EQ(view.edit, (std::array<std::string, kEditBoxCount>{
                           "Yahoo!", "http://www.yahoo.co.jp/",
                           "http://search.yahoo.co.jp/bin/search?p=", "", ""}));
  EXPECT_EQ(view.focused_selector, kFirstButtonSelector);
  EXPECT_FALSE(view.restore_visible);
}

struct StoredOption {
  std::string_view always_top;
  std::string_view default_search;
  bool checked;
  std::optional<int> default_selected;
};

TEST_F(DialogTest, FormLoad_StoredOptions_CheckBoxAndDefaultSelector) {
  const StoredOption cases[] = {
      {"1", "2", true, 2},
      {"1.0", "3.9", true, 3},
      {"0", "0", false, 0},
      {"-1", "4", false, std::nullopt},
      {"2", "-0.5", false, std::nullopt},
      {"", "abc", false, std::nullopt},
      {"x", "", false, std::nullopt},
  };
  Start();
  for (const auto& c : cases) {
    store.WriteSetting("Velto", "AlwaysTop", c.always_top);
    store.WriteSetting("Velto", "DefaultSearch", c.default_search);
    bar.LoadSettings();
    OpenDialog();
    EXPECT_EQ(view.always_top_checked, c.checked) << "AlwaysTop " << c.always_top;
    EXPECT_EQ(view.SelectedEntry(kDefaultSelector), c.default_selected)
        << "DefaultSearch " << c.default_search;
    dialog.OnCommand(DialogCommand::Cancel);
  }
}

TEST_F(DialogTest, FormLoad_OutOfRangeSelections_LeaveSelectorsEmptyAndBoxesSensible) {
  Start({{"SearchSelect(1)", "25"}, {"SearchSelect(3)", "-1"}, {"SearchSelect(4)", "20"}});
  OpenDialog();
  EXPECT_EQ(view.SelectedEntry(0), 0);
  EXPECT_EQ(view.SelectedEntry(1), std::nullopt);
  EXPECT_EQ(view.SelectedEntry(2), 2);
  EXPECT_EQ(view.SelectedEntry(3), std::nullopt);
  EXPECT_EQ(view.SelectedEntry(kSlotSelector), std::nullopt);
  // Slot 20 is not listed, but it exists and is empty.
  EXPECT_EQ(view.edit, (std::array<std::string, kEditBoxCount>{}));
  dialog.OnCommand(DialogCommand::Cancel);

  store.WriteSetting("Velto", "SearchSelect(4)", "21");
  bar.LoadSettings();
  OpenDialog();
  EXPECT_EQ(view.edit, (std::array<std::string, kEditBoxCount>{"ボタン名", "ホームページ",
                                                               "サーチエンジン", "", ""}));
}

TEST_F(DialogTest, Show_WhileOpen_BringsToFrontWithoutReloading) {
  Start();
  OpenDialog();
  Pick(0, 7);
  view.Type(kNameBox, "typed");
  OpenDialog();
  EXPECT_EQ(view.open_calls, 1);
  EXPECT_EQ(view.front_calls, 1);
  EXPECT_EQ(view.SelectedEntry(0), 7);
  EXPECT_EQ(view.EditText(kNameBox), "typed");

  // Once closed, the next show rebuilds everything from the model.
  dialog.OnCommand(DialogCommand::Cancel);
  model.SearchName[4] = "renamed";
  OpenDialog();
  EXPECT_EQ(view.open_calls, 2);
  EXPECT_EQ(view.SelectedEntry(0), 0);
  EXPECT_EQ(view.Entries(2)[4], "renamed");
  EXPECT_EQ(view.EditText(kNameBox), "Yahoo!");
}

}  // namespace
}  // namespace velto::test
