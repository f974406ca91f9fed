#include "platform/win32/engine_chooser.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/win32/dpi.h"
#include "platform/win32/engine_chooser_ids.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {
namespace {

constexpr int kPromptId = 101;
constexpr int kNoteId = 102;

// Sizes in pixels at 96 DPI.
constexpr SIZE kOuterSize{420, 300};
constexpr int kMargin = 12;
constexpr int kGap = 6;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

enum class Answer { Pending, Ok, Cancel };

// What the dialog procedure shares with the modal loop.
struct Chooser {
  HWND window = nullptr;
  int dpi = USER_DEFAULT_SCREEN_DPI;
  UniqueFont font;
  Answer answer = Answer::Pending;
};

int Scaled(int pixels, int dpi) {
  return MulDiv(pixels, dpi, USER_DEFAULT_SCREEN_DPI);
}

int TextHeight(HWND control, HFONT font, int width) {
  const int length = GetWindowTextLengthW(control);
  if (length == 0) return 0;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
  RECT rect{0, 0, width, 0};
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return rect.bottom;
}

// Places the controls in the client area at the chooser's DPI: the prompt on top, the buttons
// at the bottom right, the note above them and the list in between.
void LayOut(Chooser& chooser) {
  LOGFONTW logical = MessageFontAt(chooser.dpi);
  UniqueFont font(CreateFontIndirectW(&logical));
  HWND window = chooser.window;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  chooser.font = std::move(font);

  RECT client{};
  GetClientRect(window, &client);
  const int margin = Scaled(kMargin, chooser.dpi);
  const int gap = Scaled(kGap, chooser.dpi);
  const int button_width = Scaled(kButtonWidth, chooser.dpi);
  const int button_height = Scaled(kButtonHeight, chooser.dpi);
  const int width = client.right - 2 * margin;
  const auto place = [window](int id, int x, int y, int w, int h) {
    SetWindowPos(GetDlgItem(window, id), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  const int prompt_height = TextHeight(GetDlgItem(window, kPromptId), chooser.font.get(), width);
  const int note_height = TextHeight(GetDlgItem(window, kNoteId), chooser.font.get(), width);
  const int buttons_top = client.bottom - margin - button_height;
  const int note_top = buttons_top - margin - note_height;
  const int list_top = margin + prompt_height + gap;
  const int list_bottom = note_height > 0 ? note_top - gap : buttons_top - margin;
  place(kPromptId, margin, margin, width, prompt_height);
  place(kEngineChooserListId, margin, list_top, width, std::max(list_bottom - list_top, 0));
  place(kNoteId, margin, note_top, width, note_height);
  place(IDOK, client.right - margin - 2 * button_width - gap, buttons_top, button_width,
        button_height);
  place(IDCANCEL, client.right - margin - button_width, buttons_top, button_width, button_height);
  // One column as wide as the list, inside its scroll bar.
  HWND list = GetDlgItem(window, kEngineChooserListId);
  RECT inside{};
  GetClientRect(list, &inside);
  ListView_SetColumnWidth(list, 0, inside.right);
}

INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  auto* chooser = reinterpret_cast<Chooser*>(GetWindowLongPtrW(window, DWLP_USER));
  if (chooser == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      // Enter and the default button send IDOK; Esc, the close box and キャンセル IDCANCEL.
      if (LOWORD(wparam) == IDOK) chooser->answer = Answer::Ok;
      if (LOWORD(wparam) == IDCANCEL) chooser->answer = Answer::Cancel;
      return TRUE;
    case WM_CLOSE:
      chooser->answer = Answer::Cancel;
      return TRUE;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      chooser->dpi = HIWORD(wparam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      LayOut(*chooser);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

// A dialog class of the program's own, so that the window has the dialog manager's default
// button, Enter, Esc and focus keeping, and is still told apart from message boxes.
bool RegisterChooserClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &DefDlgProcW;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kEngineChooserClassName;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND AddControl(HWND window, const wchar_t* cls, const std::wstring& text, DWORD style, int id,
                DWORD ex_style = 0) {
  return CreateWindowExW(ex_style, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                         window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

// The rows, each checked, the first focused and selected.
void FillList(HWND list, const std::vector<std::string>& rows) {
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  ListView_InsertColumn(list, 0, &column);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::wstring text = WideFromUtf8(rows[i]);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = text.data();
    const int at = ListView_InsertItem(list, &item);
    ListView_SetCheckState(list, at, TRUE);
  }
  ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

// Gives the owner back its input when the chooser ends, however it ends.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner) : owner_(owner), focus_(GetFocus()) {
    if (owner_ != nullptr) EnableWindow(owner_, FALSE);
  }
  ~OwnerDisabled() {
    if (owner_ == nullptr) return;
    EnableWindow(owner_, TRUE);
    SetForegroundWindow(owner_);
    if (focus_ != nullptr && IsWindow(focus_) && IsChild(owner_, focus_)) SetFocus(focus_);
  }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;

 private:
  HWND owner_;
  HWND focus_;
};

}  // namespace

std::optional<std::vector<bool>> AskForEngines(HWND owner, const EngineChoice& choice) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterChooserClass()) return std::nullopt;
  Chooser chooser;
  chooser.dpi = owner != nullptr ? WindowDpi(owner) : SystemDpi();
  const int width = Scaled(kOuterSize.cx, chooser.dpi);
  const int height = Scaled(kOuterSize.cy, chooser.dpi);
  RECT around{};
  if (owner == nullptr || !GetWindowRect(owner, &around))
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  const int x = (around.left + around.right - width) / 2;
  const int y = std::max<int>(around.top, (around.top + around.bottom - height) / 2);

  const std::wstring title = WideFromUtf8(choice.title);
  UniqueWindow window(CreateWindowExW(kExStyle, kEngineChooserClassName, title.c_str(), kStyle, x,
                                      y, width, height, owner, nullptr, GetModuleHandleW(nullptr),
                                      nullptr));
  if (!window) return std::nullopt;
  // Declared after the window: the owner takes its input back before the chooser goes, so
  // that the system activates no other window in between.
  OwnerDisabled disabled(owner);
  chooser.window = window.get();
  SetWindowLongPtrW(chooser.window, DWLP_USER, reinterpret_cast<LONG_PTR>(&chooser));
  SetWindowLongPtrW(chooser.window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&Procedure));

  // In this order: the prompt names the list for a screen reader, and Tab walks list, OK,
  // キャンセル.
  AddControl(chooser.window, WC_STATICW, WideFromUtf8(choice.prompt), SS_LEFT | SS_NOPREFIX,
             kPromptId);
  HWND list = AddControl(
      chooser.window, WC_LISTVIEWW, L"",
      LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_GROUP,
      kEngineChooserListId, WS_EX_CLIENTEDGE);
  AddControl(chooser.window, WC_STATICW, WideFromUtf8(choice.note), SS_LEFT | SS_NOPREFIX, kNoteId);
  AddControl(chooser.window, WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK);
  AddControl(chooser.window, WC_BUTTONW, L"キャンセル", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
             IDCANCEL);
  FillList(list, choice.rows);
  SendMessageW(chooser.window, DM_SETDEFID, IDOK, 0);
  LayOut(chooser);
  ShowWindow(chooser.window, SW_SHOW);
  SetForegroundWindow(chooser.window);
  SetFocus(list);

  MSG message{};
  while (chooser.answer == Answer::Pending) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the program's own loop
      break;
    }
    if (got < 0) break;
    if (IsDialogMessageW(chooser.window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (chooser.answer != Answer::Ok) return std::nullopt;
  std::vector<bool> chosen(choice.rows.size());
  for (std::size_t i = 0; i < chosen.size(); ++i)
    chosen[i] = ListView_GetCheckState(list, static_cast<int>(i)) != FALSE;
  return chosen;
}

}  // namespace velto::win32
