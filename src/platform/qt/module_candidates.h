#pragma once

#include <QString>
#include <QStringList>

namespace velto {

// Where a module the program loads on first use may be, in the order to try: beside the
// program (a build or an unpacked folder), where the package puts it, then where the build
// made it (built). name is the file name without its suffix.
QStringList ModuleCandidates(const QString& name, const QString& built);

}  // namespace velto
