#pragma once
// Fonts and room for captions on Linux: the proportional Japanese gothic the layout was drawn
// for, the layout's pixels at the screen's font DPI, and the width a control needs to show its
// caption whole.
#include <QFont>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <string_view>

namespace velto {

// "ＭＳ Ｐゴシック" or, where it is missing, a proportional gothic of the same metrics. The
// Windows face alone lets fontconfig pick any Japanese face, often a fixed-pitch one, which
// draws Latin captions far wider than the layout allows.
// The families to ask for, in order, installed ones first; resolved once for a window's fonts.
QStringList ProportionalGothicFamilies(std::string_view face);
// A font of those families at the given size and weight.
QFont ProportionalGothic(const QStringList& families, double points, bool bold);

// The DPI fonts are drawn at on this screen; the layout's twips are scaled by it as Windows
// does, so that controls grow with their captions when fonts are drawn larger.
double LayoutDpi();
int LayoutPixels(double twips, double dpi);
template <typename Control>
QRect LayoutRect(const Control& c, double dpi) {
  return {LayoutPixels(c.left, dpi), LayoutPixels(c.top, dpi), LayoutPixels(c.width, dpi),
          LayoutPixels(c.height, dpi)};
}

// The width `widget` needs to show `caption` whole with its font and style, in pixels.
int NeededCaptionWidth(const QWidget& widget, const QString& caption);
// The width of text as drawn: its advance or the ink of its last glyph, whichever ends later.
int DrawnTextWidth(const QFontMetricsF& metrics, const QString& text);
// Widens `widget` to show `caption`, up to the right edge `limit_px` of its parent.
void GrowToFit(QWidget& widget, const QString& caption, int limit_px);

}  // namespace velto
