// The real search bar window in this process, with the real core and a recording platform:
// layout, fonts and styles, key preview through the program's own message handling, the history
// list under load, and drops handed to the window's registered OLE drop targets.
#include <windows.h>
#include <array>
#include <functional>
// after windows.h
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "main/search_bar.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/search_bar_window.h"
#include "platform/win32/wide_text.h"
#include "settings/settings_model.h"
#include "temp_folder.h"

namespace velto::win32 {
namespace {

using test::FakePlatform;
using test::TempFolder;
using test::WriteBytes;

std::string Field(const std::string& text) {
  return text + std::string(200 - text.size(), ' ');
}

class SearchBarWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    std::string ini = "[Velto]\r\nDefaultSearch=" + Field("1") + "\r\n";
    for (int i = 0; i < 4; ++i)
      ini += "SearchSelect(" + std::to_string(i) + ")=" + Field(std::to_string(i)) + "\r\n";
    ini += "[SearchData]\r\n";
    const char* names[] = {"Yahoo!", "検索エンジン", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn",
                           ""};
    for (int i = 0; i < 4; ++i) {
      const std::string n = std::to_string(i);
      ini += "SearchName(" + n + ")=" + Field(names[i]) + "\r\n";
      ini += "SearchEngn(" + n + ")=" + Field("http://s" + n + ".example/?q=") + "\r\n";
    }
    ini += "[History]\r\nSearchHistory(0)=" + Field("old") + "\r\n";
    WriteBytes(folder_ / "velto.ini", folder_.codec().AnsiFromUtf8(ini));
    ASSERT_TRUE(window_.Create(nullptr));
    window_.Attach(bar_);
    bar_.Form_Load();
    ASSERT_TRUE(window_.AcceptDrops());
    window_.Show(SW_SHOWNORMAL);
    window_.OpenToolTips();
    Pump();
  }
  void TearDown() override {
    DestroyWindow(window_.Handle());
    Pump();
    OleUninitialize();
  }

