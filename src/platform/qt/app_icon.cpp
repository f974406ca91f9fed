#include "platform/qt/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace velto {

QIcon AppIcon() {
  // A magnifying glass: a ring and a handle.
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x1f, 0x5f, 0xa8), 4));
  painter.setBrush(QColor(0xdd, 0xee, 0xff));
  painter.drawEllipse(QRectF(4, 4, 17, 17));
  painter.setPen(QPen(QColor(0x33, 0x33, 0x33), 5, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(20, 20), QPointF(28, 28));
  painter.end();
  return QIcon(pixmap);
}

}  // namespace velto
