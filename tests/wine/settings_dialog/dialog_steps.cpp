// Steps on the settings dialog for velto_driver (see dialog_steps.h).
#include "dialog_steps.h"

#include <windows.h>

#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32/settings_dialog_ids.h"
#include "platform/win32/wide_text.h"
#include "ports/settings_dialog_view.h"

namespace {

namespace ids = velto::win32;

constexpr wchar_t kDialogCaption[] = L"設定";

std::wstring Wide(const std::string& utf8) {
  return velto::win32::WideFromUtf8(utf8);
}

std::string Utf8(const std::wstring& wide) {
  return velto::win32::Utf8FromWide(wide);
}

// WM_GETTEXT, not GetWindowText: an edit box of another process keeps its text to itself.
std::string Text(HWND window) {
  wchar_t text[1024]{};
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return Utf8(text);
}

HWND Dialog() {
  HWND dialog = FindWindowW(ids::kSettingsDialogClassName, kDialogCaption);
  return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

int ControlIdOf(std::string_view name) {
  static const std::pair<std::string_view, int> kNames[] = {
      {"change", ids::kEditButtonIdBase + 0},
      {"delete", ids::kEditButtonIdBase + 1},
      {"clear", ids::kEditButtonIdBase + 2},
      {"ok", ids::kCommandIdBase + 1},
      {"cancel", ids::kCommandIdBase + 2},
      {"help", ids::kCommandIdBase + 3},
      {"restore", ids::kCommandIdBase + 4},
      {"import", ids::kCommandIdBase + velto::kImportButton},
      {"check", ids::kCheckBoxId},
      {"suggest", ids::kCheckBoxId + 1},
  };
  for (const auto& [known, id] : kNames)
    if (name == known) return id;
  if (name.size() == 6 && name.substr(0, 5) == "combo") return ids::kSelectorIdBase + name[5] - '0';
  if (name.size() == 5 && name.substr(0, 4) == "text") return ids::kEditBoxIdBase + name[4] - '0';
  return -1;
}

// Lets the dialog handle its input; input is queued, so give it a moment as well.
void Settle(HWND window) {
  Sleep(200);
  DWORD_PTR ignored = 0;
  if (window != nullptr) SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 3000, &ignored);
  Sleep(100);
}

void Key(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(input));
}

void Press(WORD vk) {
  Key(vk, false);
  Key(vk, true);
  Sleep(30);
}

void Type(const std::wstring& text) {
  for (wchar_t unit : text) {
    INPUT input[2]{};
    for (int i = 0; i < 2; ++i) {
      input[i].type = INPUT_KEYBOARD;
      input[i].ki.wScan = unit;
      input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
    }
    SendInput(2, input, sizeof(INPUT));
  }
}

void ClickAt(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  Sleep(50);
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

std::string Selector(HWND list) {
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  std::string out =
      std::to_string(SendMessageW(list, CB_GETCURSEL, 0, 0)) + "/" + std::to_string(count);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t item[512]{};
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    out += "|" + Utf8(item);
  }
  return out;
}

std::string WindowFrame(HWND dialog) {
  const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
  const LONG_PTR ex = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
  std::string out;
  const std::pair<bool, const char*> kBits[] = {{(style & WS_CAPTION) == WS_CAPTION, "caption"},
                                                {(style & WS_SYSMENU) != 0, "sysmenu"},
                                                {(style & WS_MINIMIZEBOX) != 0, "minbox"},
                                                {(style & WS_MAXIMIZEBOX) != 0, "maxbox"},
                                                {(style & WS_THICKFRAME) != 0, "sizable"},
                                                {(ex & WS_EX_DLGMODALFRAME) != 0, "dialogframe"},
                                                {(ex & WS_EX_TOOLWINDOW) != 0, "toolwindow"},
                                                {(ex & WS_EX_APPWINDOW) != 0, "appwindow"},
                                                {GetWindow(dialog, GW_OWNER) != nullptr, "owned"}};
  for (const auto& [set, name] : kBits)
    if (set) out += std::string(out.empty() ? "" : ",") + name;
  return out;
}

