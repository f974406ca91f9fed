#include "platform/qt/fixed_search_menu.h"

#include "main/accessible_names.h"

namespace velto {

FixedSearchMenu::FixedSearchMenu(QWidget& owner, std::function<void(int)> on_pick)
    : owner_(owner), on_pick_(std::move(on_pick)) {
  visible_.fill(true);
}

FixedSearchMenu::~FixedSearchMenu() = default;

void FixedSearchMenu::SetEntryVisible(int index, bool visible) {
  if (index < 0 || index >= kMenuEntryCount) return;
  visible_[static_cast<std::size_t>(index)] = visible;
  if (QAction* action = actions_[static_cast<std::size_t>(index)]) action->setVisible(visible);
}

void FixedSearchMenu::SetFont(const QFont& font) {
  font_ = font;
  if (menu_) menu_->setFont(font_);
}

QMenu& FixedSearchMenu::Menu() {
  if (!menu_) Build();
  return *menu_;
}

QAction* FixedSearchMenu::Entry(int index) {
  if (index < 0 || index >= kMenuEntryCount) return nullptr;
  Menu();
  return actions_[static_cast<std::size_t>(index)];
}

void FixedSearchMenu::Build() {
  menu_ = std::make_unique<QMenu>(QStringLiteral("メニュー"), &owner_);
  menu_->setFont(font_);
  menu_->setAccessibleName(
      QString::fromUtf8(kMenuName.data(), static_cast<qsizetype>(kMenuName.size())));
  for (const FixedSearch& entry : kFixedSearches) {
    QAction* action = nullptr;
    if (entry.is_separator) {
      action = menu_->addSeparator();
    } else {
      action = menu_->addAction(
          QString::fromUtf8(entry.caption.data(), static_cast<qsizetype>(entry.caption.size())));
      const int index = entry.index;
      QObject::connect(action, &QAction::triggered, menu_.get(), [this, index] {
        if (on_pick_) on_pick_(index);
      });
    }
    action->setData(entry.index);
    action->setVisible(visible_[static_cast<std::size_t>(entry.index)]);
    actions_[static_cast<std::size_t>(entry.index)] = action;
  }
}

void FixedSearchMenu::PopupAt(QPoint screen_position) {
  Menu().popup(screen_position);
}

}  // namespace velto
