#include "platform/qt/caption_room.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <algorithm>
#include <cmath>

#include "main/caption_fit.h"
#include "platform/qt/qt_units.h"

namespace velto {

namespace {

constexpr double kBaseDpi = 96.0;
constexpr double kTwipsPerInch = 1440.0;

int ButtonChrome(const QAbstractButton& button, QStyle::SubElement contents) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  if (const auto* check = qobject_cast<const QCheckBox*>(&button)) {
    option.iconSize = check->iconSize();
    option.rect = check->rect();
  }
  const QRect inside = button.style()->subElementRect(contents, &option, &button);
  return button.width() - inside.width();
}

int ComboChrome(const QComboBox& box) {
  QStyleOptionComboBox option;
  option.initFrom(&box);
  option.editable = box.isEditable();
  const QRect field =
      box.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &box);
  // The style's own text margin inside the field.
  return box.width() - field.width() + 2 * box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
}

}  // namespace

QStringList ProportionalGothicFamilies(std::string_view face) {
  const QStringList wanted{ToQt(face),
                           QStringLiteral("MS PGothic"),
                           QStringLiteral("IPAPGothic"),
                           QStringLiteral("IPA Pゴシック"),
                           QStringLiteral("Ume P Gothic"),
                           QStringLiteral("梅Pゴシック"),
                           QStringLiteral("VL PGothic")};
  // Installed families first: for a missing first name the font system substitutes its own
  // default (often a fixed-pitch gothic) and loads that font as well, only to fall back.
  // One look at the installed list; asking for each name would resolve aliases every time.
  const QStringList installed = QFontDatabase::families();
  QStringList families;
  for (const QString& family : wanted)
    if (installed.contains(family, Qt::CaseInsensitive)) families << family;
  for (const QString& family : wanted)
    if (!families.contains(family)) families << family;
  return families;
}

QFont ProportionalGothic(const QStringList& families, double points, bool bold) {
  QFont font(families.first());
  font.setFamilies(families);
  font.setPointSizeF(points);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  font.setFixedPitch(false);
  return font;
}

double LayoutDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : kBaseDpi;
  return dpi > 0 ? dpi : kBaseDpi;
}

int LayoutPixels(double twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

int DrawnTextWidth(const QFontMetricsF& metrics, const QString& text) {
  double widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const double ink = metrics.tightBoundingRect(line).right();
    widest = std::max({widest, metrics.horizontalAdvance(line), ink});
  }
  return static_cast<int>(std::ceil(widest));
}

int NeededCaptionWidth(const QWidget& widget, const QString& caption) {
  const int text = DrawnTextWidth(QFontMetricsF(widget.font()), caption);
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    const QMargins margins = label->contentsMargins();
    return text + margins.left() + margins.right() + 2 * label->margin();
  }
  if (const auto* check = qobject_cast<const QCheckBox*>(&widget))
    return text + ButtonChrome(*check, QStyle::SE_CheckBoxContents);
  if (const auto* button = qobject_cast<const QPushButton*>(&widget))
    return text + ButtonChrome(*button, QStyle::SE_PushButtonContents);
  if (const auto* box = qobject_cast<const QComboBox*>(&widget)) return text + ComboChrome(*box);
  return text;
}

void GrowToFit(QWidget& widget, const QString& caption, int limit_px) {
  const QRect at = widget.geometry();
  const int width =
      FittedWidth(at.left(), at.width(), NeededCaptionWidth(widget, caption), limit_px);
  if (width != at.width()) widget.resize(width, at.height());
}

}  // namespace velto
