#pragma once
// Push buttons that draw their own caption on one line, shortened at its end with an ellipsis
// by the rule both front ends share (caption_fit.h) when it does not fit. The button keeps its
// themed face, and its window text, and so its accessible name, keeps the whole caption.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <string>

namespace velto::win32 {

// The part of a push button's client area its caption is drawn in at `dpi`.
RECT CaptionRect(HWND button, int dpi);
// The caption as `button` draws it with its own font inside CaptionRect.
std::wstring ShortenedCaption(HWND button, int dpi);
// The answer to a button's NM_CUSTOMDRAW: a single-line push button draws the shortened
// caption itself; any other control, and a multi-line button, draws as it always does.
LRESULT DrawShortenedCaption(const NMCUSTOMDRAW& draw, int dpi);

// The blank a drawn selector leaves on each side of an entry's text at `dpi`.
int SelectorTextPadding(int dpi);
// Entry `entry` of a drawn selector as its closed field shows it: shortened where the field
// is too narrow for it.
std::wstring ShortenedEntry(HWND selector, int entry, int dpi);
// A drawn selector measures its field and entries once, before it has its font: after each
// change of font it is told their heights, a line of the font and a pixel above and below.
void FitSelectorHeights(HWND selector);
// WM_DRAWITEM of a drawn selector (CBS_OWNERDRAWFIXED | CBS_HASSTRINGS): its closed field
// shows the chosen entry shortened where it must be; the open list shows every entry whole.
// False for an item that is not a selector's.
bool DrawSelectorEntry(const DRAWITEMSTRUCT& item, int dpi);

}  // namespace velto::win32
