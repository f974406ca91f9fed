#include "platform/win32/shortened_caption.h"

#include <algorithm>
#include <string_view>

#include "main/caption_fit.h"
#include "platform/win32/caption_room.h"
#include "platform/win32/dpi.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {

namespace {

bool IsSingleLinePushButton(HWND control) {
  wchar_t name[16]{};
  GetClassNameW(control, name, 16);
  if (_wcsicmp(name, WC_BUTTONW) != 0) return false;
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  const LONG_PTR type = style & BS_TYPEMASK;
  return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && (style & BS_MULTILINE) == 0;
}

std::wstring WholeCaption(HWND button) {
  const int length = GetWindowTextLengthW(button);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(std::max(GetWindowTextW(button, text.data(), length + 1), 0)));
  // One line: line breaks are drawn as blanks.
  std::replace_if(
      text.begin(), text.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }, L' ');
  return text;
}

// `ink`: measured by the ink it draws (a caption between edges), else by its advance.
std::wstring Shortened(HDC dc, const std::wstring& caption, int room, bool ink) {
  const auto width = [dc, ink](std::string_view text) {
    const std::wstring wide = WideFromUtf8(std::string(text));
    if (ink) return InkWidth(dc, wide);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return static_cast<int>(size.cx);
  };
  return WideFromUtf8(FitCaption(Utf8FromWide(caption), room, width));
}

std::wstring EntryText(HWND selector, int entry) {
  const LRESULT length = SendMessageW(selector, CB_GETLBTEXTLEN, static_cast<WPARAM>(entry), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(selector, CB_GETLBTEXT, static_cast<WPARAM>(entry),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The width the closed field leaves for an entry's text.
int FieldRoom(HWND selector, int dpi) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(selector, &info)) return 0;
  return info.rcItem.right - info.rcItem.left - 2 * SelectorTextPadding(dpi);
}

}  // namespace

RECT CaptionRect(HWND button, int dpi) {
  RECT room{};
  GetClientRect(button, &room);
  // Inside the face's frame, as caption_room.cpp counts it for a push button. The ink is
  // measured without the characters' blank bearings, which keep it off the frame.
  InflateRect(&room, -SystemMetricAt(SM_CXBORDER, dpi), -SystemMetricAt(SM_CYBORDER, dpi));
  return room;
}

std::wstring ShortenedCaption(HWND button, int dpi) {
  const std::wstring caption = WholeCaption(button);
  if (caption.empty()) return caption;
  HDC dc = GetDC(button);
  if (dc == nullptr) return caption;
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(button, WM_GETFONT, 0, 0)));
  const RECT room = CaptionRect(button, dpi);
  std::wstring shown = Shortened(dc, caption, room.right - room.left, true);
  SelectObject(dc, old);
  ReleaseDC(button, dc);
  return shown;
}

LRESULT DrawShortenedCaption(const NMCUSTOMDRAW& draw, int dpi) {
  HWND button = draw.hdr.hwndFrom;
  if (!IsSingleLinePushButton(button)) return CDRF_DODEFAULT;
  // The face is drawn before this stage; only the caption (and the focus mark, which the
  // button would draw after it) is left to do.
  if (draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
  HDC dc = draw.hdc;
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(button, WM_GETFONT, 0, 0)));
  RECT room = CaptionRect(button, dpi);
  const std::wstring shown = Shortened(dc, WholeCaption(button), room.right - room.left, true);
  // The ink, not the advance, is centred: a caption that only just fits keeps clear of both
  // edges.
  int lead = 0;
  const int ink = InkWidth(dc, shown, &lead);
  room.left += (room.right - room.left - ink) / 2 - lead;
  const int old_mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF old_color = SetTextColor(
      dc, GetSysColor(IsWindowEnabled(button) != FALSE ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &room,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  SetTextColor(dc, old_color);
  SetBkMode(dc, old_mode);
  SelectObject(dc, old);
  const auto ui = SendMessageW(button, WM_QUERYUISTATE, 0, 0);
  if ((draw.uItemState & CDIS_FOCUS) != 0 && (ui & UISF_HIDEFOCUS) == 0) {
    RECT focus{};
    GetClientRect(button, &focus);
    const int inset = SystemMetricAt(SM_CXEDGE, dpi) + 1;
    InflateRect(&focus, -inset, -inset);
    DrawFocusRect(dc, &focus);
  }
  return CDRF_SKIPDEFAULT;
}

int SelectorTextPadding(int dpi) {
  return MulDiv(2, dpi, USER_DEFAULT_SCREEN_DPI);
}

std::wstring ShortenedEntry(HWND selector, int entry, int dpi) {
  const std::wstring text = EntryText(selector, entry);
  if (text.empty()) return text;
  HDC dc = GetDC(selector);
  if (dc == nullptr) return text;
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(selector, WM_GETFONT, 0, 0)));
  std::wstring shown = Shortened(dc, text, FieldRoom(selector, dpi), false);
  SelectObject(dc, old);
  ReleaseDC(selector, dc);
  return shown;
}

void FitSelectorHeights(HWND selector) {
  HDC dc = GetDC(selector);
  if (dc == nullptr) return;
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(selector, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  const bool measured = GetTextMetricsW(dc, &metrics) != FALSE;
  SelectObject(dc, old);
  ReleaseDC(selector, dc);
  if (!measured) return;
  const auto line = static_cast<LPARAM>(metrics.tmHeight + 2);
  SendMessageW(selector, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), line);
  SendMessageW(selector, CB_SETITEMHEIGHT, 0, line);
}

bool DrawSelectorEntry(const DRAWITEMSTRUCT& item, int dpi) {
  if (item.CtlType != ODT_COMBOBOX) return false;
  HWND selector = item.hwndItem;
  HDC dc = item.hDC;
  const bool chosen = (item.itemState & ODS_SELECTED) != 0;
  const bool enabled = IsWindowEnabled(selector) != FALSE;
  FillRect(dc, &item.rcItem, GetSysColorBrush(chosen ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID != static_cast<UINT>(-1)) {
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(selector, WM_GETFONT, 0, 0)));
    const int entry = static_cast<int>(item.itemID);
    const bool field = (item.itemState & ODS_COMBOBOXEDIT) != 0;
    RECT text_at = item.rcItem;
    // The closed field's text keeps the room FieldRoom measures, whatever part of the field
    // the selector hands over for drawing.
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (field && GetComboBoxInfo(selector, &info)) {
      text_at.left = info.rcItem.left;
      text_at.right = info.rcItem.right;
    }
    InflateRect(&text_at, -SelectorTextPadding(dpi), 0);
    const std::wstring text =
        field ? Shortened(dc, EntryText(selector, entry), text_at.right - text_at.left, false)
              : EntryText(selector, entry);
    const int old_mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF old_color = SetTextColor(
        dc,
        GetSysColor(!enabled ? COLOR_GRAYTEXT : (chosen ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT)));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &text_at,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, old_color);
    SetBkMode(dc, old_mode);
    SelectObject(dc, old);
  }
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0)
    DrawFocusRect(dc, &item.rcItem);
  return true;
}

}  // namespace velto::win32
