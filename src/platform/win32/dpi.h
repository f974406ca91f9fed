#pragma once
// The DPI the program lays out with. The manifest declares the program per-monitor aware:
// each window lays itself out at the DPI of the monitor it stands on, and again when Windows
// moves it to another (WM_DPICHANGED). Older Windows report the system DPI everywhere.
#include <windows.h>

namespace velto::win32 {

int SystemDpi();
// The DPI of the monitor `window` stands on; the system DPI where Windows cannot tell.
int WindowDpi(HWND window);
// The DPI to lay out a just-created window with: that of the monitor it opened on. Where it
// differs from `dpi`, the window first takes the outer size `outer_at` gives for it.
int AdoptWindowDpi(HWND window, int dpi, SIZE (*outer_at)(int dpi));
// A system metric (SM_CXEDGE, SM_CXVSCROLL...) as it is at `dpi`.
int SystemMetricAt(int index, int dpi);
// The message font as it is drawn at `dpi`.
LOGFONTW MessageFontAt(int dpi);

}  // namespace velto::win32
