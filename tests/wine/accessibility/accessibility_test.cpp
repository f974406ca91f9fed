// What a screen reader finds in the real windows under Wine, through the system's accessibility
// interface (MSAA): the names and roles of the bar's and the dialog's controls, and the focus
// and selection events while the highlight moves through the suggestions.
#include <windows.h>
// after windows.h
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialog/settings_dialog.h"
#include "main/accessible_names.h"
#include "main/search_bar.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/search_bar_window.h"
#include "platform/win32/settings_dialog_ids.h"
#include "platform/win32/settings_dialog_window.h"
#include "platform/win32/suggestion_list_win32.h"
#include "platform/win32/wide_text.h"
#include "settings/settings_store.h"
#include "support/fake_platform.h"
#include "support/fake_search_bar_view.h"
#include "support/temp_folder.h"

namespace velto::win32 {
namespace {

using test::FakePlatform;
using test::TempFolder;

void Pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The name and role a screen reader reads from a control's client object.
struct Read {
  std::string name;
  std::string description;
  long role = 0;
};

Read ReadAccessible(HWND control) {
  Read read;
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&accessible))))
    return read;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
    read.name = Utf8FromWide(name);
    SysFreeString(name);
  }
  BSTR description = nullptr;
  if (accessible->get_accDescription(self, &description) == S_OK && description != nullptr) {
    read.description = Utf8FromWide(description);
    SysFreeString(description);
  }
  VARIANT role{};
  if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4) read.role = role.lVal;
  accessible->Release();
  return read;
}

// The focus and selection events raised in this process, as (event, window, child).
struct Event {
  DWORD event;
  HWND window;
  LONG child;
  bool operator==(const Event&) const = default;
};
// The hook procedure has no context of its own to carry the record in.
std::vector<Event>* recorded = nullptr;

void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                     DWORD) {
  if (recorded != nullptr && object == OBJID_CLIENT) recorded->push_back({event, window, child});
}

class AccessibilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    SettingsStore(folder.path(), folder.disk()).WriteDefaults();
    ASSERT_TRUE(window.Create(nullptr));
    window.Attach(bar);
    bar.SetSettingsDialog(&dialog);
    bar.Form_Load();
    ASSERT_TRUE(window.AcceptDrops());
    window.Show(SW_SHOWNORMAL);
    Pump();
  }
  void TearDown() override {
    DestroyWindow(window.Handle());
    Pump();
    OleUninitialize();
  }

  TempFolder folder;
  FakePlatform platform{folder.path()};
  SettingsModel model;
  SearchBarWindow window;
  SearchBar bar{model, window, platform, folder.disk()};
  Win32Platform owners;
  SettingsDialogWindow dialog_window{owners, nullptr};
  SettingsDialog dialog{bar, dialog_window, platform};
};

