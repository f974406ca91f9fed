#pragma once
// A push button of the search bar. In single-line mode it draws its caption on one line and
// shortens a caption too long for it at its end with an ellipsis, by the rule both front ends
// share (caption_fit.h); text() keeps the whole caption.
#include <QPushButton>

namespace velto {

class SearchButton : public QPushButton {
 public:
  explicit SearchButton(QWidget* parent) : QPushButton(parent) {}

  void SetSingleLine(bool on);
  bool IsSingleLine() const { return single_line_; }
  // The caption as drawn.
  QString ShownCaption() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool single_line_ = false;
};

}  // namespace velto
