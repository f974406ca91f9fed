#pragma once
// Where the settings dialog opens: directly below the search bar when the screen has room for
// it there, otherwise directly above. (Its left edge is the bar's.) All measures are outer window
// measures in twips, screen coordinates, in single precision.
namespace velto {

struct BarGeometry {
  float top;
  float height;
};

// The dialog's top. Equal room below counts as enough. The result is then kept inside the
// screen, so that the dialog stays reachable: its bottom not below the screen's bottom and,
// above all, its top (with the caption to move it by) never above the screen's top.
float DialogTop(float screen_height, const BarGeometry& bar, float dialog_height);

}  // namespace velto
