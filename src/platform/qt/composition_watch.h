#pragma once
// Watches a line edit's input-method events and reports when a composition (uncommitted
// preedit text) opens and when it closes. The closing is reported once the line edit has taken
// the committed text, with its whole text then.
#include <QObject>
#include <functional>

#include "main/bar_events.h"

class QLineEdit;

namespace velto {

class CompositionWatch : public QObject {
 public:
  using Report = std::function<void(const BarEvent&)>;
  // The watch must go before the line edit does.
  CompositionWatch(QLineEdit& edit, Report report);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit& edit_;
  Report report_;
  bool composing_ = false;
  unsigned compositions_ = 0;  // a closing counts only while no newer composition opened
};

}  // namespace velto
