#include "platform/qt/accessible_roles.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>

namespace velto {
namespace {

constexpr char kRoleProperty[] = "veltoAccessibleRole";
constexpr char kOwnNameProperty[] = "veltoAccessibleOwnName";
constexpr char kControlsProperty[] = "veltoAccessibleControls";

// A combo box as Qt presents one (its list, then its field, as children; its text as
// value), but named by its accessible name.
class NamedComboBox final : public QAccessibleWidget {
 public:
  explicit NamedComboBox(QComboBox& box) : QAccessibleWidget(&box, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value)
      return Box().lineEdit() ? Box().lineEdit()->text() : Box().currentText();
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return Box().lineEdit() ? 2 : 1; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(Box().view());
    if (index == 1 && Box().lineEdit())
      return QAccessible::queryAccessibleInterface(Box().lineEdit());
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!child) return -1;
    if (child->object() == Box().view()) return 0;
    if (Box().lineEdit() && child->object() == Box().lineEdit()) return 1;
    return -1;
  }
  QAccessible::State state() const override {
    QAccessible::State st = QAccessibleWidget::state();
    st.editable = Box().isEditable();
    st.expandable = true;
    st.expanded = Box().view() && Box().view()->isVisible();
    return st;
  }
  // The window the box controls, such as a list of its own standing apart from it.
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    auto found = QAccessibleWidget::relations(match);
    const auto controls = Box().property(kControlsProperty).value<QPointer<QObject>>();
    if (controls && (match & QAccessible::Controlled)) {
      if (QAccessibleInterface* other = QAccessible::queryAccessibleInterface(controls.data()))
        found.append({other, QAccessible::Controlled});
    }
    return found;
  }

 private:
  QComboBox& Box() const { return *static_cast<QComboBox*>(widget()); }
};

QAccessible::Role QtRole(AccessibleWindowRole role) {
  return role == AccessibleWindowRole::Dialog ? QAccessible::Dialog : QAccessible::Window;
}

QAccessibleInterface* MarkedWidget(const QString& /*class_name*/, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget) return nullptr;
  if (widget->property(kOwnNameProperty).toBool()) {
    if (auto* box = qobject_cast<QComboBox*>(widget)) return new NamedComboBox(*box);
  }
  if (!widget->isWindow()) return nullptr;
  const QVariant role = widget->property(kRoleProperty);
  if (!role.isValid()) return nullptr;
  // Qt's accessibility cache owns the interfaces its factories make.
  return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void PresentWithOwnName(QComboBox& box) {
  QAccessible::installFactory(&MarkedWidget);
  box.setProperty(kOwnNameProperty, true);
}

void PresentAsControllerOf(QComboBox& box, QWidget& controlled) {
  box.setProperty(kControlsProperty, QVariant::fromValue(QPointer<QObject>(&controlled)));
}

void PresentWithRole(QWidget& window, AccessibleWindowRole role) {
  QAccessible::installFactory(&MarkedWidget);  // added once, however often asked
  window.setProperty(kRoleProperty, static_cast<int>(QtRole(role)));
}

}  // namespace velto
