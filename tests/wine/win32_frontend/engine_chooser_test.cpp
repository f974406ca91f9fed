// The window that offers engines to import, in this process: what it shows, that its owner is
// disabled only while it is up, and its keys (Down, Space, Enter, Esc) as the list gets them.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win32/engine_chooser.h"
#include "platform/win32/engine_chooser_ids.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {
namespace {

constexpr wchar_t kScriptProperty[] = L"VeltoChooserTestScript";

// What the test does once the chooser is up: note what it shows, then post keys to the
// focused control, as the keyboard would.
struct Script {
  std::vector<WPARAM> keys;
  bool owner_enabled = true;
  std::vector<std::string> shown;  // the children's texts in z-order
  std::vector<bool> checked;
};

void CALLBACK WhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND chooser = FindWindowW(kEngineChooserClassName, nullptr);
  if (chooser == nullptr || !IsWindowVisible(chooser)) return;
  KillTimer(nullptr, timer);
  HWND owner = GetWindow(chooser, GW_OWNER);
  auto* script = static_cast<Script*>(GetPropW(owner, kScriptProperty));
  script->owner_enabled = IsWindowEnabled(owner) != FALSE;
  for (HWND child = GetWindow(chooser, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t text[256]{};
    GetWindowTextW(child, text, 256);
    script->shown.push_back(Utf8FromWide(text));
  }
  HWND list = GetDlgItem(chooser, kEngineChooserListId);
  for (int i = 0; i < ListView_GetItemCount(list); ++i)
    script->checked.push_back(ListView_GetCheckState(list, i) != FALSE);
  for (WPARAM key : script->keys) PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
}

class EngineChooserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, WC_STATICW, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                             300, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner_, nullptr);
    SetPropW(owner_, kScriptProperty, &script_);
  }
  void TearDown() override {
    RemovePropW(owner_, kScriptProperty);
    DestroyWindow(owner_);
  }
  std::optional<std::vector<bool>> Ask(std::vector<WPARAM> keys) {
    script_.keys = std::move(keys);
    SetTimer(nullptr, 0, 50, &WhenShown);
    return AskForEngines(owner_, {"取り込み", "選んでください", {"One", "Two", "Three"}, "注"});
  }

  HWND owner_ = nullptr;
  Script script_;
};

TEST_F(EngineChooserTest, DownAndSpace_UncheckTheRow_EnterTakesTheRows) {
  const auto chosen = Ask({VK_DOWN, VK_SPACE, VK_RETURN});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, (std::vector<bool>{true, false, true}));
  // The prompt comes just before the list, which a screen reader names by it.
  EXPECT_EQ(script_.shown,
            (std::vector<std::string>{"選んでください", "", "注", "OK", "キャンセル"}));
  EXPECT_EQ(script_.checked, (std::vector<bool>{true, true, true}));
  EXPECT_FALSE(script_.owner_enabled);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_EQ(FindWindowW(kEngineChooserClassName, nullptr), nullptr);
}

TEST_F(EngineChooserTest, Esc_DeclinesWhateverWasChecked) {
  EXPECT_EQ(Ask({VK_SPACE, VK_ESCAPE}), std::nullopt);
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

}  // namespace
}  // namespace velto::win32
