// The real search bar and settings dialog in-process under Wine, over the real core with the
// factory settings: every caption shows whole at the system DPI this run was started with, and
// a move to a monitor of another DPI lays both windows out again from their twips tables.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "dialog/dialog_layout.h"
#include "dialog/settings_dialog.h"
#include "fake_platform.h"
#include "main/search_bar.h"
#include "main/search_bar_layout.h"
#include "platform/win32/dpi.h"
#include "platform/win32/search_bar_window.h"
#include "platform/win32/settings_dialog_ids.h"
#include "platform/win32/settings_dialog_window.h"
#include "platform/win32/twips.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "temp_folder.h"

namespace velto::win32 {
namespace {

void Pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::wstring ClassOf(HWND control) {
  wchar_t name[64]{};
  GetClassNameW(control, name, 64);
  return name;
}

int Extent(HWND control, const std::wstring& text) {
  HDC dc = GetDC(control);
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

// The captions a control shows: its text, or a selector's entries.
std::vector<std::wstring> Captions(HWND control) {
  std::vector<std::wstring> captions;
  if (_wcsicmp(ClassOf(control).c_str(), WC_COMBOBOXW) == 0) {
    for (LRESULT i = 0; i < SendMessageW(control, CB_GETCOUNT, 0, 0); ++i) {
      wchar_t entry[256]{};
      SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
      captions.emplace_back(entry);
    }
    return captions;
  }
  wchar_t text[256]{};
  GetWindowTextW(control, text, 256);
  captions.emplace_back(text);
  return captions;
}

// The least a control draws beside its caption: a button's edges, a check box's box, a
// selector's arrow, a frame's corners.
int Chrome(HWND control, int dpi) {
  const std::wstring name = ClassOf(control);
  const int edge = SystemMetricAt(SM_CXEDGE, dpi);
  if (_wcsicmp(name.c_str(), WC_COMBOBOXW) == 0)
    return SystemMetricAt(SM_CXVSCROLL, dpi) + 2 * edge;
  if (_wcsicmp(name.c_str(), WC_BUTTONW) != 0) return 0;
  const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
  if (type == BS_AUTOCHECKBOX) return SystemMetricAt(SM_CXMENUCHECK, dpi) + MulDiv(3, dpi, 96);
  if (type == BS_GROUPBOX) return MulDiv(12, dpi, 96);
  return 2 * edge;
}

// "name "caption" needs N px, has M" for every caption cut by its control.
std::vector<std::string> CutCaptions(HWND window, int dpi) {
  std::vector<std::string> cut;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    // Edit boxes scroll; the engine selectors list names of any length.
    if (!IsWindowVisible(child) || _wcsicmp(ClassOf(child).c_str(), WC_EDITW) == 0) continue;
    const int id = GetDlgCtrlID(child);
    if (_wcsicmp(ClassOf(child).c_str(), WC_COMBOBOXW) == 0 &&
        id != kSelectorIdBase + kDefaultSelector)
      continue;
    RECT client{};
    GetClientRect(child, &client);
    for (const std::wstring& caption : Captions(child)) {
      if (caption.empty()) continue;
      const int needed = Extent(child, caption) + Chrome(child, dpi);
      char line[256];
      std::snprintf(line, sizeof line, "control %d \"%s\" needs %d px, has %d at %d DPI", id,
                    Utf8FromWide(caption).c_str(), needed, static_cast<int>(client.right), dpi);
      std::printf("%s\n", line);
      if (needed > client.right) cut.emplace_back(line);
    }
  }
  return cut;
}

class ScreensTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // As the program's manifest declares it: the test sees the real DPI, not a scaled 96.
    SetProcessDPIAware();
    SettingsStore(folder.path(), folder.disk()).WriteDefaults();
    ASSERT_TRUE(bar_window.Create(nullptr));
    bar_window.Attach(bar);
    bar.SetSettingsDialog(&dialog);
    bar.Form_Load();
    bar_window.Show(SW_SHOWNORMAL);
    dialog_window.Attach(dialog);
    dialog.ShowSettingsDialog();
    Pump();
    ASSERT_NE(dialog_window.Handle(), nullptr);
  }

  // As Windows tells a window that moved to a monitor of `dpi`: the rectangle it suggests
  // keeps the top-left corner and scales the client area.
  static RECT SendDpiChanged(HWND window, int dpi, SIZE client_twips, DWORD style, DWORD ex_style) {
    RECT at{};
    GetWindowRect(window, &at);
    RECT suggested{0, 0, PixelsFromTwips(client_twips.cx, dpi),
                   PixelsFromTwips(client_twips.cy, dpi)};
    AdjustWindowRectEx(&suggested, style, FALSE, ex_style);
    OffsetRect(&suggested, at.left - suggested.left, at.top - suggested.top);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump();
    return suggested;
  }

