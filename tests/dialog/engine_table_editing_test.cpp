// The engine editor: 変更, 削除, クリア, Enter, and the slot selector.
#include <gtest/gtest.h>

#include <string>

#include "dialog/dialog_fixture.h"
#include "main/engine_import_offer.h"
#include "main/search_bar.h"
#include "settings/engine_import.h"

namespace velto::test {
namespace {

TEST_F(DialogTest, Store_BlankSlot_ReachesModelAllSelectorsAndFileInOrder) {
  Start();
  OpenDialog();
  Pick(kSlotSelector, 15);
  TypeSlot("Example", "", "https://example.com/find?q=");
  dialog.OnCommand(DialogCommand::StoreSlot);

  EXPECT_EQ(model.SearchName[15], "Example");
  EXPECT_EQ(model.SearchEngn[15], "https://example.com/find?q=");
  for (int selector = 0; selector <= kSlotSelector; ++selector) {
    EXPECT_EQ(view.Entries(selector)[15], "Example");
    EXPECT_EQ(view.SelectedEntry(selector), selector == kSlotSelector ? 15 : selector % 4);
  }
  EXPECT_EQ(view.Entries(kDefaultSelector)[0], "ボタン1");
  // New keys land at the end of their section in the order they were written.
  const std::string file = FileBytes();
  const auto name = file.find("SearchName(15)="), home = file.find("SearchHome(15)="),
             engine = file.find("SearchEngn(15)=");
  ASSERT_NE(engine, std::string::npos);
  EXPECT_LT(name, home);
  EXPECT_LT(home, engine);
  EXPECT_GT(name, file.find("[SearchData]"));
  EXPECT_EQ(Stored("SearchData", "SearchHome(15)"), "");
  EXPECT_EQ(Stored("SearchData", "SearchEngn(15)"), "https://example.com/find?q=");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DialogTest, SuggestionAddressIsEditedWithItsSlotAndTheSwitchWrittenOnlyWhenChanged) {
  Start();
  OpenDialog();
  EXPECT_FALSE(view.suggest_checked);
  Pick(kSlotSelector, 15);
  TypeSlot("Example", "", "https://example.com/find?q=%s");
  view.Type(kSuggestBox, "https://example.com/suggest?q=%s");
  dialog.OnCommand(DialogCommand::StoreSlot);
  EXPECT_EQ(model.SuggestEngn[15], "https://example.com/suggest?q=%s");
  EXPECT_EQ(Stored("SearchData", "SuggestEngn(15)"), "https://example.com/suggest?q=%s");
  Pick(kSlotSelector, 0);
  EXPECT_EQ(view.EditText(kSuggestBox), "");
  dialog.OnCommand(DialogCommand::StoreSlot);  // no suggestion address before or after
  EXPECT_EQ(store.FindSetting("SearchData", "SuggestEngn(0)"), std::nullopt);
  Pick(kSlotSelector, 15);
  EXPECT_EQ(view.EditText(kSuggestBox), "https://example.com/suggest?q=%s");
  dialog.OnCommand(DialogCommand::DeleteSlot);
  EXPECT_EQ(model.SuggestEngn[15], "");
  EXPECT_EQ(Stored("SearchData", "SuggestEngn(15)"), "");

  dialog.OnCommand(DialogCommand::Ok);  // unchanged: the key stays missing
  EXPECT_EQ(store.FindSetting("Velto", "Suggest"), std::nullopt);
  OpenDialog();
  view.suggest_checked = true;
  dialog.OnCommand(DialogCommand::Ok);
  EXPECT_TRUE(model.Suggest);
  EXPECT_EQ(Stored("Velto", "Suggest"), "1");
  OpenDialog();
  EXPECT_TRUE(view.suggest_checked);
  view.suggest_checked = false;
  dialog.OnCommand(DialogCommand::Ok);
  EXPECT_EQ(Stored("Velto", "Suggest"), "0");
}

TEST_F(DialogTest, StoringASlotKeepsItsCharacterSet_DeletingItStartsAgainFromUtf8) {
  Start();
  store.WriteQueryEncoding(15, "EUC-JP", "+");
  bar.LoadSettings();
  OpenDialog();
  Pick(kSlotSelector, 15);
  TypeSlot("Example", "", "https://example.com/find?q=%s");
  dialog.OnCommand(DialogCommand::StoreSlot);
  EXPECT_EQ(Stored("SearchData", "SearchEncoding(15)"), "EUC-JP");
  EXPECT_EQ(Stored("SearchData", "SearchSpace(15)"), "+");
  Pick(kSlotSelector, 0);
  dialog.OnCommand(DialogCommand::StoreSlot);  // none before, none after
  EXPECT_EQ(store.FindSetting("SearchData", "SearchEncoding(0)"), std::nullopt);
  Pick(kSlotSelector, 15);
  dialog.OnCommand(DialogCommand::DeleteSlot);
  EXPECT_EQ(model.SearchEncoding[15], "");
  EXPECT_EQ(Stored("SearchData", "SearchEncoding(15)"), "");
  EXPECT_EQ(Stored("SearchData", "SearchSpace(15)"), "");
}

TEST_F(DialogTest, CharacterSetChoice_ShownPerSlot_TakenByChangeOrOk_WrittenOnceSet) {
  Start();
  store.WriteQueryEncoding(3, "sjis", "");  // hand-edited, a name the program does not know
  bar.LoadSettings();
  OpenDialog();
  EXPECT_EQ(view.Entries(kEncodingSelector),
            (std::vector<std::string>{"UTF-8", "Shift_JIS", "EUC-JP"}));
  EXPECT_EQ(view.Entries(kSpaceSelector), (std::vector<std::string>{"%20", "+"}));
  Pick(kSlotSelector, 3);
  EXPECT_EQ(view.SelectedEntry(kEncodingSelector), std::nullopt);
  EXPECT_EQ(view.SelectedEntry(kSpaceSelector), 0);
  dialog.OnCommand(DialogCommand::StoreSlot);
  EXPECT_EQ(model.SearchEncoding[3], "sjis");  // no choice made: the stored text stays
  Pick(kSlotSelector, 1);
  dialog.OnCommand(DialogCommand::Ok);  // the shown choices, unchanged: nothing new written
  EXPECT_EQ(store.FindSetting("SearchData", "SearchEncoding(1)"), std::nullopt);
  EXPECT_EQ(store.FindSetting("SearchData", "SearchSpace(1)"), std::nullopt);

  OpenDialog();
  Pick(kSlotSelector, 1);
  Pick(kEncodingSelector, 1);
  Pick(kSpaceSelector, 1);
  dialog.OnCommand(DialogCommand::Ok);
  EXPECT_EQ(model.SearchEncoding[1], "Shift_JIS");
  EXPECT_EQ(Stored("SearchData", "SearchEncoding(1)"), "Shift_JIS");
  EXPECT_EQ(Stored("SearchData", "SearchSpace(1)"), "+");
  EXPECT_EQ(model.SearchSelect[kSlotSelector], 1);

  OpenDialog();
  EXPECT_EQ(view.SelectedEntry(kEncodingSelector), 1);
  Pick(kSlotSelector, 2);
  EXPECT_EQ(view.SelectedEntry(kEncodingSelector), 0);
  Pick(kEncodingSelector, 2);
  dialog.OnCommand(DialogCommand::Cancel);
  EXPECT_EQ(model.SearchEncoding[2], "");
  OpenDialog();
  Pick(kSlotSelector, 1);
  Pick(kEncodingSelector, 0);  // back to UTF-8: written, since the file has the key
  dialog.OnCommand(DialogCommand::StoreSlot);
  EXPECT_EQ(Stored("SearchData", "SearchEncoding(1)"), "UTF-8");
  EXPECT_EQ(Stored("SearchData", "SearchSpace(1)"), "+");
  EXPECT_EQ(store.FindSetting("SearchData", "SearchEncoding(2)"), std::nullopt);
}

TEST_F(DialogTest, Store_MissingNameOrEngine_ShowsMessageAndChangesNothing) {
  Start();
  OpenDialog();
  const std::string before = FileBytes();
  const SettingsModel model_before = model;
  TypeSlot("", "http://home/", "http://find?q=");
  dialog.OnCommand(DialogCommand::StoreSlot);
  TypeSlot("name", "http://home/", "");
  // Enter in the home page box stores like 変更 and is consumed.
  EXPECT_TRUE(dialog.Text1_KeyDown(kHomeBox, kKeyEnter, 0));
  EXPECT_FALSE(dialog.Text1_KeyDown(kHomeBox, 'A', 0));

  ASSERT_EQ(platform.messages.size(), 2u);
  for (const auto& message : platform.messages) {
    EXPECT_EQ(message.text, "検索サイトの名前とエンジンのURLを入力してください。");
    EXPECT_EQ(message.caption, "ヴェルト");
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
    EXPECT_EQ(message.owner, WindowRole::SettingsDialog);
  }
  EXPECT_EQ(model, model_before);
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(view.Entries(0)[0], "Yahoo!");
}

TEST_F(DialogTest, Store_WhatTheCodePageLacks_NameRefusedAddressesEscaped) {
  Start();
  OpenDialog();
  Pick(kSlotSelector, 6);
  const std::string before = FileBytes();
  TypeSlot("Wikipédia \xF0\x9F\x98\x80", "https://fr.wikipedia.org/",
           "https://fr.wikipedia.org/wiki/Spécial:Recherche?search=%s");
  dialog.OnCommand(DialogCommand::StoreSlot);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("U+00E9"), std::string::npos);
  EXPECT_EQ(platform.messages[0].owner, WindowRole::SettingsDialog);
  EXPECT_EQ(view.EditText(kNameBox), "Wikipédia \xF0\x9F\x98\x80") << "kept as typed";
  EXPECT_EQ(FileBytes(), before);

