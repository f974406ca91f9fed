#pragma once
// The search bar window and its controls, shared by the Qt and Win32 front ends so that both
// build the same window. Positions and sizes are in twips, relative to the client area.
#include <array>
#include <string_view>

#include "main/layout_flags.h"

namespace velto {

inline constexpr std::string_view kSearchBarCaption = "ヴェルト";
inline constexpr int kBarClientWidth = 3795;
inline constexpr int kBarClientHeight = 945;

// Button indices of the Command1 array: search buttons 0..3, then these two.
inline constexpr int kClearButton = 4;
inline constexpr int kMenuButton = 5;
inline constexpr int kButtonCount = 6;

enum class BarControlKind { QueryBox, Button };
enum class BarFont { Query, Button, BoldButton };

struct BarFontSpec {
  std::string_view face;
  int points;
  int weight;   // 400 normal, 700 bold
  int charset;  // 128: Shift-JIS
};
inline constexpr BarFontSpec kQueryFont{"ＭＳ Ｐゴシック", 12, 400, 128};
inline constexpr BarFontSpec kButtonFont{"ＭＳ Ｐゴシック", 9, 400, 128};
inline constexpr BarFontSpec kBoldButtonFont{"ＭＳ Ｐゴシック", 9, 700, 128};

constexpr const BarFontSpec& FontSpecOf(BarFont font) {
  return font == BarFont::Query ? kQueryFont
                                : (font == BarFont::Button ? kButtonFont : kBoldButtonFont);
}

struct BarControl {
  BarControlKind kind;
  int index;  // Command1 index; -1 for the query box
  std::string_view caption;
  int left;
  int top;
  int width;
  int height;
  BarFont font;
  unsigned flags = 0;  // LayoutFlag bits
};

// In tab order: the query box first (it has the focus when the bar opens), then the buttons.
inline constexpr std::array<BarControl, 7> kBarControls{{
    {BarControlKind::QueryBox, -1, "", 60, 60, 2895, 360, BarFont::Query},
    {BarControlKind::Button, kClearButton, "クリア", 3015, 60, 735, 375, BarFont::Button,
     kFitsCaption},
    {BarControlKind::Button, 0, "", 60, 510, 735, 375, BarFont::Button, kFitsCaption},
    {BarControlKind::Button, 1, "", 780, 510, 735, 375, BarFont::Button, kFitsCaption},
    {BarControlKind::Button, 2, "", 1500, 510, 735, 375, BarFont::Button, kFitsCaption},
    {BarControlKind::Button, 3, "", 2220, 510, 735, 375, BarFont::Button, kFitsCaption},
    {BarControlKind::Button, kMenuButton, "その他", 3015, 510, 735, 375, BarFont::Button,
     kFitsCaption},
}};

// The height of the query box's drop-down list below its edit field.
inline constexpr int kQueryListHeight = 3600;

}  // namespace velto
