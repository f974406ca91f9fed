#pragma once
// A drop-down list of the settings dialog. Its closed field shows the chosen entry shortened
// at its end with an ellipsis, by the rule both front ends share (caption_fit.h), where the
// field is too narrow for it; the entries themselves, and the open list, stay whole.
#include <QComboBox>

namespace velto {

class SelectorBox : public QComboBox {
 public:
  explicit SelectorBox(QWidget* parent) : QComboBox(parent) {}

  // The chosen entry as the closed field draws it.
  QString ShownCaption() const;
  // The widest of the entries in the box's font; empty for an empty box.
  QString WidestEntry() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace velto
