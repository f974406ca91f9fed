#pragma once
// The query box: an editable drop-down list whose list is the core's history list. Typed text
// is never added to the list by the box itself, and nothing is completed while typing.
#include <QComboBox>
#include <functional>

class QAbstractItemView;

namespace velto {

class QueryBox : public QComboBox {
 public:
  QueryBox(QWidget* parent, const QFont& font);

  // before runs with the drop-down list's view each time the list is about to open (it is a
  // window of its own and receives the keys while it is open); shown once it is open.
  void OnPopup(std::function<void(QWidget& list)> before,
               std::function<void(QAbstractItemView& list)> shown) {
    before_popup_ = std::move(before);
    popup_shown_ = std::move(shown);
  }
  // closed runs each time the open list goes up again.
  void OnPopupClosed(std::function<void()> closed) { popup_closed_ = std::move(closed); }
  void showPopup() override;
  void hidePopup() override;

 private:
  std::function<void()> popup_closed_;
  std::function<void(QWidget&)> before_popup_;
  std::function<void(QAbstractItemView&)> popup_shown_;
};

}  // namespace velto
