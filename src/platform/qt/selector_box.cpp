#include "platform/qt/selector_box.h"

#include <QFontMetricsF>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "main/caption_fit.h"
#include "platform/qt/caption_room.h"
#include "platform/qt/qt_units.h"

namespace velto {

namespace {

// The style draws the label one pixel inside each side of the field.
constexpr int kLabelInset = 2;

}  // namespace

QString SelectorBox::ShownCaption() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  const int room =
      style()
          ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
          .width() -
      kLabelInset;
  const QFontMetricsF metrics(font());
  return ToQt(FitCaption(currentText().toStdString(), room, [&metrics](std::string_view text) {
    return DrawnTextWidth(metrics, ToQt(text));
  }));
}

QString SelectorBox::WidestEntry() const {
  const QFontMetricsF metrics(font());
  QString widest;
  int widest_px = 0;
  for (int i = 0; i < count(); ++i) {
    const QString entry = itemText(i);
    if (const int px = DrawnTextWidth(metrics, entry); px > widest_px) {
      widest = entry;
      widest_px = px;
    }
  }
  return widest;
}

void SelectorBox::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  option.currentText = ShownCaption();
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace velto
