// Drives a running velto.exe from outside, as a person would: real keyboard and mouse input
// through SendInput, and the messages Windows sends when a program is closed or the session
// ends. Steps come as arguments and run in order; what the steps observe goes to a UTF-8 file.
//
//   velto_driver OUT EXE step...
//   start:ARGS      start EXE with the command line "EXE ARGS" and wait for its window
//   start-early:ARGS  start EXE without arguments, and once it holds the instance (it has a
//                   window, shown or not) but before its bar shows, start another EXE with
//                   ARGS; wait for that to end (recorded as by second:), then for the bar
//   second:ARGS     start another EXE, wait for it to end, record its exit code and windows
//   first:ARGS      start EXE with no bar running, wait for it to end and record its exit code,
//                   then take the bar it brought up as the started program
//   type:TEXT       type TEXT (UTF-8) into the focused control
//   key:VK          press a key (decimal code); "key:shift+115" holds Shift, "key:alt+40" Alt
//   drop:ON|T|FILE...  drag and drop onto ON (window, query, button:I) the text T ("-" for
//                   none, "=" and the text, or "<" and a UTF-8 file's path) and the files
//                   (Windows paths)
//   click:I / rclick:I / mclick:I   press a mouse button on Command1(I)
//   dclick:I / drclick:I / dmclick:I  the same, double-clicked
//   suggestion:N:M  press the left button over row N of the suggestion list, release it over
//                   row M
//   suggestions     record whether the suggestion list is shown
//   compose:READING|COMMIT|VK,VK...|MS  a composition in the query box, by the messages an
//                   input method sends: it opens, shows READING in the box as an inline
//                   composition, waits MS, takes the keys (pressed for real), then replaces
//                   READING with the committed COMMIT (empty: cancelled) and closes
//   move:DX,DY      move the bar by DX, DY pixels, as a window manager moves it
//   elsewhere       another window (the driver's own) takes the focus
//   clickquery      a left click into the query box
//   menu:N          open the menu button's menu, move down N entries (up for N < 0), Enter
//   chord:A+B+C     hold the keys A, B (decimal codes) and press C, wherever the focus is
//   clipboard:TEXT  put TEXT (UTF-8) on the clipboard
//   msgbox          record the text of the message box the bar shows (line breaks as blanks)
//                   and answer it with Enter; "msgbox=none" when none comes
//   dump            record the query text and the history list
//   outer           record the bar's outer rectangle: left, top, right, bottom
//   list            record whether the query box's drop-down list is open
//   close / endsession   close the bar like the window's close box, or a logoff
//   wait-exit       wait for the started program to end, record its exit code
//   choose:ROW,...  in the window that offers engines to import (rows all checked, the first
//                   focused), uncheck the rows (ascending) with Down and Space, then Enter;
//                   "choose:cancel" presses Esc. Records "chooser=none" when no such window
//                   comes, "chooser=stuck" when it does not go
//   dlg-...         the settings dialog's steps: ../settings_dialog/dialog_steps.h
#include <windows.h>
// after windows.h
#include <ole2.h>

#include "../settings_dialog/dialog_steps.h"  // the settings dialog's steps

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "ole_drag.h"
#include "platform/win32/engine_chooser_ids.h"
#include "platform/win32/wide_text.h"

namespace {

constexpr wchar_t kBarClass[] = L"VeltoSearchBar";
constexpr wchar_t kBarCaption[] = L"ヴェルト";
constexpr int kButtonIdBase = 100;

std::wstring Wide(const std::string& utf8) {
  return velto::win32::WideFromUtf8(utf8);
}

std::string Utf8(const std::wstring& wide) {
  return velto::win32::Utf8FromWide(wide);
}

class Driver {
 public:
  Driver(std::wstring out, std::wstring exe) : out_path_(std::move(out)), exe_(std::move(exe)) {}
  ~Driver() {
    if (process_ != nullptr) CloseHandle(process_);
  }
  bool Run(const std::string& step);
  void Flush() const;