  static RECT RectIn(HWND parent, HWND control) {
    RECT at{};
    GetWindowRect(control, &at);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&at), 2);
    return at;
  }

  static LONG FontHeight(HWND control) {
    LOGFONTW face{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof face,
               &face);
    return face.lfHeight;
  }

  test::TempFolder folder;
  test::FakePlatform platform{folder.path()};
  SettingsModel model;
  SearchBarWindow bar_window;
  SearchBar bar{model, bar_window, platform, folder.disk()};
  Win32Platform owners;
  SettingsDialogWindow dialog_window{owners, nullptr};
  SettingsDialog dialog{bar, dialog_window, platform};
};

TEST_F(ScreensTest, EveryCaptionShowsWholeAtTheSystemDpi) {
  const int dpi = SystemDpi();
  EXPECT_EQ(bar_window.Dpi(), dpi);
  for (HWND window : {bar_window.Handle(), dialog_window.Handle()}) {
    const std::vector<std::string> cut = CutCaptions(window, dpi);
    for (const std::string& line : cut) ADD_FAILURE() << line;
  }
}

TEST_F(ScreensTest, ANewDpiLaysBothWindowsOutAgainFromTheirTables) {
  HWND bar_handle = bar_window.Handle();
  HWND dialog_handle = dialog_window.Handle();
  const auto bar_style = static_cast<DWORD>(GetWindowLongPtrW(bar_handle, GWL_STYLE));
  const auto dialog_style = static_cast<DWORD>(GetWindowLongPtrW(dialog_handle, GWL_STYLE));
  const auto dialog_ex_style = static_cast<DWORD>(GetWindowLongPtrW(dialog_handle, GWL_EXSTYLE));
  for (int dpi : {120, 144, 192, SystemDpi()}) {
    SCOPED_TRACE(dpi);
    const RECT bar_at =
        SendDpiChanged(bar_handle, dpi, {kBarClientWidth, kBarClientHeight}, bar_style, 0);
    RECT now{};
    GetWindowRect(bar_handle, &now);
    EXPECT_TRUE(EqualRect(&now, &bar_at));
    for (const BarControl& c : kBarControls) {
      HWND control =
          c.kind == BarControlKind::QueryBox ? bar_window.QueryBox() : bar_window.Button(c.index);
      const RECT at = RectIn(bar_handle, control);
      EXPECT_EQ(at.left, PixelsFromTwips(c.left, dpi)) << c.index;
      EXPECT_EQ(at.top, PixelsFromTwips(c.top, dpi)) << c.index;
      EXPECT_GE(at.right - at.left, PixelsFromTwips(c.width, dpi)) << c.index;
      if (c.kind == BarControlKind::Button)
        EXPECT_EQ(at.bottom - at.top, PixelsFromTwips(c.height, dpi)) << c.index;
      EXPECT_EQ(FontHeight(control), -MulDiv(FontSpecOf(c.font).points, dpi, 72)) << c.index;
    }
    // The box and its open history list keep their height in twips.
    RECT list{};
    SendMessageW(bar_window.QueryBox(), CB_GETDROPPEDCONTROLRECT, 0,
                 reinterpret_cast<LPARAM>(&list));
    const RECT field = RectIn(bar_handle, bar_window.QueryBox());
    EXPECT_EQ(
        list.bottom - list.top + field.bottom - field.top,
        PixelsFromTwips(kBarControls[0].height, dpi) + PixelsFromTwips(kQueryListHeight, dpi));

    const RECT dialog_at =
        SendDpiChanged(dialog_handle, dpi, {kDialogClientWidth, kDialogClientHeight}, dialog_style,
                       dialog_ex_style);
    GetWindowRect(dialog_handle, &now);
    EXPECT_TRUE(EqualRect(&now, &dialog_at));
    for (const DialogControl& c : kDialogControls) {
      SCOPED_TRACE(std::string(c.name));
      HWND control = GetDlgItem(dialog_handle, ControlId(c));
      int left = c.left, top = c.top;
      for (DialogParent p = c.parent; p != DialogParent::Dialog;) {
        const int number = p == DialogParent::Frame1 ? 1 : 2;
        for (const DialogControl& frame : kDialogControls)
          if (frame.kind == DialogControlKind::Frame && frame.index == number) {
            left += frame.left;
            top += frame.top;
            p = frame.parent;
          }
      }
      const RECT at = RectIn(dialog_handle, control);
      EXPECT_EQ(at.left, PixelsFromTwips(left, dpi));
      EXPECT_EQ(at.top, PixelsFromTwips(top, dpi));
      EXPECT_GE(at.right - at.left, PixelsFromTwips(c.width, dpi));
      if (c.font == DialogFont::Gothic) EXPECT_EQ(FontHeight(control), -MulDiv(975, dpi, 7200));
    }
    for (HWND window : {bar_handle, dialog_handle})
      for (const std::string& line : CutCaptions(window, dpi)) ADD_FAILURE() << line;
  }
}

}  // namespace
}  // namespace velto::win32
