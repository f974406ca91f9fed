#pragma once
// The settings dialog follows the desktop's text size. Its table was drawn for a desktop font
// of kDesignedDesktopPoints; where the desktop's font is larger, every font of the dialog is
// its designed size times the ratio, and the table's twips grow by the same ratio, so that a
// larger text never meets a control drawn for a smaller one. A smaller desktop font keeps the
// table as drawn.
namespace velto {

inline constexpr double kDesignedDesktopPoints = 9.0;

constexpr double DialogTextScale(double desktop_points) {
  return desktop_points > kDesignedDesktopPoints ? desktop_points / kDesignedDesktopPoints : 1.0;
}

}  // namespace velto
