#pragma once
// The popup menu "メニュー" of fixed searches, built from the core's table on first use (the
// search bar starts faster without it). Choosing an entry reports the entry's menu index.
#include <QFont>
#include <QMenu>
#include <QPoint>
#include <array>
#include <functional>
#include <memory>

#include "main/fixed_searches.h"

namespace velto {

class FixedSearchMenu {
 public:
  FixedSearchMenu(QWidget& owner, std::function<void(int index)> on_pick);
  ~FixedSearchMenu();
  FixedSearchMenu(const FixedSearchMenu&) = delete;
  FixedSearchMenu& operator=(const FixedSearchMenu&) = delete;

  void SetEntryVisible(int index, bool visible);
  // The font the menu's entries are drawn in.
  void SetFont(const QFont& font);
  // Opens the menu with its top left corner at a screen position; returns at once.
  void PopupAt(QPoint screen_position);

  // The menu itself, built if it was not yet; its actions carry their index as data().
  QMenu& Menu();
  QAction* Entry(int index);

 private:
  void Build();

  QWidget& owner_;
  std::function<void(int)> on_pick_;
  std::array<bool, kMenuEntryCount> visible_{};
  QFont font_;
  std::array<QAction*, kMenuEntryCount> actions_{};  // owned by the menu
  std::unique_ptr<QMenu> menu_;
};

}  // namespace velto
