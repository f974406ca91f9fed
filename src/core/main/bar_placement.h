#pragma once
// The search bar as the settings store sees it: position and history list. Loading collects the
// stored Top and Left first and applies them together, and only when the window would then stand
// on some screen: a position saved on a monitor that is gone must not hide the window. The bar
// then stands wholly inside one screen's work area, moved the least distance where it did not.
#include <optional>
#include <string>

#include "main/history_list.h"
#include "ports/search_bar_view.h"
#include "ports/text_codec.h"
#include "settings/settings_store.h"

namespace velto {

class BarPlacement : public PlacementTarget {
 public:
  BarPlacement(SearchBarView& view, const HistoryList& history, const TextCodec& codec)
      : view_(view), history_(history), codec_(codec) {}

  float Top() const override { return top_.value_or(view_.Top()); }
  float Left() const override { return left_.value_or(view_.Left()); }
  void SetTop(float twips) override { top_ = twips; }
  void SetLeft(float twips) override { left_ = twips; }
  std::string HistoryItem(int index) const override;

  // Moves the window to the collected position, if any, unless it would be off every screen;
  // then keeps it wholly on a screen.
  void ApplyCollectedPosition();

 private:
  SearchBarView& view_;
  const HistoryList& history_;
  const TextCodec& codec_;
  std::optional<float> top_;
  std::optional<float> left_;
  mutable std::optional<std::vector<std::string>> storable_history_;  // made on first use
};

}  // namespace velto
