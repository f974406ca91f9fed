#include "platform/qt/query_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>

namespace velto {

QueryBox::QueryBox(QWidget* parent, const QFont& font) : QComboBox(parent) {
  setFont(font);
  {
    // The editor lays out its first, empty text in the application's font while it is made.
    // With the box's own font there for that moment, the desktop's default font (another
    // large CJK font, as a rule) is never loaded only to be dropped at once.
    const QFont application = QApplication::font();
    QApplication::setFont(font);
    setEditable(true);
    QApplication::setFont(application);
  }
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

void QueryBox::hidePopup() {
  const bool was_open = view() && view()->isVisible();
  QComboBox::hidePopup();
  if (was_open && popup_closed_) popup_closed_();
}

}  // namespace velto
