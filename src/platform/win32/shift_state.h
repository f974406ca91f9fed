#pragma once
// The shift state of the key being handled, in the core's bits (kShiftKey, kCtrlKey, kAltKey).
#include <windows.h>

#include "main/key_codes.h"

namespace velto::win32 {

inline int ShiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftKey;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlKey;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltKey;
  return shift;
}

}  // namespace velto::win32
