#pragma once
// The query box: an editable drop-down list whose list is the core's history list. Typed text
// is never added to the list by the box itself, and nothing is completed while typing.
#include <QComboBox>
#include <functional>

namespace velto {

class QueryBox : public QComboBox {
 public:
  explicit QueryBox(QWidget* parent);

  // Runs with the drop-down list's view each time the list opens (it is a window of its own
  // and receives the keys while it is open).
  void OnPopup(std::function<void(QWidget& list)> hook) { on_popup_ = std::move(hook); }
  void showPopup() override;

 private:
  std::function<void(QWidget&)> on_popup_;
};

}  // namespace velto
