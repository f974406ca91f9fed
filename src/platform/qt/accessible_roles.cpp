#include "platform/qt/accessible_roles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QVariant>

namespace velto {
namespace {

constexpr char kRoleProperty[] = "veltoAccessibleRole";

QAccessible::Role QtRole(AccessibleWindowRole role) {
  return role == AccessibleWindowRole::Dialog ? QAccessible::Dialog : QAccessible::Window;
}

QAccessibleInterface* WindowWithRole(const QString& /*class_name*/, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget || !widget->isWindow()) return nullptr;
  const QVariant role = widget->property(kRoleProperty);
  if (!role.isValid()) return nullptr;
  // Qt's accessibility cache owns the interfaces its factories make.
  return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void PresentWithRole(QWidget& window, AccessibleWindowRole role) {
  QAccessible::installFactory(&WindowWithRole);  // added once, however often asked
  window.setProperty(kRoleProperty, static_cast<int>(QtRole(role)));
}

}  // namespace velto
