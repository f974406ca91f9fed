#pragma once
// The search bar's events as the front ends describe them to the core: a key press with the
// state of the history list, a mouse press on a button, a drop with its target. Each toolkit
// translates its own events into these; what they mean is decided by SearchBar alone.
#include <optional>

#include "main/drop_data.h"

namespace velto {

// Mouse button codes of Command1_MouseDown.
inline constexpr int kLeftMouseButton = 1;
inline constexpr int kRightMouseButton = 2;
inline constexpr int kMiddleMouseButton = 4;

// Shift state bits of a key press.
inline constexpr int kShiftKey = 1;
inline constexpr int kCtrlKey = 2;
inline constexpr int kAltKey = 4;

// The query box's drop-down list at the moment of a key press.
struct HistoryListState {
  bool open = false;
  // The entry under the highlight of the open list, if any.
  std::optional<int> highlighted;
};

struct KeyPress {
  int key_code = 0;  // Windows virtual key code
  int shift = 0;     // kShiftKey | kCtrlKey | kAltKey
  HistoryListState list;
};

// Whether the control that has the focus may still act on a key after the core has seen it.
enum class KeyOutcome {
  PassOn,    // not a command of the bar: the control handles it as usual
  Consumed,  // the bar acted on it: the control must not act on it a second time
};

// Where something was dropped.
enum class DropTargetKind { Window, QueryBox, Button };
struct DropTargetRef {
  DropTargetKind kind = DropTargetKind::Window;
  int button = -1;  // Command1 index for DropTargetKind::Button
};

}  // namespace velto
