#pragma once
// The program's icon, drawn at start rather than shipped as an image file.
#include <QIcon>

namespace velto {

QIcon AppIcon();

}  // namespace velto
