#pragma once
// The virtual key codes SearchBar::Form_KeyDown acts on (the Windows codes; the Qt front end
// translates its keys to these). Every other code is ignored.
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

}  // namespace velto
