#pragma once
// The search bar window's events as the front ends report them to the core: what happened,
// never what it means. Each toolkit translates its own events into these and hands every one
// to SearchBar::Handle; what a press, a drop or a lost focus does is decided there alone.
#include <optional>
#include <string>
#include <variant>

#include "main/drop_data.h"
#include "main/key_codes.h"

namespace velto {

// Mouse button codes.
inline constexpr int kLeftMouseButton = 1;
inline constexpr int kRightMouseButton = 2;
inline constexpr int kMiddleMouseButton = 4;

// The query box's drop-down list at the moment of a key press.
struct HistoryListState {
  bool open = false;
  // The entry under the highlight of the open list, if any.
  std::optional<int> highlighted;
};

// A key pressed anywhere in the window.
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

// A mouse button went down or up over button `button` of the Command1 array. The second
// press of a double-click comes as a press with clicks 2.
struct MousePress {
  int button = -1;
  int mouse_button = kLeftMouseButton;
  int clicks = 1;
};
struct MouseRelease {
  int button = -1;
  int mouse_button = kLeftMouseButton;
};

// A button was activated (its click: the left mouse button, or Space while it has the focus).
struct ButtonClicked {
  int button = -1;
};

// Where something was dropped.
enum class DropTargetKind { Window, QueryBox, Button };
struct DropTargetRef {
  DropTargetKind kind = DropTargetKind::Window;
  int button = -1;  // Command1 index for DropTargetKind::Button
};
// A drop with every format the source offered that the bar reads (text, files).
struct Drop {
  DropTargetRef target;
  DropData data;
};

// The query box lost the keyboard focus.
struct QueryFocusLost {};
// The window moved on the screen.
struct WindowMoved {};
// The query box's history list dropped down, or went up again.
struct HistoryListOpened {};
struct HistoryListClosed {};

// The left mouse button went down over row `row` of the suggestion list, or up again; a
// release outside every row has no row.
struct SuggestionPress {
  int row = -1;
};
struct SuggestionRelease {
  std::optional<int> row;
};

// An entry of the fixed search menu was chosen.
struct MenuEntryChosen {
  int entry = -1;
};

// The user changed the query box's text (typing, pasting, deleting; not the program).
struct QueryEdited {
  std::string text;
};

// The window is closed: by its close box, a signal or the end of the session.
struct WindowClosed {};

// The input method opened a composition in the query box (the first uncommitted character
// appeared); until it closes, the keys are the input method's.
struct CompositionOpened {};
// The composition closed, committed or cancelled. text is the query box's whole text after it,
// the committed characters in place.
struct CompositionClosed {
  std::string text;
};

using BarEvent = std::variant<KeyPress, MousePress, MouseRelease, ButtonClicked, Drop,
                              QueryFocusLost, WindowMoved, HistoryListOpened, HistoryListClosed,
                              SuggestionPress, SuggestionRelease, MenuEntryChosen, QueryEdited,
                              WindowClosed, CompositionOpened, CompositionClosed>;

}  // namespace velto
