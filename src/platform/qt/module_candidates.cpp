#include "platform/qt/module_candidates.h"

#include <QCoreApplication>

namespace velto {

QStringList ModuleCandidates(const QString& name, const QString& built) {
  const QString bin = QCoreApplication::applicationDirPath();
  QStringList candidates{bin + QLatin1Char('/') + name,
                         bin + QStringLiteral("/../lib/velto/modules/") + name};
  if (!built.isEmpty()) candidates << built;
  return candidates;
}

}  // namespace velto
