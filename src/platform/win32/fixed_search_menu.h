#pragma once
// The popup menu "メニュー", built from the core's fixed search table each time it opens, so
// hidden entries are simply not inserted.
#include <windows.h>

#include <bitset>

#include "main/fixed_searches.h"
#include "platform/win32/accessible_props.h"

namespace velto::win32 {

// MenuSearch(i) arrives as WM_COMMAND with this id plus i.
inline constexpr UINT kMenuCommandBase = 1000;

class FixedSearchMenu {
 public:
  void SetEntryVisible(int index, bool visible);
  // Opens with its top left corner at a screen point, named for screen readers; a choice is
  // posted to `owner`.
  void TrackAt(HWND owner, POINT at, AccessibleProps& accessible) const;
  // Menu index of a WM_COMMAND id; -1 when the id is not a menu entry's.
  static int EntryOfCommand(UINT id);

 private:
  std::bitset<kMenuEntryCount> hidden_;
};

}  // namespace velto::win32
