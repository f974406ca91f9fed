#pragma once
// A top-level window's outer rectangle, and moves of its top or left edge, in twips at a DPI.
#include <windows.h>

#include <vector>

namespace velto::win32 {

// The outer rectangle in screen pixels; for a minimized window, the place it comes back to;
// empty for no window.
RECT OuterRect(HWND window);

float OuterHeightTwips(HWND window, int dpi);
float OuterWidthTwips(HWND window, int dpi);
// Moves one edge, keeping the other coordinate, the size and the z-order.
void MoveOuterTop(HWND window, float twips, int dpi);
void MoveOuterLeft(HWND window, float twips, int dpi);

// The work areas of all monitors in screen pixels, the primary monitor's first.
std::vector<RECT> MonitorWorkAreas();

}  // namespace velto::win32
