#include "platform/win32/window_geometry.h"

#include "platform/win32/twips.h"

namespace velto::win32 {

RECT OuterRect(HWND window) {
  RECT rect{};
  if (window == nullptr) return rect;
  // A minimized window stands far off screen; its place is the one it comes back to.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (IsIconic(window) && GetWindowPlacement(window, &placement)) return placement.rcNormalPosition;
  GetWindowRect(window, &rect);
  return rect;
}

float OuterHeightTwips(HWND window, int dpi) {
  const RECT rect = OuterRect(window);
  return TwipsFromPixels(rect.bottom - rect.top, dpi);
}

float OuterWidthTwips(HWND window, int dpi) {
  const RECT rect = OuterRect(window);
  return TwipsFromPixels(rect.right - rect.left, dpi);
}

void MoveOuterTop(HWND window, float twips, int dpi) {
  const RECT rect = OuterRect(window);
  SetWindowPos(window, nullptr, rect.left, PixelsFromTwips(twips, dpi), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveOuterLeft(HWND window, float twips, int dpi) {
  const RECT rect = OuterRect(window);
  SetWindowPos(window, nullptr, PixelsFromTwips(twips, dpi), rect.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& areas = *reinterpret_cast<std::vector<RECT>*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0)
    areas.insert(areas.begin(), info.rcWork);
  else
    areas.push_back(info.rcWork);
  return TRUE;
}

}  // namespace

std::vector<RECT> MonitorWorkAreas() {
  std::vector<RECT> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  if (areas.empty()) {
    RECT work{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) areas.push_back(work);
  }
  return areas;
}

}  // namespace velto::win32
