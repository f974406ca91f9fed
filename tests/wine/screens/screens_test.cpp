// The real search bar and settings dialog in-process under Wine, over the real core with the
// factory and the starter settings: every caption shows whole, or on a search button that has
// grown to its neighbour shortened with an ellipsis, at the system DPI this run was started
// with; a move to a monitor of another DPI lays both windows out again from their twips tables.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "dialog/dialog_layout.h"
#include "dialog/settings_dialog.h"
#include "fake_platform.h"
#include "main/caption_fit.h"
#include "main/search_bar.h"
#include "main/search_bar_layout.h"
#include "platform/win32/dpi.h"
#include "platform/win32/search_bar_window.h"
#include "platform/win32/settings_dialog_ids.h"
#include "platform/win32/settings_dialog_window.h"
#include "platform/win32/shortened_caption.h"
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

// The width of the ink of `text`: its extent less the blank bearings at its two ends.
int InkExtent(HWND control, const std::wstring& text) {
  if (text.empty()) return 0;
  HDC dc = GetDC(control);
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  ABC first{}, last{};
  GetCharABCWidthsW(dc, text.front(), text.front(), &first);
  GetCharABCWidthsW(dc, text.back(), text.back(), &last);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return Extent(control, text) - std::max(0, first.abcA) - std::max(0, last.abcC);
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
  if (_wcsicmp(name.c_str(), WC_COMBOBOXW) == 0) {
    // Everything but the field the entry is drawn in.
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    RECT client{};
    if (GetComboBoxInfo(control, &info) && GetClientRect(control, &client))
      return client.right - (info.rcItem.right - info.rcItem.left);
    return SystemMetricAt(SM_CXVSCROLL, dpi) + 2 * edge;
  }
  if (_wcsicmp(name.c_str(), WC_BUTTONW) != 0) return 0;
  const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
  if (type == BS_AUTOCHECKBOX) return SystemMetricAt(SM_CXMENUCHECK, dpi) + MulDiv(3, dpi, 96);
  if (type == BS_GROUPBOX) return MulDiv(12, dpi, 96);
  // A push button's ink stays inside the frame of its face.
  return 2 * SystemMetricAt(SM_CXBORDER, dpi);
}

// "name "caption" needs N px, has M" for every caption cut by its control.
std::vector<std::string> CutCaptions(HWND window, int dpi) {
  std::vector<std::string> cut;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    // Edit boxes scroll; the engine selectors list names of any length.
    if (!IsWindowVisible(child) || _wcsicmp(ClassOf(child).c_str(), WC_EDITW) == 0) continue;
    const int id = GetDlgCtrlID(child);
    RECT client{};
    GetClientRect(child, &client);
    // The labels of no size are for screen readers alone: nobody sees them to find them cut.
    if (client.right == 0 && client.bottom == 0) continue;
    if (_wcsicmp(ClassOf(child).c_str(), WC_COMBOBOXW) == 0 &&
        id != kSelectorIdBase + kDefaultSelector) {
      // An engine's name shows whole or shortened at its end, and fits the field.
      const auto chosen = static_cast<int>(SendMessageW(child, CB_GETCURSEL, 0, 0));
      if (chosen < 0) continue;
      const std::wstring shown = ShortenedEntry(child, chosen, dpi);
      const std::wstring whole = Captions(child)[static_cast<std::size_t>(chosen)];
      const std::wstring ellipsis = WideFromUtf8(std::string(kEllipsis));
      const bool whole_or_head =
          shown == whole || (shown.ends_with(ellipsis) &&
                             whole.rfind(shown.substr(0, shown.size() - ellipsis.size()), 0) == 0);
      const int needed = Extent(child, shown) + Chrome(child, dpi);
      std::printf("control %d \"%s\" shown as \"%s\", needs %d px, has %ld\n", id,
                  Utf8FromWide(whole).c_str(), Utf8FromWide(shown).c_str(), needed, client.right);
      if (!whole_or_head || needed > client.right)
        cut.push_back("control " + std::to_string(id) + " shows " + Utf8FromWide(shown));
      continue;
    }
    for (const std::wstring& caption : Captions(child)) {
      if (caption.empty()) continue;
      const bool push = _wcsicmp(ClassOf(child).c_str(), WC_BUTTONW) == 0 &&
                        (GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON;
      const int needed =
          (push ? InkExtent(child, caption) : Extent(child, caption)) + Chrome(child, dpi);
      char line[256];
      std::snprintf(line, sizeof line, "control %d \"%s\" needs %d px, has %d at %d DPI", id,
                    Utf8FromWide(caption).c_str(), needed, static_cast<int>(client.right), dpi);
      std::printf("%s\n", line);
      if (needed > client.right) cut.emplace_back(line);
    }
  }
  // Nothing but a frame stands on another control.
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const auto framed = [](HWND control) {
      return (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
             _wcsicmp(ClassOf(control).c_str(), WC_BUTTONW) == 0;
    };
    if (!IsWindowVisible(child) || framed(child)) continue;
    for (HWND other = GetWindow(child, GW_HWNDNEXT); other != nullptr;
         other = GetWindow(other, GW_HWNDNEXT)) {
      RECT a{}, b{}, both{};
      GetWindowRect(child, &a);
      GetWindowRect(other, &b);
      if (IsWindowVisible(other) && !framed(other) && IntersectRect(&both, &a, &b))
        cut.push_back("controls " + std::to_string(GetDlgCtrlID(child)) + " and " +
                      std::to_string(GetDlgCtrlID(other)) + " overlap");
    }
  }
  return cut;
}

