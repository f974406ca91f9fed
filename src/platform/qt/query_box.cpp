#include "platform/qt/query_box.h"

#include <QAbstractItemView>
#include <QLineEdit>

namespace velto {

QueryBox::QueryBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setDuplicatesEnabled(true);
  // The box keeps its place and size; measuring 100,000 entries for a size hint is wasted work.
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(1);
}

void QueryBox::showPopup() {
  if (before_popup_) before_popup_(*view());
  QComboBox::showPopup();
  if (popup_shown_) popup_shown_(*view());
}

}  // namespace velto
