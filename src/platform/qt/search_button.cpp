#include "platform/qt/search_button.h"

#include <QFontMetricsF>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "main/caption_fit.h"
#include "platform/qt/caption_room.h"
#include "platform/qt/qt_units.h"

namespace velto {

void SearchButton::SetSingleLine(bool on) {
  single_line_ = on;
  update();
}

QString SearchButton::ShownCaption() const {
  if (!single_line_) return text();
  QString line = text();
  line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  QStyleOptionButton option;
  initStyleOption(&option);
  const int room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).width();
  const QFontMetricsF metrics(font());
  const std::string caption = line.toStdString();
  return ToQt(FitCaption(caption, room, [&metrics](std::string_view text) {
    return DrawnTextWidth(metrics, ToQt(text));
  }));
}

void SearchButton::paintEvent(QPaintEvent* event) {
  if (!single_line_) {
    QPushButton::paintEvent(event);
    return;
  }
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text = ShownCaption();
  painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace velto