// What is wrong with the bar's buttons: a caption shown neither whole nor as its beginning and
// an ellipsis, one shortened on a button that could still grow, one that does not fit what the
// button shows it in, a button reaching into the next one of its row.
std::vector<std::string> BarButtonFaults(const SearchBarWindow& bar, int dpi) {
  std::vector<std::string> faults;
  const std::wstring ellipsis = WideFromUtf8(std::string(kEllipsis));
  for (std::size_t i = 0; i < kBarControls.size(); ++i) {
    const BarControl& c = kBarControls[i];
    if (c.kind != BarControlKind::Button) continue;
    HWND button = bar.Button(c.index);
    wchar_t whole[256]{};
    GetWindowTextW(button, whole, 256);
    const std::wstring shown = ShortenedCaption(button, dpi);
    RECT at{};
    GetWindowRect(button, &at);
    MapWindowPoints(nullptr, bar.Handle(), reinterpret_cast<POINT*>(&at), 2);
    const std::string name = Utf8FromWide(whole) + " shown as " + Utf8FromWide(shown) + " at " +
                             std::to_string(dpi) + " DPI: ";
    std::printf("button %d %s%ld px wide, whole text %d px\n", c.index, name.c_str(),
                at.right - at.left, InkExtent(button, whole));
    if (shown != whole) {
      const std::wstring head =
          shown.substr(0, shown.size() - std::min(shown.size(), ellipsis.size()));
      if (!shown.ends_with(ellipsis) || std::wstring(whole).rfind(head, 0) != 0)
        faults.push_back(name + "neither whole nor its beginning and an ellipsis");
      if (at.right < PixelsFromTwips(BarGrowLimit(i), dpi))
        faults.push_back(name + "shortened where the button could grow");
    }
    // Its ink inside the button's edges.
    if (!shown.empty() && InkExtent(button, shown) + Chrome(button, dpi) > at.right - at.left)
      faults.push_back(name + "does not fit");
    for (const BarControl& other : kBarControls) {
      if (other.kind != BarControlKind::Button || other.top != c.top || other.left <= c.left)
        continue;
      RECT next{};
      GetWindowRect(bar.Button(other.index), &next);
      MapWindowPoints(nullptr, bar.Handle(), reinterpret_cast<POINT*>(&next), 2);
      if (at.right > next.left) faults.push_back(name + "reaches into its neighbour");
    }
  }
  return faults;
}

