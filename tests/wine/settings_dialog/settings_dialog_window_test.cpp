// The real settings dialog window in-process under Wine, over the real dialog core: what
// another process cannot see (fonts) and the window's own rules (program selections are not
// reported back, a user's pick is, replacing the selected entry keeps the selection, the close
// box, and the reopening of the hidden window).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialog/dialog_layout.h"
#include "dialog/settings_dialog.h"
#include "main/search_bar.h"
#include "platform/win32/dpi.h"
#include "platform/win32/settings_dialog_ids.h"
#include "platform/win32/settings_dialog_window.h"
#include "platform/win32/wide_text.h"
#include "settings/settings_store.h"
#include "support/fake_platform.h"
#include "support/fake_search_bar_view.h"
#include "support/temp_folder.h"

namespace velto::win32 {
namespace {

using test::FakePlatform;
using test::FakeSearchBarView;
using test::TempFolder;

void Pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

class SettingsDialogWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SettingsStore(folder.path(), folder.disk()).WriteDefaults();
    bar.SetSettingsDialog(&dialog);
    bar.Form_Load();
    window.Attach(dialog);
    dialog.ShowSettingsDialog();
    Pump();
    ASSERT_NE(window.Handle(), nullptr);
  }

  HWND Control(int id) const { return GetDlgItem(window.Handle(), id); }
  std::string Text(int id) const {
    wchar_t text[512]{};
    GetWindowTextW(Control(id), text, 512);
    return Utf8FromWide(text);
  }

  TempFolder folder;
  FakePlatform platform{folder.path()};
  SettingsModel model;
  FakeSearchBarView bar_view;
  SearchBar bar{model, bar_view, platform, folder.disk()};
  Win32Platform owners;  // only the owner windows of the dialog's message boxes
  SettingsDialogWindow window{owners, nullptr};
  SettingsDialog dialog{bar, window, platform};
};

TEST_F(SettingsDialogWindowTest, Fonts_GothicWhereListed_DialogFontElsewhere) {
  const int gothic_height = -MulDiv(975, SystemDpi(), 7200);
  for (const DialogControl& control : kDialogControls) {
    SCOPED_TRACE(std::string(control.name));
    auto font =
        reinterpret_cast<HFONT>(SendMessageW(Control(ControlId(control)), WM_GETFONT, 0, 0));
    LOGFONTW face{};
    ASSERT_NE(GetObjectW(font, sizeof(face), &face), 0);
    const bool gothic = Utf8FromWide(face.lfFaceName) == kDialogFontName;
    EXPECT_EQ(gothic, control.font == DialogFont::Gothic);
    if (gothic) {
      EXPECT_EQ(face.lfHeight, gothic_height);
      EXPECT_EQ(face.lfWeight, kDialogFontWeight);
      EXPECT_EQ(face.lfCharSet, kDialogFontCharset);
    }
  }
}

TEST_F(SettingsDialogWindowTest, Selections_ProgramOnesStaySilent_UserPicksReachTheCore) {
  const int slot = kEditBoxIdBase + kNameBox;
  SetWindowTextW(Control(slot), L"typed");
  window.SelectEntry(kSlotSelector, 2);  // as the core selects: no Combo1_Click
  Pump();
  EXPECT_EQ(Text(slot), "typed");

  // A pick with the keyboard in the closed list is the user's: the editor shows slot 3.
  HWND list = Control(kSelectorIdBase + kSlotSelector);
  SetFocus(list);
  SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  EXPECT_EQ(window.SelectedEntry(kSlotSelector), 3);
  EXPECT_EQ(Text(slot), model.SearchName[3]);
}

TEST_F(SettingsDialogWindowTest, ReplacingTheSelectedEntry_KeepsTheSelection) {
  window.SelectEntry(kFirstButtonSelector, 4);
  window.SetSelectorEntry(kFirstButtonSelector, 4, "新しい名前");
  window.SetSelectorEntry(kFirstButtonSelector, 7, "other");
  EXPECT_EQ(window.SelectedEntry(kFirstButtonSelector), 4);
  HWND list = Control(kSelectorIdBase + kFirstButtonSelector);
  wchar_t item[64]{};
  SendMessageW(list, CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(item));
  EXPECT_EQ(Utf8FromWide(item), "新しい名前");
  EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), kEditableEngineSlots);
}

TEST_F(SettingsDialogWindowTest, CloseBox_HidesTheWindow_ReopeningShowsItRefilled) {
  const float height = window.OuterHeight();
  window.SetEditText(kNameBox, "unsaved");
  SetFocus(Control(kEditBoxIdBase + kNameBox));
  SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(dialog.IsLoaded());
  ASSERT_NE(window.Handle(), nullptr);
  EXPECT_FALSE(IsWindowVisible(window.Handle()));

  dialog.ShowSettingsDialog();
  Pump();
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  // As a new dialog: the focus on the first selector, not where the user left it.
  EXPECT_EQ(GetFocus(), Control(kSelectorIdBase + kFirstButtonSelector));
  EXPECT_EQ(window.OuterHeight(), height);
  EXPECT_EQ(window.EditText(kNameBox), model.SearchName[0]);
  EXPECT_FALSE(IsWindowVisible(Control(kCommandIdBase + kRestoreButton)));
}

}  // namespace
}  // namespace velto::win32