void Dump(HWND dialog, std::string& record) {
  record += "caption=" + Text(dialog) + "\n";
  record += "frame=" + WindowFrame(dialog) + "\n";
  RECT client{};
  GetClientRect(dialog, &client);
  record += "client=" + std::to_string(client.right) + "x" + std::to_string(client.bottom) + "\n";
  RECT outer{};
  GetWindowRect(dialog, &outer);
  record += "at=" + std::to_string(outer.left) + "," + std::to_string(outer.top) + "\n";
  for (int i = 0; i < 6; ++i)
    record += "combo" + std::to_string(i) + "=" +
              Selector(GetDlgItem(dialog, ids::kSelectorIdBase + i)) + "\n";
  std::string boxes = "texts=";
  for (int i = 0; i < 3; ++i)
    boxes += (i ? "|" : "") + Text(GetDlgItem(dialog, ids::kEditBoxIdBase + i));
  record += boxes + "\n";
  record += "keyword=" + Text(GetDlgItem(dialog, ids::kEditBoxIdBase + velto::kKeywordBox)) + "\n";
  record += "check=" +
            std::to_string(SendMessageW(GetDlgItem(dialog, ids::kCheckBoxId), BM_GETCHECK, 0, 0)) +
            "\n";
  record += "focus=" + std::to_string(GetDlgCtrlID(FocusOf(dialog))) + "\n";
}

// Children in z-order, which is the order Tab walks.
void Layout(HWND dialog, std::string& record) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    wchar_t cls[64]{};
    GetClassNameW(child, cls, 64);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    std::string kind = Utf8(cls);
    if (lstrcmpiW(cls, L"ComboBox") == 0)
      kind += (style & 3) == CBS_DROPDOWNLIST ? "(list)" : "(editable)";
    record += "ctl=" + std::to_string(GetDlgCtrlID(child)) + " " + kind + " " +
              std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
              std::to_string(rect.right - rect.left) + "x" +
              std::to_string(rect.bottom - rect.top) + " " +
              (IsWindowVisible(child) ? "shown" : "hidden") + ((style & WS_TABSTOP) ? " tab" : "") +
              " " + Text(child) + "\n";
  }
}

// A font of the dialog, made as the dialog makes it.
HFONT DialogFontOf(velto::DialogFont font) {
  if (font == velto::DialogFont::Default) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return CreateFontIndirectW(&metrics.lfMessageFont);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const int height = -MulDiv(static_cast<int>(velto::kDialogFontPoints * 100), dpi, 72 * 100);
  return CreateFontW(height, 0, 0, 0, velto::kDialogFontWeight, FALSE, FALSE, FALSE,
                     static_cast<BYTE>(velto::kDialogFontCharset), OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     Wide(std::string(velto::kDialogFontName)).c_str());
}

// The width a caption may take in its control: a button's edges, a check box's box and a
// frame's corners take their share.
int CaptionRoom(velto::DialogControlKind kind, int width) {
  switch (kind) {
    case velto::DialogControlKind::Button:
      return width - 2 * (GetSystemMetrics(SM_CXEDGE) + 1);
    case velto::DialogControlKind::CheckBox:
      return width - GetSystemMetrics(SM_CXMENUCHECK) - GetSystemMetrics(SM_CXEDGE);
    case velto::DialogControlKind::Frame:
      return width - 16;
    default:
      return width;
  }
}

void Labels(HWND dialog, std::string& record) {
  std::string cut;
  HDC dc = GetDC(dialog);
  for (const auto& control : velto::kDialogControls) {
    using K = velto::DialogControlKind;
    if (control.kind == K::Selector || control.kind == K::EditBox) continue;
    HWND child = GetDlgItem(dialog, ids::ControlId(control));
    if (child == nullptr || !IsWindowVisible(child)) continue;
    const std::wstring text = Wide(Text(child));
    HFONT font = DialogFontOf(control.font);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    DeleteObject(font);
    RECT client{};
    GetClientRect(child, &client);
    const int room = CaptionRoom(control.kind, client.right - client.left);
    if (extent.cx > room) {
      cut += "label-cut=" + std::to_string(ids::ControlId(control)) + " " + Text(child) +
             " needs " + std::to_string(extent.cx) + " has " + std::to_string(room) + "\n";
    }
  }
  ReleaseDC(dialog, dc);
  record += cut.empty() ? std::string("labels=whole\n") : cut;
}

struct FoundBox {
  DWORD thread;
  HWND box;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
  auto* search = reinterpret_cast<FoundBox*>(found);
  wchar_t cls[16]{};
  GetClassNameW(window, cls, 16);
  if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(window) &&
      GetWindowThreadProcessId(window, nullptr) == search->thread) {
    search->box = window;
    return FALSE;
  }
  return TRUE;
}

