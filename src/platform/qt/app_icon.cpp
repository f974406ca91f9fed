#include "platform/qt/app_icon.h"

#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace velto {

QIcon AppIcon() {
  // The launcher's own pictures, built into the program: each size the desktop installs, so
  // that a taskbar at any scale picks a sharp one rather than stretching a small one.
  // Read as PNG and nothing else: QIcon::addFile, or a reader left to guess, asks every image
  // plugin whether it knows the file, loading them all for pictures known to be PNG.
  QIcon icon;
  for (int size : kAppIconSizes) {
    QImageReader reader(QStringLiteral(":/velto/icons/velto-%1.png").arg(size), "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace velto
