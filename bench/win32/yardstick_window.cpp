// The yardstick for velto.exe's start-up: a static Win32 program that shows what the search
// bar shows and nothing more: a window with a drop-down combo box and six push buttons with
// Japanese captions in "ＭＳ Ｐゴシック", tool tips, and the same manifest (common controls 6).
// It reads no settings. Started with /OLE it also starts OLE and registers the window as a drop
// target before it is shown, as velto.exe once did: the difference is what that costs.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <ole2.h>

#include <array>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

HFONT Gothic(int points, int weight) {
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"VeltoBenchYardstick";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(
      0, wc.lpszClassName, L"ヴェルト", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
      CW_USEDEFAULT, CW_USEDEFAULT, 260, 90, nullptr, nullptr, instance, nullptr);
  HFONT query_font = Gothic(12, FW_NORMAL);
  HFONT button_font = Gothic(9, FW_NORMAL);
  HFONT bold_font = Gothic(9, FW_BOLD);
  HWND combo = CreateWindowExW(0, WC_COMBOBOXW, L"東京 タワー",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | WS_VSCROLL, 4, 4,
                               250, 240, window, nullptr, instance, nullptr);
  SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(query_font), FALSE);
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"天気予報"));
  HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                              nullptr, instance, nullptr);
  const std::array<const wchar_t*, 6> captions = {L"Google",  L"Yahoo! JAPAN", L"Wikipedia",
                                                  L"YouTube", L"クリア",       L"その他"};
  for (int i = 0; i < 6; ++i) {
    HWND button = CreateWindowExW(0, WC_BUTTONW, captions[static_cast<std::size_t>(i)],
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 4 + i * 42,
                                  34, 40, 25, window, nullptr, instance, nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(i == 0 ? bold_font : button_font),
                 FALSE);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = const_cast<wchar_t*>(captions[static_cast<std::size_t>(i)]);
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  // A drop target that takes nothing: only the registration's cost matters here.
  struct RefusingTarget : IDropTarget {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
      *out = this;
      return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
      *effect = DROPEFFECT_NONE;
      return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
      *effect = DROPEFFECT_NONE;
      return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
      *effect = DROPEFFECT_NONE;
      return S_OK;
    }
  } target;
  const bool ole =
      wcsstr(GetCommandLineW(), L"/OLE") != nullptr && SUCCEEDED(OleInitialize(nullptr));
  if (ole) RegisterDragDrop(window, &target);
  ShowWindow(window, show_command);
  UpdateWindow(window);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (ole) {
    RevokeDragDrop(window);
    OleUninitialize();
  }
  DeleteObject(query_font);
  DeleteObject(button_font);
  DeleteObject(bold_font);
  return 0;
}