  void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message != WM_QUIT) ProcessMessage(window_, message);
    }
  }
  HWND Edit() const { return FindWindowExW(window_.QueryBox(), nullptr, L"Edit", nullptr); }
  std::vector<std::string> ListItems() const {
    std::vector<std::string> items;
    const auto count = SendMessageW(window_.QueryBox(), CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring item(
          static_cast<std::size_t>(SendMessageW(window_.QueryBox(), CB_GETLBTEXTLEN, i, 0)) + 1,
          L'\0');
      SendMessageW(window_.QueryBox(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
      item.resize(item.size() - 1);
      items.push_back(Utf8FromWide(item));
    }
    return items;
  }
  void PressKey(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    Pump();
  }
  LOGFONTW FontOf(HWND control) const {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    return font;
  }

  TempFolder folder_;
  FakePlatform platform_{folder_.path()};
  SettingsModel model_;
  SearchBarWindow window_;
  SearchBar bar_{model_, window_, platform_, folder_.disk()};
};

// Made topmost while start-up is still filling it in, the bar stays hidden: it shows, whole,
// when start-up shows it.
TEST(SearchBarWindowBeforeShow, Topmost_ChangesOnlyTheZOrder) {
  SearchBarWindow window;
  ASSERT_TRUE(window.Create(nullptr));
  window.SetTopmost(true);
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  EXPECT_TRUE(GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  window.Show(SW_SHOWNORMAL);
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  EXPECT_TRUE(GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(SearchBarWindowTest, Window_AfterStartUp_HasFixedBorderCaptionAndTwipLayout) {
  const LONG style = GetWindowLongW(window_.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  wchar_t caption[32]{};
  GetWindowTextW(window_.Handle(), caption, 32);
  EXPECT_EQ(Utf8FromWide(caption), "ヴェルト");

  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
  RECT client{};
  GetClientRect(window_.Handle(), &client);
  EXPECT_EQ(client.right, px(3795));
  EXPECT_EQ(client.bottom, px(945));
  // Search button 2 and the menu button, in client coordinates; the table draws button 2 into
  // its right neighbour, and it stops at that neighbour's edge.
  for (auto [index, left, top, next] :
       {std::tuple{2, 1500, 510, 2220}, std::tuple{5, 3015, 510, 3795},
        std::tuple{4, 3015, 60, 3795}}) {
    RECT rect{};
    GetWindowRect(window_.Button(index), &rect);
    MapWindowPoints(nullptr, window_.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, px(left)) << index;
    EXPECT_EQ(rect.top, px(top)) << index;
    EXPECT_EQ(rect.right - rect.left, std::min(px(735), px(next) - px(left))) << index;
  }
  // Tab order: query box, clear, search buttons 0 to 3, menu; the disabled button 3 is passed.
  std::vector<HWND> order;
  HWND at = window_.QueryBox();
  for (int i = 0; i < 6; ++i) {
    order.push_back(at);
    at = GetNextDlgTabItem(window_.Handle(), at, FALSE);
  }
  EXPECT_EQ(at, window_.QueryBox());
  EXPECT_EQ(order, (std::vector<HWND>{window_.QueryBox(), window_.Button(4), window_.Button(0),
                                      window_.Button(1), window_.Button(2), window_.Button(5)}));
}

TEST_F(SearchBarWindowTest, Controls_AfterStartUp_ShowFontsCaptionsAndStylesOfTheSettings) {
  const LOGFONTW query = FontOf(window_.QueryBox());
  EXPECT_EQ(Utf8FromWide(query.lfFaceName), "ＭＳ Ｐゴシック");
  EXPECT_EQ(query.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(query.lfWeight, FW_NORMAL);
  EXPECT_LT(query.lfHeight, 0);  // a character height: 12 points

  EXPECT_EQ(FontOf(window_.Button(1)).lfWeight, FW_BOLD);  // DefaultSearch 1
  EXPECT_EQ(FontOf(window_.Button(0)).lfWeight, FW_NORMAL);
  EXPECT_FALSE(IsWindowEnabled(window_.Button(3)));  // empty engine name
  EXPECT_TRUE(IsWindowEnabled(window_.Button(2)));
  for (int i = 0; i < 4; ++i)
    EXPECT_FALSE(GetWindowLongA(window_.Button(i), GWL_STYLE) & BS_MULTILINE) << i;
  EXPECT_TRUE(GetWindowLongA(window_.Button(4), GWL_STYLE) & BS_MULTILINE);

  wchar_t text[64]{};
  GetWindowTextW(window_.Button(1), text, 64);
  EXPECT_EQ(Utf8FromWide(text), "検索エンジン");
  EXPECT_EQ(ListItems(), std::vector<std::string>{"old"});

  // The whole 40-character name is the button's tooltip.
  HWND tips = nullptr;
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) != nullptr;)
    if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) tips = w;
  ASSERT_NE(tips, nullptr);
  wchar_t tip[128]{};
  TOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.hwnd = window_.Handle();
  info.uId = reinterpret_cast<UINT_PTR>(window_.Button(2));
  info.lpszText = tip;
  SendMessageW(tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(Utf8FromWide(tip), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn");
}

// The buttons are fitted once, as the window shows; what start-up left must be what fitting
// them afterwards gives, and asking again for what a button already shows changes nothing.
TEST_F(SearchBarWindowTest, Buttons_FittedAsTheWindowShows_MatchAFitAfterwards) {
  const auto widths = [this] {
    std::array<int, 4> width{};
    for (int i = 0; i < 4; ++i) {
      RECT at{};
      GetWindowRect(window_.Button(i), &at);
      width[static_cast<std::size_t>(i)] = at.right - at.left;
    }
    return width;
  };
  const std::array<int, 4> at_start = widths();
  const std::string long_name = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
  const struct {
    const char* name;
    std::function<void()> change;
  } rows[] = {
      {"the same caption again", [&] { window_.SetButtonCaption(2, long_name); }},
      {"another caption and back",
       [&] {
         window_.SetButtonCaption(2, "x");
         window_.SetButtonCaption(2, long_name);
       }},
      {"bold off and on",
       [&] {
         window_.SetButtonBold(1, false);
         window_.SetButtonBold(1, true);
       }},
      {"bold twice and undone",
       [&] {
         window_.SetButtonBold(2, true);
         window_.SetButtonBold(2, true);
         window_.SetButtonBold(2, false);
       }},
      {"single-line again", [&] { window_.MakeCaptionSingleLine(2); }},
      {"enabled states again",
       [&] {
         window_.SetButtonEnabled(2, true);
         window_.SetButtonEnabled(3, false);
       }},
  };
  for (const auto& row : rows) {
    row.change();
    Pump();
    EXPECT_EQ(widths(), at_start) << row.name;
  }
  EXPECT_EQ(FontOf(window_.Button(1)).lfWeight, FW_BOLD);
  EXPECT_EQ(FontOf(window_.Button(2)).lfWeight, FW_NORMAL);
  EXPECT_FALSE(IsWindowEnabled(window_.Button(3)));
  EXPECT_TRUE(IsWindowEnabled(window_.Button(2)));
  // A shorter caption gives the room back at once now that the window is up.
  window_.SetButtonCaption(2, "x");
  EXPECT_LE(widths()[2], at_start[2]);
}

TEST_F(SearchBarWindowTest, Keys_PressedInTheQueryBox_ReachTheCoreFirst) {
  window_.SetQueryText("abc");
  PressKey(Edit(), VK_F3);      // search button 2
  PressKey(Edit(), VK_RETURN);  // the default button, 1
  EXPECT_EQ(platform_.OpenedAddresses(),
            (std::vector<std::string>{"http://s2.example/?q=abc", "http://s1.example/?q=abc"}));
  PressKey(window_.Button(0), VK_F4);  // from a button too; its engine is disabled but keys act
  EXPECT_EQ(platform_.OpenedAddresses().back(), "http://s3.example/?q=abc");
  PressKey(Edit(), VK_ESCAPE);  // clears; the dialog navigation's cancel must not close the bar
  EXPECT_EQ(window_.QueryText(), "");
  EXPECT_TRUE(IsWindow(window_.Handle()));
  EXPECT_EQ(ListItems(), (std::vector<std::string>{"abc", "old"}));
}

// A double-click of the right or middle button reaches a button as down, up, double-click, up:
// two presses, so two home pages.
TEST_F(SearchBarWindowTest, RightAndMiddleDoubleClicks_OnASearchButton_AreTwoPresses) {
  model_.SearchHome[0] = "http://h0.example/";
  struct Messages {
    UINT down, up, double_click;
  };
  for (const Messages m : {Messages{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
                           Messages{WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}}) {
    platform_.shell_calls.clear();
    HWND button = window_.Button(0);
    for (const UINT message : {m.down, m.up, m.double_click, m.up})
      PostMessageW(button, message, 0, 0);
    Pump();
    EXPECT_EQ(platform_.OpenedAddresses(),
              (std::vector<std::string>{"http://h0.example/", "http://h0.example/"}));
  }
}

// How long it takes is a figure for the benchmarks, not a test: a loaded machine is slow.
TEST_F(SearchBarWindowTest, HistoryReset_WithManyEntries_KeepsThemAllAndTheQuery) {
  window_.SetQueryText("typed");
  std::vector<std::string> entries(100000);
  for (std::size_t i = 0; i < entries.size(); ++i) entries[i] = "query " + std::to_string(i);
  window_.HistoryReset(entries);
  EXPECT_EQ(SendMessageW(window_.QueryBox(), CB_GETCOUNT, 0, 0), 100000);
  EXPECT_EQ(window_.QueryText(), "typed");
}

// A real data object: the clipboard's, holding text and/or a file list.
class ClipboardData {
 public:
  ClipboardData(HWND owner, const std::wstring* text, const std::vector<std::wstring>& files) {
    if (!OpenClipboard(owner)) return;
    EmptyClipboard();
    if (text != nullptr) Put(CF_UNICODETEXT, text->c_str(), (text->size() + 1) * sizeof(wchar_t));
    if (!files.empty()) {
      std::wstring list;
      for (const auto& f : files) list += f + L'\0';
      list += L'\0';
      std::vector<char> block(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
      auto* header = reinterpret_cast<DROPFILES*>(block.data());
      header->pFiles = sizeof(DROPFILES);
      header->fWide = TRUE;
      memcpy(block.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
      Put(CF_HDROP, block.data(), block.size());
    }
    CloseClipboard();
    OleGetClipboard(&data_);
  }
  ~ClipboardData() {
    if (data_ != nullptr) data_->Release();
  }
  IDataObject* get() const { return data_; }

 private:
  static void Put(UINT format, const void* bytes, std::size_t size) {
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(global), bytes, size);
    GlobalUnlock(global);
    SetClipboardData(format, global);
  }
  IDataObject* data_ = nullptr;
};

class DropTest : public SearchBarWindowTest {
 protected:
  // Hands the data to the drop target OLE registered for the window, as a drag would end.
  void DropOn(HWND window, IDataObject* data) {
    auto* target = static_cast<IDropTarget*>(GetPropW(window, L"OleDropTargetInterface"));
    ASSERT_NE(target, nullptr);
    ASSERT_NE(data, nullptr);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(data, MK_LBUTTON, POINTL{}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->Drop(data, MK_LBUTTON, POINTL{}, &effect), S_OK);
    Pump();
  }
  std::wstring WriteFile(const char* name, const std::string& bytes) {
    WriteBytes(folder_ / name, bytes);
    return (folder_ / name).wstring();
  }
};

TEST_F(DropTest, Text_OnQueryBoxOrButton_GoesToItsHandler) {
  const std::wstring text = L"東京 タワー";
  ClipboardData data(window_.Handle(), &text, {});
  DropOn(window_.QueryBox(), data.get());
  EXPECT_EQ(window_.QueryText(), "東京 タワー");
  EXPECT_TRUE(platform_.OpenedAddresses().empty());

  const std::wstring other = L"abc";
  ClipboardData second(window_.Handle(), &other, {});
  DropOn(window_.Button(2), second.get());
  EXPECT_EQ(window_.QueryText(), "abc");
  EXPECT_EQ(platform_.OpenedAddresses(), std::vector<std::string>{"http://s2.example/?q=abc"});
  EXPECT_EQ(ListItems(), (std::vector<std::string>{"abc", "old"}));
}

TEST_F(DropTest, TextFile_OnWindow_FillsTheHistoryButNotOnTheQueryBox) {
  const std::wstring file = WriteFile("list.TxT", folder_.codec().AnsiFromUtf8("A\r\n\r\n東京\nB"));
  const std::wstring other = WriteFile("other.txt", "X\r\n");
  ClipboardData files(window_.Handle(), nullptr, {file, other});
  DropOn(window_.QueryBox(), files.get());
  EXPECT_EQ(ListItems(), std::vector<std::string>{"old"});
  DropOn(window_.Handle(), files.get());
  EXPECT_EQ(ListItems(), (std::vector<std::string>{"B", "東京", "A", "old"}));
  EXPECT_EQ(window_.QueryText(), "");
}

TEST_F(DropTest, LargeTextFile_OnWindow_FillsTheList) {
  std::string lines;
  for (int i = 0; i < 100000; ++i) lines += "query " + std::to_string(i) + "\r\n";
  const std::wstring file = WriteFile("big.txt", lines);
  const std::wstring text = L"typed";
  ClipboardData data(window_.Handle(), &text, {file});
  DropOn(window_.Handle(), data.get());
  EXPECT_EQ(SendMessageW(window_.QueryBox(), CB_GETCOUNT, 0, 0), 100001);
  EXPECT_EQ(ListItems().front(), "query 99999");
  EXPECT_EQ(window_.QueryText(), "typed");
}

}  // namespace
}  // namespace velto::win32
