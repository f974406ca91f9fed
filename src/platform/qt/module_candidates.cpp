#include "platform/qt/module_candidates.h"

#include <QCoreApplication>

namespace velto {

QStringList ModuleCandidates(const QString& name, const QString& built) {
  const QString bin = QCoreApplication::applicationDirPath();
  return {bin + QLatin1Char('/') + name, bin + QStringLiteral("/../lib/velto/modules/") + name,
          built};
}

}  // namespace velto