TEST_F(AccessibilityTest, TheBarsControlsHaveTheirNamesAndRoles) {
  const Read query = ReadAccessible(window.QueryBox());
  EXPECT_EQ(query.name, kQueryBoxName);
  EXPECT_EQ(query.role, ROLE_SYSTEM_COMBOBOX);
  wchar_t caption[64]{};
  GetWindowTextW(window.Button(kClearButton), caption, 64);
  EXPECT_EQ(ReadAccessible(window.Button(kClearButton)).name, Utf8FromWide(caption));
  EXPECT_EQ(ReadAccessible(window.Button(kMenuButton)).role, ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(ReadAccessible(window.Button(3)).description, "F4 キーでも検索");
  EXPECT_EQ(ReadAccessible(window.Button(kClearButton)).description, "Esc キーでも消去");
  const Read field = ReadAccessible(FindWindowExW(window.QueryBox(), nullptr, L"Edit", nullptr));
  EXPECT_EQ(field.name, kQueryBoxName) << "the focus comes back to the field by this name";
  EXPECT_EQ(field.description, kQueryBoxDescription);
}

TEST_F(AccessibilityTest, TheHighlightedSuggestionHasTheFocusUntilItGoesBackToTheBox) {
  SuggestionListWindow list(window.Handle(), window.QueryBox(),
                            reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), nullptr);
  std::vector<Event> events;
  recorded = &events;
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, &Record,
                                       GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  list.ShowSuggestions(
      {{"tokyo", SuggestionRowKind::Suggestion}, {"tokyo tower", SuggestionRowKind::Suggestion}});
  Pump();
  {
    IAccessible* rows = nullptr;
    ASSERT_TRUE(
        SUCCEEDED(AccessibleObjectFromWindow(list.Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                             IID_IAccessible, reinterpret_cast<void**>(&rows))));
    long count = 0;
    rows->get_accChildCount(&count);
    VARIANT second{};
    second.vt = VT_I4;
    second.lVal = 2;
    BSTR name = nullptr;
    rows->get_accName(second, &name);
    VARIANT role{};
    rows->get_accRole(second, &role);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(Utf8FromWide(name != nullptr ? name : L""), "tokyo tower");
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_LISTITEM);
    SysFreeString(name);
    rows->Release();
  }
  const std::size_t on_show = events.size();
  list.HighlightSuggestion(0);
  list.HighlightSuggestion(1);
  list.HighlightSuggestion(std::nullopt);
  list.CloseSuggestions();
  Pump();
  UnhookWinEvent(hook);
  recorded = nullptr;

  EXPECT_EQ(on_show, 0u) << "showing the list says nothing";
  HWND list_window = list.Handle();
  HWND field = FindWindowExW(window.QueryBox(), nullptr, L"Edit", nullptr);
  const std::vector<Event> expected{{EVENT_OBJECT_SELECTION, list_window, 1},
                                    {EVENT_OBJECT_FOCUS, list_window, 1},
                                    {EVENT_OBJECT_SELECTION, list_window, 2},
                                    {EVENT_OBJECT_FOCUS, list_window, 2},
                                    {EVENT_OBJECT_FOCUS, field, CHILDID_SELF}};
  // The list box itself may raise events of its own besides; ours come in this order.
  std::vector<Event> ours;
  for (const Event& e : events)
    if (e.window == field || (e.window == list_window && e.child > 0)) ours.push_back(e);
  ours.erase(std::unique(ours.begin(), ours.end()), ours.end());
  EXPECT_EQ(ours, expected);
  EXPECT_EQ(ReadAccessible(list_window).name, kSuggestionListName);
}

TEST_F(AccessibilityTest, TheDialogsSelectorsAndBoxesAreNamedByTheirLabels) {
  dialog.ShowSettingsDialog();
  Pump();
  HWND shown = dialog_window.Handle();
  ASSERT_NE(shown, nullptr);
  const std::pair<int, const char*> expected[] = {
      {kSelectorIdBase + 0, "ボタン1"},      {kSelectorIdBase + 3, "ボタン4"},
      {kSelectorIdBase + 5, "標準のボタン"}, {kSelectorIdBase + 4, "編集するエンジン"},
      {kEditBoxIdBase + 0, "ボタン名"},      {kEditBoxIdBase + 2, "サーチエンジン"},
      {kEditBoxIdBase + 3, "キーワード"},    {kEditBoxIdBase + 4, "検索候補"},
  };
  for (const auto& [id, name] : expected) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ReadAccessible(GetDlgItem(shown, id)).name, name);
  }
  EXPECT_EQ(ReadAccessible(GetDlgItem(shown, kSelectorIdBase + 1)).role, ROLE_SYSTEM_COMBOBOX);
  EXPECT_EQ(ReadAccessible(GetDlgItem(shown, kEditBoxIdBase + 0)).description,
            "書き方はヘルプ参照");
  EXPECT_EQ(ReadAccessible(GetDlgItem(shown, kEditBoxIdBase + 3)).role, ROLE_SYSTEM_TEXT);
  EXPECT_EQ(ReadAccessible(GetDlgItem(shown, kCommandIdBase + kCancelButton)).name, "キャンセル");
  const Read window = ReadAccessible(shown);
  EXPECT_EQ(window.role, ROLE_SYSTEM_DIALOG);
  EXPECT_EQ(window.name, kDialogCaption);
}

}  // namespace
}  // namespace velto::win32