  view.SetEditText(kNameBox, "Wikipedia (fr)");
  dialog.OnCommand(DialogCommand::StoreSlot);
  const std::string stored = "https://fr.wikipedia.org/wiki/Sp%C3%A9cial:Recherche?search=%s";
  EXPECT_EQ(Stored("SearchData", "SearchEngn(6)"), stored);
  EXPECT_EQ(model.SearchEngn[6], stored);
  EXPECT_EQ(view.EditText(kEngineBox), stored) << "the box shows what is stored";
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(DialogTest, Store_ByEnterWithBlankName_IsAccepted) {
  Start();
  OpenDialog();
  Pick(kSlotSelector, 2);
  TypeSlot("  ", "", "http://find?q=");
  EXPECT_TRUE(dialog.Text1_KeyDown(kEngineBox, kKeyEnter, 0));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(model.SearchName[2], "  ");
  EXPECT_EQ(Stored("SearchData", "SearchHome(2)"), "");
}

TEST_F(DialogTest, Delete_ShownSlot_EmptiesItButButtonWaitsForOk) {
  Start();
  OpenDialog();
  Pick(kSlotSelector, 1);
  dialog.OnCommand(DialogCommand::DeleteSlot);
  EXPECT_EQ(model.SearchName[1], "");
  EXPECT_EQ(model.SearchHome[1], "");
  EXPECT_EQ(view.edit, (std::array<std::string, kEditBoxCount>{}));
  EXPECT_EQ(view.Entries(3)[1], "");
  // The keys stay in the file, empty.
  EXPECT_NE(FileBytes().find("SearchHome(1)="), std::string::npos);
  EXPECT_EQ(Stored("SearchData", "SearchHome(1)"), "");
  EXPECT_EQ(bar_view.buttons[1].caption, "goo");

  dialog.OnCommand(DialogCommand::Ok);
  EXPECT_EQ(bar_view.buttons[1].caption, "");
  EXPECT_FALSE(bar_view.buttons[1].enabled);
}

TEST_F(DialogTest, Clear_OnlyEmptiesTheBoxes) {
  Start();
  OpenDialog();
  const std::string before = FileBytes();
  dialog.OnCommand(DialogCommand::ClearBoxes);
  EXPECT_EQ(view.edit, (std::array<std::string, kEditBoxCount>{}));
  // Picking in the other selectors leaves the boxes alone; the slot selector refills them.
  Pick(0, 5);
  Pick(kDefaultSelector, 2);
  EXPECT_EQ(view.EditText(kNameBox), "");
  Pick(kSlotSelector, 3);
  Pick(kSlotSelector, 0);
  EXPECT_EQ(view.EditText(kNameBox), "Yahoo!");
  EXPECT_EQ(view.EditText(kEngineBox), "http://search.yahoo.co.jp/bin/search?p=");
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(DialogTest, Store_LongText_ComesBackWholeAfterRestart) {
  Start();
  OpenDialog();
  const std::string name(250, 'n');
  std::string engine = "http://example.jp/?q=";
  while (engine.size() < 300) engine += "検索";
  TypeSlot(name, "", engine);
  dialog.OnCommand(DialogCommand::StoreSlot);
  EXPECT_EQ(view.Entries(1)[0], name);

  SettingsModel reloaded;
  FakeSearchBarView other_view;
  SearchBar restarted(reloaded, other_view, platform, folder.disk());
  restarted.LoadSettings();
  EXPECT_EQ(reloaded.SearchName[0], name);
  EXPECT_EQ(reloaded.SearchEngn[0], engine);
}

TEST_F(DialogTest, StoreOrDelete_WithoutSlotSelection_ChangeNothingAndPointAtTheSelector) {
  Start({{"SearchSelect(4)", "25"}});
  OpenDialog();
  const std::string before = FileBytes();
  const SettingsModel model_before = model;
  view.focused_selector.reset();
  dialog.OnCommand(DialogCommand::StoreSlot);  // the placeholders count as filled in
  EXPECT_EQ(view.focused_selector, kSlotSelector);
  view.focused_selector.reset();
  dialog.OnCommand(DialogCommand::DeleteSlot);
  EXPECT_EQ(view.focused_selector, kSlotSelector);
  EXPECT_EQ(view.EditText(kNameBox), "ボタン名");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(model, model_before);
  EXPECT_EQ(FileBytes(), before);

  // Once the user picks a slot the editor works as usual.
  Pick(kSlotSelector, 12);
  TypeSlot("Twelve", "", "http://12/?q=");
  dialog.OnCommand(DialogCommand::StoreSlot);
  EXPECT_EQ(Stored("SearchData", "SearchName(12)"), "Twelve");
}

TEST_F(DialogTest, Keyword_ShownStoredAndRefusedWhenBlankInsideOrTakenByAnother) {
  Start();
  OpenDialog();
  Pick(kSlotSelector, 1);
  EXPECT_EQ(view.EditText(kKeywordBox), "");
  const std::string factory_file = FileBytes();
  // A slot stored without a keyword writes no keyword key: the file stays as it was.
  EXPECT_TRUE(dialog.Text1_KeyDown(kKeywordBox, kKeyEnter, 0));
  EXPECT_EQ(FileBytes(), factory_file);

  view.Type(kKeywordBox, " g ");
  dialog.OnCommand(DialogCommand::StoreSlot);
  EXPECT_EQ(model.SearchKey[1], "g");
  EXPECT_EQ(view.EditText(kKeywordBox), "g");
  EXPECT_EQ(Stored("SearchData", "SearchKey(1)"), "g");
  EXPECT_GT(FileBytes().find("SearchKey(1)="), FileBytes().find("SearchEngn(1)="));

  struct Refused {
    const char* keyword;
    const char* message;
  };
  const Refused refused[] = {
      {"G", "このキーワードはすでに「goo」で使われています。別のキーワードにしてください。"},
      {"Ｇ", "このキーワードはすでに「goo」で使われています。別のキーワードにしてください。"},
      {"a b", "キーワードは空白を含まない一語にしてください。"},
      {"a\xE3\x80\x80"
       "b",
       "キーワードは空白を含まない一語にしてください。"},
  };
  const std::string before = FileBytes();
  for (const auto& r : refused) {
    Pick(kSlotSelector, 2);
    view.Type(kKeywordBox, r.keyword);
    platform.messages.clear();
    EXPECT_TRUE(dialog.Text1_KeyDown(kNameBox, kKeyEnter, 0)) << r.keyword;
    ASSERT_EQ(platform.messages.size(), 1u) << r.keyword;
    EXPECT_EQ(platform.messages[0].text, r.message) << r.keyword;
    EXPECT_EQ(model.SearchKey[2], "") << r.keyword;
  }
  EXPECT_EQ(FileBytes(), before);

  // The slot's own keyword may be stored again; 削除 empties it in memory and the file.
  Pick(kSlotSelector, 1);
  dialog.OnCommand(DialogCommand::StoreSlot);
  EXPECT_EQ(model.SearchKey[1], "g");
  dialog.OnCommand(DialogCommand::DeleteSlot);
  EXPECT_EQ(model.SearchKey[1], "");
  EXPECT_NE(FileBytes().find("SearchKey(1)="), std::string::npos);
  EXPECT_EQ(Stored("SearchData", "SearchKey(1)"), "");
}

// 取り込み: the engines that could go into the table, offered with check boxes; the chosen
// ones take the free slots from the lowest, in the file and in every selector at once.
TEST_F(DialogTest, Import_OffersUsableEnginesAndAddsTheChosenToTheLowestFreeSlots) {
  Start();
  OpenDialog();
  int first_free = 0;
  while (!IsFreeEngineSlot(model, first_free)) ++first_free;
  const std::string taken = model.SearchEngn[0];
  platform.sources.in_browsers.engines = {
      {"One", "https://one.example/?q={searchTerms}", "", "o1", "", "Chromium"},
      {"Copy", taken + "{searchTerms}", "", "", "", "Chromium"},  // already in slot 0
      {"Two", "https://two.example/s/{searchTerms}", "", "", "", "Firefox"},
      {"Three", "https://three.example/?q={searchTerms}", "", "", "", "Firefox"}};
  platform.sources.in_browsers.skipped = {{"Bad", "Firefox", "a POST form"}};

  platform.choice_answer = std::nullopt;  // declined: nothing changes
  dialog.OnCommand(DialogCommand::ImportEngines);
  ASSERT_EQ(platform.choices.size(), 1u);
  EXPECT_EQ(platform.choices[0].rows.size(), 3u);
  EXPECT_NE(platform.choices[0].rows[0].find("キーワード: o1"), std::string::npos);
  EXPECT_NE(platform.choices[0].note.find("2 件"), std::string::npos);
  EXPECT_TRUE(IsFreeEngineSlot(model, first_free));

  platform.choice_answer = std::vector<bool>{false, true, true};
  dialog.OnCommand(DialogCommand::ImportEngines);
  const auto k = static_cast<std::size_t>(first_free);
  EXPECT_EQ(model.SearchName[k], "Two");
  EXPECT_EQ(Stored("SearchData", "SearchEngn(" + std::to_string(first_free) + ")"),
            "https://two.example/s/%s");
  EXPECT_EQ(Stored("SearchData", "SearchHome(" + std::to_string(first_free) + ")"),
            "https://two.example/");
  int next = first_free + 1;
  while (model.SearchName[static_cast<std::size_t>(next)] != "Three") ++next;
  EXPECT_EQ(Stored("SearchData", "SearchName(" + std::to_string(next) + ")"), "Three");
  EXPECT_EQ(view.Entries(0)[k], "Two");
  EXPECT_EQ(view.SelectedEntry(kSlotSelector), first_free);
  EXPECT_EQ(view.EditText(kNameBox), "Two");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DialogTest, Import_WithNothingUsableOrNoFreeSlot_SaysSo) {
  Start();
  OpenDialog();
  dialog.OnCommand(DialogCommand::ImportEngines);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, kNothingToImportMessage);
  for (int slot = 0; slot < kEditableEngineSlots; ++slot)
    model.SearchName[static_cast<std::size_t>(slot)] = "x";
  dialog.OnCommand(DialogCommand::ImportEngines);
  EXPECT_EQ(platform.messages.back().text, kNoFreeSlotMessage);
  EXPECT_TRUE(platform.choices.empty());
}

}  // namespace
}  // namespace velto::test
