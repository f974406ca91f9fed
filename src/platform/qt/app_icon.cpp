#include "platform/qt/app_icon.h"

#include <QFile>
#include <QString>

namespace velto {

QIcon AppIcon() {
  // The launcher's own pictures, built into the program: each size the desktop installs, so
  // that a taskbar at any scale picks a sharp one rather than stretching a small one.
  QIcon icon;
  for (int size : kAppIconSizes) {
    const QString path = QStringLiteral(":/velto/icons/velto-%1.png").arg(size);
    if (QFile::exists(path)) icon.addFile(path, QSize(size, size));
  }
  return icon;
}

}  // namespace velto
