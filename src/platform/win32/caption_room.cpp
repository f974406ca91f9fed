#include "platform/win32/caption_room.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

#include "main/caption_fit.h"
#include "platform/win32/dpi.h"
#include "platform/win32/shortened_caption.h"

namespace velto::win32 {

namespace {

std::wstring ClassOf(HWND control) {
  wchar_t name[64]{};
  GetClassNameW(control, name, 64);
  return name;
}

std::wstring TextOf(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(std::max(GetWindowTextW(control, text.data(), length + 1), 0)));
  return text;
}

}  // namespace

int TextWidth(HFONT font, const std::wstring& text) {
  HDC dc = GetDC(nullptr);
  if (dc == nullptr) return 0;
  HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  int widest = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    SIZE size{};
    if (!line.empty() &&
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size))
      widest = std::max(widest, static_cast<int>(size.cx));
    start = end + 1;
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return widest;
}

int InkWidth(HDC dc, const std::wstring& line, int* lead) {
  SIZE size{};
  if (line.empty() ||
      !GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size)) {
    if (lead != nullptr) *lead = 0;
    return 0;
  }
  // Only TrueType fonts tell their bearings; halves of a surrogate pair have none to tell.
  const auto blank_side = [dc](wchar_t c, bool before) {
    ABC abc{};
    if (c >= 0xD800 && c <= 0xDFFF) return 0;
    if (!GetCharABCWidthsW(dc, c, c, &abc)) return 0;
    return std::max(0, before ? abc.abcA : abc.abcC);
  };
  const int before = blank_side(line.front(), true);
  const int after = blank_side(line.back(), false);
  if (lead != nullptr) *lead = before;
  return std::max(0, static_cast<int>(size.cx) - before - after);
}

int CaptionChrome(HWND control, int dpi) {
  const std::wstring name = ClassOf(control);
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  const int edge = SystemMetricAt(SM_CXEDGE, dpi);
  if (_wcsicmp(name.c_str(), WC_STATICW) == 0) return 0;
  if (_wcsicmp(name.c_str(), WC_COMBOBOXW) == 0) {
    // Everything beside the text the field draws: borders, arrow, the text's own blanks.
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    RECT client{};
    if (GetComboBoxInfo(control, &info) && GetClientRect(control, &client))
      return client.right - (info.rcItem.right - info.rcItem.left) + 2 * SelectorTextPadding(dpi);
    return SystemMetricAt(SM_CXVSCROLL, dpi) + 2 * edge + 2 * SelectorTextPadding(dpi);
  }
  if (_wcsicmp(name.c_str(), WC_BUTTONW) == 0) {
    const LONG_PTR type = style & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX)
      return SystemMetricAt(SM_CXMENUCHECK, dpi) + MulDiv(6, dpi, 96);
    if (type == BS_GROUPBOX) return MulDiv(16, dpi, 96);
    // A push button draws the ink of its caption inside the frame of its face.
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
      return 2 * SystemMetricAt(SM_CXBORDER, dpi);
    return 2 * edge;
  }
  return 0;
}

std::wstring ShownCaption(HWND control) {
  if (_wcsicmp(ClassOf(control).c_str(), WC_COMBOBOXW) != 0) return TextOf(control);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  std::wstring widest;
  const LRESULT count = SendMessageW(control, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length <= 0) continue;
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    if (TextWidth(font, entry) > TextWidth(font, widest)) widest = entry;
  }
  return widest;
}

UniqueScreenDc MeasuringDc() {
  return UniqueScreenDc(GetDC(nullptr));
}

void GrowToFit(HWND control, int limit, int dpi, bool shortens, HDC measuring) {
  if (control == nullptr) return;
  const std::wstring caption = ShownCaption(control);
  if (caption.empty()) return;
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  int text = 0;
  if (_wcsicmp(ClassOf(control).c_str(), WC_BUTTONW) == 0 &&
      (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON) {
    // A push button draws its caption itself, its ink inside the edges.
    UniqueScreenDc own;
    if (measuring == nullptr) {
      own = MeasuringDc();
      measuring = own.get();
    }
    if (measuring != nullptr) {
      HGDIOBJ old =
          SelectObject(measuring, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
      text = InkWidth(measuring, caption);
      SelectObject(measuring, old);
    }
  } else {
    text = TextWidth(font, caption);
  }
  const int needed = text + CaptionChrome(control, dpi);
  RECT at{};
  GetWindowRect(control, &at);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&at), 2);
  // A control that shortens a caption too long for it stops at its neighbour; one that would
  // cut it keeps the width its table gives it, even where the table draws it into the next.
  if (!shortens) limit = std::max(limit, static_cast<int>(at.right));
  const int width = FittedWidth(at.left, at.right - at.left, needed, limit);
  if (width == at.right - at.left) return;
  // A selector's height is that of its open list.
  int height = at.bottom - at.top;
  RECT open{};
  if (_wcsicmp(ClassOf(control).c_str(), WC_COMBOBOXW) == 0 &&
      SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&open)))
    height = open.bottom - open.top;
  SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velto::win32