 private:
  static BOOL CALLBACK CountBar(HWND window, LPARAM counter) {
    wchar_t cls[64]{};
    wchar_t caption[64]{};
    GetClassNameW(window, cls, 64);
    GetWindowTextW(window, caption, 64);
    if (IsWindowVisible(window) && lstrcmpW(cls, kBarClass) == 0 &&
        lstrcmpW(caption, kBarCaption) == 0)
      ++*reinterpret_cast<int*>(counter);
    return TRUE;
  }
  static int VisibleBars() {
    int count = 0;
    EnumWindows(&Driver::CountBar, reinterpret_cast<LPARAM>(&count));
    return count;
  }
  HANDLE Start(const std::string& args) const {
    std::wstring command = L"\"" + exe_ + L"\"";
    if (!args.empty()) command += L" " + Wide(args);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
      return nullptr;
    CloseHandle(info.hThread);
    return info.hProcess;
  }
  bool WaitForBar() {
    for (int i = 0; i < 200; ++i) {
      bar_ = FindWindowW(kBarClass, kBarCaption);
      if (bar_ != nullptr && IsWindowVisible(bar_)) return true;
      Sleep(50);
    }
    return false;
  }
  // Lets the bar handle what it was sent; input is queued, so give it a moment as well.
  void Settle() const {
    Sleep(200);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(bar_, WM_NULL, 0, 0, SMTO_NORMAL, 3000, &ignored);
    Sleep(100);
  }
  void Foreground() const {
    SetForegroundWindow(bar_);
    Sleep(50);
  }
  static void Key(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
  }
  void Press(WORD vk, WORD modifier) const {
    Foreground();
    if (modifier != 0) Key(modifier, false);
    Key(vk, false);
    Key(vk, true);
    if (modifier != 0) Key(modifier, true);
    Settle();
  }
  struct FoundBox {
    DWORD thread;
    HWND box;
  };
  static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    auto* search = reinterpret_cast<FoundBox*>(found);
    wchar_t cls[16]{};
    GetClassNameW(window, cls, 16);
    if (lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(window) ||
        GetWindowThreadProcessId(window, nullptr) != search->thread)
      return TRUE;
    search->box = window;
    return FALSE;
  }
  void AnswerMessageBox() {
    FoundBox found{GetWindowThreadProcessId(bar_, nullptr), nullptr};
    for (int i = 0; i < 100 && found.box == nullptr; ++i) {
      EnumWindows(&Driver::FindBox, reinterpret_cast<LPARAM>(&found));
      if (found.box == nullptr) Sleep(50);
    }
    if (found.box == nullptr) return Record("msgbox=none");
    std::wstring message;
    for (HWND child = GetWindow(found.box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t cls[16]{};
      GetClassNameW(child, cls, 16);
      std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
      text.resize(static_cast<std::size_t>(
          GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
      if (lstrcmpiW(cls, L"Static") == 0 && text.size() > message.size()) message = text;
    }
    for (wchar_t& c : message)
      if (c == L'\r' || c == L'\n') c = L' ';
    Record("msgbox=" + Utf8(message));
    SetForegroundWindow(found.box);
    Sleep(50);
    Key(VK_RETURN, false);
    Key(VK_RETURN, true);
    Settle();
  }
  static std::string ReadUtf8(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(static_cast<std::size_t>(GetFileSize(file, nullptr)), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
  }
  // drop:ON|T|FILE|FILE...
  bool Drop(const std::string& arg) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (std::size_t bar = arg.find('|');; bar = arg.find('|', start)) {
      parts.push_back(Wide(arg.substr(start, bar - start)));
      if (bar == std::string::npos) break;
      start = bar + 1;
    }
    if (parts.size() < 2) return false;
    HWND target = bar_;
    if (parts[0] == L"query") target = GetDlgItem(bar_, 99);
    if (parts[0].rfind(L"button:", 0) == 0)
      target = GetDlgItem(bar_, kButtonIdBase + _wtoi(parts[0].c_str() + 7));
    RECT rect{};
    GetWindowRect(target, &rect);
    // The middle of the control; for the window, a point of the client area between controls.
    POINT at{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (target == bar_) {
      POINT corner{2, 2};
      ClientToScreen(bar_, &corner);
      at = corner;
    }
    std::optional<std::wstring> text;
    if (parts[1].rfind(L"=", 0) == 0) text = parts[1].substr(1);
    // "<FILE": the text of a UTF-8 file, for texts longer than a command line holds.
    if (parts[1].rfind(L"<", 0) == 0) text = Wide(ReadUtf8(parts[1].substr(1)));
    const std::vector<std::wstring> files(parts.begin() + 2, parts.end());
    Foreground();
    Record(std::string("dropped=") + (DragAndDrop(at, text, files) ? "1" : "0"));
    Settle();
    return true;
  }
  void Type(const std::wstring& text) const {
    Foreground();
    for (wchar_t unit : text) {
      INPUT input[2]{};
      for (int i = 0; i < 2; ++i) {
        input[i].type = INPUT_KEYBOARD;
        input[i].ki.wScan = unit;
        input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
      }
      SendInput(2, input, sizeof(INPUT));
    }
    Settle();
  }
  bool Compose(const std::string& arg) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
      const std::size_t bar = arg.find('|', start);
      parts.push_back(arg.substr(start, bar - start));
      if (bar == std::string::npos) break;
      start = bar + 1;
    }
    HWND edit = FindWindowExW(GetDlgItem(bar_, 99), nullptr, L"Edit", nullptr);
    if (parts.size() != 4 || edit == nullptr) return false;
    Foreground();
    SendMessageW(edit, WM_IME_STARTCOMPOSITION, 0, 0);
    const std::wstring reading = Wide(parts[0]);
    for (wchar_t unit : reading) SendMessageW(edit, WM_CHAR, unit, 1);
    Settle();
    Sleep(static_cast<DWORD>(std::atoi(parts[3].c_str())));
    for (std::size_t start = 0; start < parts[2].size();) {
      const std::size_t comma = parts[2].find(',', start);
      Press(static_cast<WORD>(std::atoi(parts[2].substr(start, comma - start).c_str())), 0);
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    for (std::size_t i = 0; i < reading.size(); ++i) SendMessageW(edit, WM_CHAR, VK_BACK, 1);
    for (wchar_t unit : Wide(parts[1])) SendMessageW(edit, WM_IME_CHAR, unit, 1);
    SendMessageW(edit, WM_IME_ENDCOMPOSITION, 0, 0);
    Settle();
    return true;
  }
  void Mouse(int button_index, DWORD down, DWORD up) const {
    HWND button = GetDlgItem(bar_, kButtonIdBase + button_index);
    RECT rect{};
    GetWindowRect(button, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Sleep(50);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = down;
    input[1].mi.dwFlags = up;
    SendInput(2, input, sizeof(INPUT));
    Settle();
  }
  void Mouse(int button_index, DWORD down, DWORD up, int presses) const {
    HWND button = GetDlgItem(bar_, kButtonIdBase + button_index);
    RECT rect{};
    GetWindowRect(button, &rect);
    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, down, up, presses);
  }
  void ClickAt(POINT at, DWORD down, DWORD up, int presses) const {
    SetCursorPos(at.x, at.y);
    Sleep(50);
    for (int i = 0; i < presses; ++i) {
      INPUT input[2]{};
      input[0].type = input[1].type = INPUT_MOUSE;
      input[0].mi.dwFlags = down;
      input[1].mi.dwFlags = up;
      SendInput(2, input, sizeof(INPUT));
      if (i + 1 < presses) Sleep(80);  // within the double-click time
    }
    Settle();
  }
  struct FoundList {
    DWORD thread;
    HWND list;
  };
  static BOOL CALLBACK FindList(HWND window, LPARAM found) {
    auto* search = reinterpret_cast<FoundList*>(found);
    wchar_t cls[16]{};
    GetClassNameW(window, cls, 16);
    if (lstrcmpiW(cls, L"ListBox") != 0 || !IsWindowVisible(window) ||
        GetWindowThreadProcessId(window, nullptr) != search->thread)
      return TRUE;
    search->list = window;
    return FALSE;
  }
  HWND SuggestionList() const {
    FoundList found{GetWindowThreadProcessId(bar_, nullptr), nullptr};
    EnumWindows(&Driver::FindList, reinterpret_cast<LPARAM>(&found));
    return found.list;
  }
  static bool RowCentre(HWND list, int row, POINT& at) {
    RECT item{};
    if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item)) == LB_ERR)
      return false;
    at = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list, &at);
    return true;
  }
  static void Button(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
  }
  bool PickSuggestion(int pressed, int released) const {
    HWND list = SuggestionList();
    POINT at{};
    if (list == nullptr || !RowCentre(list, pressed, at)) return false;
    SetCursorPos(at.x, at.y);
    Sleep(50);
    Button(MOUSEEVENTF_LEFTDOWN);
    Sleep(50);
    // The list may have gone with the press.
    if (IsWindowVisible(list) && RowCentre(list, released, at)) SetCursorPos(at.x, at.y);
    Sleep(50);
    Button(MOUSEEVENTF_LEFTUP);
    Settle();
    return true;
  }
  static BOOL CALLBACK HasWindow(HWND window, LPARAM process) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != *reinterpret_cast<DWORD*>(process)) return TRUE;
    *reinterpret_cast<DWORD*>(process) = 0;
    return FALSE;
  }
  // Whether the started program has made a window yet, shown or not.
  bool HasMadeAWindow() const {
    DWORD process = GetProcessId(process_);
    EnumWindows(&Driver::HasWindow, reinterpret_cast<LPARAM>(&process));
    return process == 0;
  }
  void Elsewhere() {
    other_.reset(CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 600,
                                 200, 100, nullptr, nullptr, nullptr, nullptr));
    SetForegroundWindow(other_.get());
    for (int i = 0; i < 10; ++i) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      Sleep(30);
    }
    Settle();
  }
  struct WindowCloser {
    void operator()(HWND window) const { DestroyWindow(window); }
  };

  void Menu(int downs) {
    Mouse(5, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    for (int i = 0; i < 100 && FindWindowW(L"#32768", nullptr) == nullptr; ++i) Sleep(50);
    if (FindWindowW(L"#32768", nullptr) == nullptr) Record("menu-missing");
    // A negative count moves up from the end of the menu.
    const WORD vk = downs < 0 ? VK_UP : VK_DOWN;
    for (int i = 0; i < (downs < 0 ? -downs : downs); ++i) {
      Key(vk, false);
      Key(vk, true);
      Sleep(30);
    }
    Key(VK_RETURN, false);
    Key(VK_RETURN, true);
    Settle();
  }
  // Space on the focused control (the menu button, reached with Tab) with the pointer far from
  // it; records whether the menu opened under the button, then moves down `downs` entries
  // and takes one, or closes the menu with Esc when there are none.
  void KeyboardMenu(int downs) {
    SetCursorPos(900, 700);
    Press(VK_SPACE, 0);
    HWND menu = nullptr;
    for (int i = 0; i < 100 && (menu = FindWindowW(L"#32768", nullptr)) == nullptr; ++i) Sleep(50);
    if (menu == nullptr) {
      Record("menu-at=none");
      return;
    }
    RECT shown{};
    RECT button{};
    GetWindowRect(menu, &shown);
    GetWindowRect(GetDlgItem(bar_, kButtonIdBase + 5), &button);
    const bool under =
        std::abs(shown.left - button.left) <= 4 && std::abs(shown.top - button.bottom) <= 4;
    Record(std::string("menu-at=") + (under ? "button" : "elsewhere"));
    for (int i = 0; i < downs; ++i) {
      Key(VK_DOWN, false);
      Key(VK_DOWN, true);
      Sleep(30);
    }
    const WORD last = downs > 0 ? VK_RETURN : VK_ESCAPE;
    Key(last, false);
    Key(last, true);
    Settle();
  }
  static HWND EngineChooser() {
    HWND chooser = FindWindowW(velto::win32::kEngineChooserClassName, nullptr);
    return chooser != nullptr && IsWindowVisible(chooser) ? chooser : nullptr;
  }
  void ChooseEngines(const std::string& arg) {
    HWND chooser = nullptr;
    for (int i = 0; i < 100 && (chooser = EngineChooser()) == nullptr; ++i) Sleep(50);
    if (chooser == nullptr) return Record("chooser=none");
    SetForegroundWindow(chooser);
    Sleep(200);
    const auto tap = [](WORD vk) {
      Key(vk, false);
      Key(vk, true);
      Sleep(30);
    };
    if (arg == "cancel") {
      tap(VK_ESCAPE);
    } else {
      int at = 0;
      for (std::size_t start = 0; start < arg.size();) {
        const std::size_t comma = arg.find(',', start);
        const int row = std::atoi(arg.substr(start, comma - start).c_str());
        for (; at < row; ++at) tap(VK_DOWN);
        tap(VK_SPACE);
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
      tap(VK_RETURN);
    }
    for (int i = 0; i < 100 && EngineChooser() != nullptr; ++i) Sleep(50);
    if (EngineChooser() != nullptr) Record("chooser=stuck");
    Settle();
  }
  void Dump() {
    HWND box = GetDlgItem(bar_, 99);
    wchar_t text[1024]{};
    // GetWindowText would read only the caption of another process's window.
    SendMessageW(box, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    Record("query=" + Utf8(text));
    const LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    std::string list = "history=" + std::to_string(count);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t item[1024]{};
      SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
      list += "|" + Utf8(item);
    }
    Record(list);
    wchar_t caption[256]{};
    std::string buttons = "buttons=";
    for (int i = 0; i < 6; ++i) {
      HWND button = GetDlgItem(bar_, kButtonIdBase + i);
      GetWindowTextW(button, caption, 256);
      buttons += (i ? "|" : "") + Utf8(caption) + (IsWindowEnabled(button) ? "" : "(off)");
    }
    Record(buttons);
    RECT rect{};
    GetWindowRect(bar_, &rect);
    Record("at=" + std::to_string(rect.left) + "," + std::to_string(rect.top));
    GetClientRect(bar_, &rect);
    Record("client=" + std::to_string(rect.right) + "x" + std::to_string(rect.bottom));
    const LONG_PTR ex = GetWindowLongPtrW(bar_, GWL_EXSTYLE);
    Record(std::string("topmost=") + ((ex & WS_EX_TOPMOST) ? "1" : "0"));
  }
  void WaitExit(HANDLE process, const char* what) {
    const DWORD waited = WaitForSingleObject(process, 15000);
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    Record(std::string(what) + (waited == WAIT_OBJECT_0 ? "=" + std::to_string(code) : "=running"));
  }
  void Record(const std::string& line) { out_ += line + "\n"; }

  std::wstring out_path_;
  std::wstring exe_;
  HANDLE process_ = nullptr;
  HWND bar_ = nullptr;
  std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser> other_;
  std::string out_;
};

bool Driver::Run(const std::string& step) {
  const std::size_t colon = step.find(':');
  const std::string verb = step.substr(0, colon);
  const std::string arg = colon == std::string::npos ? "" : step.substr(colon + 1);
  if (verb == "start") {
    process_ = Start(arg);
    if (process_ == nullptr || !WaitForBar()) {
      Record("start-failed");
      return false;
    }
    Settle();
    Record("started");
  } else if (verb == "first") {
    HANDLE first = Start(arg);
    if (first == nullptr) return false;
    WaitExit(first, "first-exit");
    CloseHandle(first);
    if (!WaitForBar()) {
      Record("start-failed");
      return false;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(bar_, &pid);
    process_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (process_ == nullptr) return false;
    Settle();
    Record("bars=" + std::to_string(VisibleBars()));
  } else if (verb == "start-early") {
    process_ = Start("");
    for (int i = 0; i < 400 && process_ != nullptr && !HasMadeAWindow(); ++i) Sleep(5);
    Record(std::string("early=") + (FindWindowW(kBarClass, kBarCaption) != nullptr &&
                                            IsWindowVisible(FindWindowW(kBarClass, kBarCaption))
                                        ? "late"
                                        : "starting"));
    HANDLE second = Start(arg);
    if (second == nullptr) return false;
    WaitExit(second, "second-exit");
    CloseHandle(second);
    if (process_ == nullptr || !WaitForBar()) {
      Record("start-failed");
      return false;
    }
    Settle();
    Record("started");
  } else if (verb == "second") {
    HANDLE second = Start(arg);
    if (second == nullptr) return false;
    WaitExit(second, "second-exit");
    CloseHandle(second);
    Record("bars=" + std::to_string(VisibleBars()));
  } else if (verb == "type") {
    Type(Wide(arg));
  } else if (verb == "key") {
    const bool shift = arg.rfind("shift+", 0) == 0;
    const bool alt = arg.rfind("alt+", 0) == 0;
    const WORD modifier = shift ? VK_SHIFT : (alt ? VK_MENU : 0);
    Press(static_cast<WORD>(std::atoi(arg.c_str() + (shift ? 6 : (alt ? 4 : 0)))), modifier);
  } else if (verb == "click") {
    Mouse(std::atoi(arg.c_str()), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  } else if (verb == "rclick") {
    Mouse(std::atoi(arg.c_str()), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  } else if (verb == "mclick") {
    Mouse(std::atoi(arg.c_str()), MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
  } else if (verb == "dclick") {
    Mouse(std::atoi(arg.c_str()), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
  } else if (verb == "drclick") {
    Mouse(std::atoi(arg.c_str()), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 2);
  } else if (verb == "dmclick") {
    Mouse(std::atoi(arg.c_str()), MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, 2);
  } else if (verb == "suggestion") {
    const int pressed = std::atoi(arg.c_str());
    const int released = std::atoi(arg.c_str() + arg.find(':') + 1);
    if (!PickSuggestion(pressed, released)) Record("suggestion-missing");
  } else if (verb == "compose") {
    if (!Compose(arg)) Record("compose-failed");
  } else if (verb == "suggestions") {
    Record(std::string("suggestions=") + (SuggestionList() != nullptr ? "open" : "closed"));
  } else if (verb == "move") {
    RECT rect{};
    GetWindowRect(bar_, &rect);
    const int dx = std::atoi(arg.c_str());
    const int dy = std::atoi(arg.c_str() + arg.find(',') + 1);
    SetWindowPos(bar_, nullptr, rect.left + dx, rect.top + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settle();
  } else if (verb == "elsewhere") {
    Elsewhere();
  } else if (verb == "clickquery") {
    Foreground();
    RECT rect{};
    GetWindowRect(GetDlgItem(bar_, 99), &rect);
    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, MOUSEEVENTF_LEFTDOWN,
            MOUSEEVENTF_LEFTUP, 1);
  } else if (verb == "menu") {
    Menu(std::atoi(arg.c_str()));
  } else if (verb == "keymenu") {
    KeyboardMenu(std::atoi(arg.c_str()));
  } else if (verb == "chord") {
    std::vector<WORD> keys;
    for (std::size_t start = 0; start <= arg.size();) {
      const std::size_t plus = arg.find('+', start);
      keys.push_back(static_cast<WORD>(std::atoi(arg.substr(start, plus - start).c_str())));
      if (plus == std::string::npos) break;
      start = plus + 1;
    }
    for (WORD key : keys) Key(key, false);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) Key(*it, true);
    Settle();
  } else if (verb == "clipboard") {
    const std::wstring text = Wide(arg);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (block == nullptr || !OpenClipboard(nullptr)) return false;
    std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
  } else if (verb == "list") {
    const LRESULT open = SendMessageW(GetDlgItem(bar_, 99), CB_GETDROPPEDSTATE, 0, 0);
    Record(std::string("list=") + (open ? "open" : "closed"));
  } else if (verb == "outer") {
    RECT rect{};
    GetWindowRect(bar_, &rect);
    Record("outer=" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom));
  } else if (verb == "drop") {
    if (!Drop(arg)) return false;
  } else if (verb == "msgbox") {
    AnswerMessageBox();
  } else if (verb == "dump") {
    Dump();
  } else if (verb == "close") {
    PostMessageW(bar_, WM_CLOSE, 0, 0);
  } else if (verb == "endsession") {
    // What Windows sends at logoff: the query, then the end itself.
    DWORD_PTR agreed = 0;
    SendMessageTimeoutW(bar_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &agreed);
    Record("agreed=" + std::to_string(agreed));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(bar_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &ignored);
  } else if (verb == "wait-exit") {
    WaitExit(process_, "exit");
  } else if (verb == "choose") {
    ChooseEngines(arg);
  } else if (verb == "sleep") {
    Sleep(static_cast<DWORD>(std::atoi(arg.c_str())));
  } else if (const std::optional<bool> done = RunDialogStep(verb, arg, out_)) {
    return *done;
  } else {
    Record("unknown-step=" + step);
    return false;
  }
  return true;
}

void Driver::Flush() const {
  HANDLE file = CreateFileW(out_path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, out_.data(), static_cast<DWORD>(out_.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  // The drag source's side of OLE drag and drop.
  if (FAILED(OleInitialize(nullptr))) return 3;
  Driver driver(argv[1], argv[2]);
  int result = 0;
  for (int i = 3; i < argc; ++i) {
    if (!driver.Run(Utf8(argv[i]))) {
      result = 1;
      break;
    }
  }
  driver.Flush();
  return result;
}
