#include "platform/qt/search_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

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
  const int width = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).width();
  return fontMetrics().elidedText(line, Qt::ElideRight, width, Qt::TextShowMnemonic);
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