// The box's caption, its message (the longest static text) and its buttons.
bool MessageBoxStep(HWND dialog, std::string& record) {
  FoundBox found{GetWindowThreadProcessId(dialog, nullptr), nullptr};
  for (int i = 0; i < 100 && found.box == nullptr; ++i) {
    EnumWindows(&FindMessageBox, reinterpret_cast<LPARAM>(&found));
    if (found.box == nullptr) Sleep(50);
  }
  if (found.box == nullptr) {
    record += "msgbox=none\n";
    return true;
  }
  Sleep(200);
  std::string message;
  std::string buttons;
  for (HWND child = GetWindow(found.box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[16]{};
    GetClassNameW(child, cls, 16);
    const std::string text = Text(child);
    if (lstrcmpiW(cls, L"Static") == 0 && text.size() > message.size()) message = text;
    if (lstrcmpiW(cls, L"Button") == 0 && IsWindowVisible(child))
      buttons += (buttons.empty() ? "" : ",") + text;
  }
  record += "msgbox=" + Text(found.box) + "|" + message + "|" + buttons +
            "|owner=" + (GetWindow(found.box, GW_OWNER) == dialog ? "dialog" : "other") + "\n";
  SetForegroundWindow(found.box);
  Sleep(50);
  Press(VK_RETURN);
  Settle(dialog);
  return true;
}

bool Pick(HWND dialog, const std::string& arg) {
  const int selector = std::atoi(arg.c_str());
  const std::size_t colon = arg.find(':');
  if (colon == std::string::npos) return false;
  const int entry = std::atoi(arg.c_str() + colon + 1);
  HWND list = GetDlgItem(dialog, ids::kSelectorIdBase + selector);
  ClickAt(list);  // opens the list
  Settle(dialog);
  const int current = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
  const int moves = current < 0 ? entry + 1 : entry - current;
  for (int i = 0; i < (moves < 0 ? -moves : moves); ++i) Press(moves < 0 ? VK_UP : VK_DOWN);
  Press(VK_RETURN);
  Settle(dialog);
  return SendMessageW(list, CB_GETCURSEL, 0, 0) == entry;
}

}  // namespace

std::optional<bool> RunDialogStep(const std::string& verb, const std::string& arg,
                                  std::string& record) {
  if (verb.rfind("dlg-", 0) != 0) return std::nullopt;
  HWND dialog = Dialog();
  if (verb == "dlg-wait") {
    for (int i = 0; i < 100 && dialog == nullptr; ++i) {
      Sleep(50);
      dialog = Dialog();
    }
    record += dialog != nullptr ? "dialog=shown\n" : "dialog=none\n";
    Settle(dialog);
    return true;
  }
  if (dialog == nullptr) {
    record += verb + "=no-dialog\n";
    return verb == "dlg-dump";  // a dump may look for a dialog that is gone
  }
  SetForegroundWindow(dialog);
  Sleep(50);
  if (verb == "dlg-click") {
    HWND control = GetDlgItem(dialog, ControlIdOf(arg));
    if (control == nullptr) return false;
    ClickAt(control);
  } else if (verb == "dlg-pick") {
    if (!Pick(dialog, arg)) record += "pick-failed=" + arg + "\n";
  } else if (verb == "dlg-type") {
    Type(Wide(arg));
  } else if (verb == "dlg-key") {
    Press(static_cast<WORD>(std::atoi(arg.c_str())));
  } else if (verb == "dlg-tabs") {
    std::string order = "tabs=" + std::to_string(GetDlgCtrlID(FocusOf(dialog)));
    for (int i = 0; i < std::atoi(arg.c_str()); ++i) {
      Press(VK_TAB);
      Settle(dialog);
      order += "," + std::to_string(GetDlgCtrlID(FocusOf(dialog)));
    }
    record += order + "\n";
  } else if (verb == "dlg-dump") {
    Dump(dialog, record);
  } else if (verb == "dlg-layout") {
    Layout(dialog, record);
  } else if (verb == "dlg-labels") {
    Labels(dialog, record);
  } else if (verb == "dlg-msgbox") {
    return MessageBoxStep(dialog, record);
  } else if (verb == "dlg-close") {
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  } else {
    return false;
  }
  Settle(dialog);
  return true;
}
