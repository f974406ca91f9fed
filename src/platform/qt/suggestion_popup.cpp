#include "platform/qt/suggestion_popup.h"

#include <QListWidget>
#include <QWidget>
#include <algorithm>

#include "platform/qt/qt_units.h"

namespace velto {

SuggestionPopup::SuggestionPopup(QWidget& anchor, std::function<void(int row)> clicked)
    : anchor_(anchor), clicked_(std::move(clicked)) {}

SuggestionPopup::~SuggestionPopup() = default;

void SuggestionPopup::ShowSuggestions(const std::vector<std::string>& entries) {
  if (!list_) {
    // A tool-tip window: no frame, no activation, above the bar; the window of the box owns it.
    list_ = std::make_unique<QListWidget>(anchor_.window());
    list_->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    list_->setAttribute(Qt::WA_ShowWithoutActivating);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setObjectName(QStringLiteral("SuggestionList"));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QObject::connect(list_.get(), &QListWidget::itemClicked, list_.get(),
                     [this](QListWidgetItem* item) {
                       if (item && clicked_) clicked_(list_->row(item));
                     });
  }
  list_->setFont(anchor_.font());
  list_->clear();
  for (const std::string& entry : entries) list_->addItem(ToQt(entry));
  list_->setCurrentRow(-1);
  list_->clearSelection();
  const int rows = static_cast<int>(entries.size());
  const int row_height = std::max(1, list_->sizeHintForRow(0));
  list_->setGeometry(QRect(anchor_.mapToGlobal(QPoint(0, anchor_.height())),
                           QSize(anchor_.width(), rows * row_height + 2 * list_->frameWidth())));
  list_->show();
}

void SuggestionPopup::HighlightSuggestion(std::optional<int> row) {
  if (!list_) return;
  if (row) {
    list_->setCurrentRow(*row);
  } else {
    list_->setCurrentRow(-1);
    list_->clearSelection();
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
