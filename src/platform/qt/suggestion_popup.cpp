#include "platform/qt/suggestion_popup.h"

#include <QAccessible>
#include <QComboBox>
#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

#include "main/accessible_names.h"
#include "platform/qt/accessible_roles.h"
#include "platform/qt/qt_units.h"

namespace velto {

// Reports the left button over the list's rows. The list grabs the mouse on a press, so the
// release comes here wherever it happens.
class SuggestionPopup::MouseWatch final : public QObject {
 public:
  MouseWatch(QListWidget& list, std::function<void(const BarEvent&)>& report)
      : list_(list), report_(report) {}

  bool eventFilter(QObject*, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease)
      return false;
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    if (mouse.button() != Qt::LeftButton) return true;
    const QModelIndex at = list_.indexAt(mouse.position().toPoint());
    std::optional<int> row;
    if (at.isValid()) row = at.row();
    if (!report_) return true;
    if (type == QEvent::MouseButtonRelease)
      report_(SuggestionRelease{row});
    else if (row)
      report_(SuggestionPress{*row});
    // The list does nothing of its own with the mouse: the core moves the highlight.
    return true;
  }

 private:
  QListWidget& list_;
  std::function<void(const BarEvent&)>& report_;
};

SuggestionPopup::SuggestionPopup(QComboBox& anchor, QWidget& typing,
                                 std::function<void(const BarEvent&)> report)
    : anchor_(anchor), typing_(typing), report_(std::move(report)) {}

SuggestionPopup::~SuggestionPopup() = default;

void SuggestionPopup::ShowSuggestions(const std::vector<SuggestionRow>& rows) {
  if (!list_) {
    // A tool-tip window: no frame, no activation, above the bar; the window of the box owns it.
    list_ = std::make_unique<QListWidget>(anchor_.window());
    list_->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    list_->setAttribute(Qt::WA_ShowWithoutActivating);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setObjectName(QStringLiteral("SuggestionList"));
    list_->setAccessibleName(ToQt(kSuggestionListName));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mouse_watch_ = std::make_unique<MouseWatch>(*list_, report_);
    list_->viewport()->installEventFilter(mouse_watch_.get());
    PresentAsControllerOf(anchor_, *list_);
  }
  list_->setFont(anchor_.font());
  list_->clear();
  const QString mark = ToQt(kPastSearchMark);
  for (const SuggestionRow& row : rows) {
    const QString text = ToQt(row.text);
    auto item = std::make_unique<QListWidgetItem>();
    if (row.kind == SuggestionRowKind::PastSearch) {
      item->setText(mark + QStringLiteral("\u3000") + text);
      item->setForeground(list_->palette().color(QPalette::LinkVisited));
      item->setData(Qt::AccessibleDescriptionRole, mark);
    } else {
      item->setText(text);
    }
    item->setData(Qt::AccessibleTextRole, text);
    list_->addItem(item.release());  // the list owns its items
  }
  list_->setCurrentRow(-1);
  list_->clearSelection();
  const int count = static_cast<int>(rows.size());
  const int row_height = std::max(1, list_->sizeHintForRow(0));
  list_->setGeometry(QRect(anchor_.mapToGlobal(QPoint(0, anchor_.height())),
                           QSize(anchor_.width(), count * row_height + 2 * list_->frameWidth())));
  list_->show();
}

void SuggestionPopup::HighlightSuggestion(std::optional<int> row) {
  if (!list_) return;
  if (row) {
    list_->setCurrentRow(*row);
    // The keyboard focus stays in the box; a screen reader is told the row has it.
    QAccessibleEvent focus(list_.get(), QAccessible::Focus);
    focus.setChild(*row);
    QAccessible::updateAccessibility(&focus);
  } else {
    list_->setCurrentRow(-1);
    list_->clearSelection();
    QAccessibleEvent focus(&typing_, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
  }
}

void SuggestionPopup::CloseSuggestions() {
  if (list_) list_->hide();
}

SuggestionQtTimers::SuggestionQtTimers() {
  for (std::size_t i = 0; i < timers_.size(); ++i) {
    timers_[i].setSingleShot(true);
    QObject::connect(&timers_[i], &QTimer::timeout, &timers_[i], [this, i] {
      // A copy: the call may start this timer again.
      const std::function<void()> fire = fire_[i];
      if (fire) fire();
    });
  }
}

void SuggestionQtTimers::Start(SuggestionTimer timer, int milliseconds,
                               std::function<void()> fire) {
  const auto i = static_cast<std::size_t>(timer);
  fire_[i] = std::move(fire);
  timers_[i].start(milliseconds);
}

void SuggestionQtTimers::Stop(SuggestionTimer timer) {
  timers_[static_cast<std::size_t>(timer)].stop();
}

}  // namespace velto
