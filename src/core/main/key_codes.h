#pragma once
// The virtual key codes the search bar and the settings dialog act on (the Windows codes; the Qt
// front end translates its keys to these). Every other code is ignored.
namespace velto {

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyF1 = 112;
inline constexpr int kKeyF2 = 113;
inline constexpr int kKeyF3 = 114;
inline constexpr int kKeyF4 = 115;
inline constexpr int kKeyF5 = 116;
inline constexpr int kKeyF8 = 119;
inline constexpr int kKeyF9 = 120;
// Not commands of their own: they move through the suggestions while those are shown.
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyDown = 40;

// Shift state bits of a key press.
inline constexpr int kShiftKey = 1;
inline constexpr int kCtrlKey = 2;
inline constexpr int kAltKey = 4;

}  // namespace velto

namespace velto {

// The keys the search bar's key handler acts on.
constexpr bool IsCommandKey(int key_code) {
  switch (key_code) {
    case kKeyEnter:
    case kKeyEscape:
    case kKeyF1:
    case kKeyF2:
    case kKeyF3:
    case kKeyF4:
    case kKeyF5:
    case kKeyF8:
    case kKeyF9:
      return true;
    default:
      return false;
  }
}

}  // namespace velto
