#pragma once
// What a layout table says about a control beyond its place: both front ends read these flags
// and do what they say, so neither chooses on its own which controls do what.
namespace velto {

enum LayoutFlag : unsigned {
  // The control widens where its caption (or, for a selector, its widest own entry) needs it,
  // never past the control to its right.
  kFitsCaption = 1u << 0,
  // The control is created hidden and stays so until the core shows it.
  kStartsHidden = 1u << 1,
};

constexpr bool HasFlag(unsigned flags, LayoutFlag flag) {
  return (flags & flag) != 0;
}

}  // namespace velto
