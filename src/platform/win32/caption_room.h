#pragma once
// The width a control needs to show its caption whole with its own font, and the widening
// that gives it that width where the layout's rounding left it short.
#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace velto::win32 {

// The widest line of `text` in `font`, in pixels.
int TextWidth(HFONT font, const std::wstring& text);
// The width the ink of a line of text covers in the font selected into `dc`: its advance less
// the blank side bearings of its first and last characters. `lead` receives the first one's.
int InkWidth(HDC dc, const std::wstring& line, int* lead = nullptr);
// What the control draws around its caption at `dpi`: borders, the check box's box, a
// selector's arrow.
int CaptionChrome(HWND control, int dpi);
// The caption the control shows: its text, or for a selector its widest entry.
std::wstring ShownCaption(HWND control);
// The screen's device context, to measure text in: it measures as every window on the screen
// draws, and several fits can share it rather than each asking for a window's own.
UniqueScreenDc MeasuringDc();
// Widens `control` (in its parent's client pixels) to show its caption, never past `limit`.
// A control that `shortens` its caption where it does not fit also narrows to keep clear of
// `limit`; any other keeps at least its own width. `measuring`, if given, is a MeasuringDc().
void GrowToFit(HWND control, int limit, int dpi, bool shortens, HDC measuring = nullptr);

}  // namespace velto::win32