// The settings of a run, factory or the starter settings of a first start, and the desktop's
// text size in percent of its usual 9 points.
struct ScreensCase {
  bool starter;
  int text_percent;
};

class ScreensTest : public ::testing::TestWithParam<ScreensCase> {
 protected:
  void SetUp() override {
    // As the program's manifest declares it: the test sees the real DPI, not a scaled 96.
    SetProcessDPIAware();
    if (GetParam().text_percent != 100) {
      // For this process's session only; TearDown puts the desktop's font back.
      desktop_.cbSize = sizeof(desktop_);
      ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(desktop_), &desktop_, 0));
      NONCLIENTMETRICSW larger = desktop_;
      larger.lfMessageFont.lfHeight = -MulDiv(9 * GetParam().text_percent, SystemDpi(), 7200);
      ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(larger), &larger, 0));
      font_changed_ = true;
    }
    const SettingsStore store(folder.path(), folder.disk());
    ASSERT_TRUE(GetParam().starter ? store.WriteStarterSettings() : store.WriteDefaults());
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

  void TearDown() override {
    if (font_changed_)
      SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(desktop_), &desktop_, 0);
  }

  NONCLIENTMETRICSW desktop_{};
  bool font_changed_ = false;

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

TEST_P(ScreensTest, EveryCaptionShowsWholeAtTheSystemDpi) {
  const int dpi = SystemDpi();
  EXPECT_EQ(bar_window.Dpi(), dpi);
  for (const std::string& line : BarButtonFaults(bar_window, dpi)) ADD_FAILURE() << line;
  for (const std::string& line : CutCaptions(dialog_window.Handle(), dpi)) ADD_FAILURE() << line;
}

TEST_P(ScreensTest, ANewDpiLaysBothWindowsOutAgainFromTheirTables) {
  if (GetParam().text_percent != 100) GTEST_SKIP() << "the dialog is laid out for the text size";
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
    for (std::size_t i = 0; i < kBarControls.size(); ++i) {
      const BarControl& c = kBarControls[i];
      HWND control =
          c.kind == BarControlKind::QueryBox ? bar_window.QueryBox() : bar_window.Button(c.index);
      const RECT at = RectIn(bar_handle, control);
      EXPECT_EQ(at.left, PixelsFromTwips(c.left, dpi)) << c.index;
      EXPECT_EQ(at.top, PixelsFromTwips(c.top, dpi)) << c.index;
      // At least the table's width, but where the table draws it into its neighbour only up to
      // that neighbour.
      EXPECT_GE(at.right - at.left,
                std::min(PixelsFromTwips(c.width, dpi),
                         PixelsFromTwips(BarGrowLimit(i), dpi) - static_cast<int>(at.left)))
          << c.index;
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
    for (std::size_t i = 0; i < kDialogControls.size(); ++i) {
      const DialogControl& c = kDialogControls[i];
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
      EXPECT_GE(at.right - at.left,
                std::min(PixelsFromTwips(c.width, dpi),
                         PixelsFromTwips(left - c.left + DialogGrowLimit(i), dpi) -
                             static_cast<int>(at.left)));
      if (c.font == DialogFont::Gothic) EXPECT_EQ(FontHeight(control), -MulDiv(975, dpi, 7200));
    }
    for (const std::string& line : BarButtonFaults(bar_window, dpi)) ADD_FAILURE() << line;
    for (const std::string& line : CutCaptions(dialog_handle, dpi)) ADD_FAILURE() << line;
  }
}

INSTANTIATE_TEST_SUITE_P(Settings, ScreensTest,
                         ::testing::Values(ScreensCase{false, 100}, ScreensCase{true, 100},
                                           ScreensCase{true, 150}, ScreensCase{true, 200}),
                         [](const auto& info) {
                           return std::string(info.param.starter ? "Starter" : "Factory") + "Text" +
                                  std::to_string(info.param.text_percent);
                         });

}  // namespace
}  // namespace velto::win32
