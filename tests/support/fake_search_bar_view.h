#pragma once
// A search bar window without a window: it keeps what the core told it to show, mirrors the
// history list through the same calls a real list control gets, and counts the calls that
// matter for speed and order.
#include <array>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "main/search_bar.h"
#include "ports/search_bar_view.h"

namespace velto::test {

class FakeSearchBarView : public SearchBarView {
 public:
  struct Button {
    std::string caption;
    std::string tooltip;
    bool enabled = true;
    bool bold = false;
    bool single_line = false;
    std::string description;
  };

  // Window geometry in twips; the primary screen is a rectangle from (0, 0), its work area the
  // whole screen; other screens' work areas follow.
  float top = 1200;
  float left = 1500;
  float height = 1395;
  float width = 3885;
  float screen_width = 19200;
  float screen_height = 11520;  // 768 pixels at 15 twips per pixel
  std::vector<ScreenRect> other_screens;
  int set_top_calls = 0;
  int set_left_calls = 0;

  std::optional<bool> topmost;  // unset until the core decides
  int topmost_calls = 0;

  std::array<Button, kButtonCount> buttons{};
  std::string query;
  int focus_calls = 0;
  std::vector<std::string> calls;    // the bring-forward calls in order: "front", "focus", "select"
  std::vector<std::string> history;  // the drop-down list as the control would hold it
  int history_reset_calls = 0;
  int list_close_calls = 0;
  std::map<int, bool> menu_visible;  // entries never touched are absent (visible)
  int menu_shown = 0;
  std::vector<MenuPlace> menu_places;

  float Top() const override { return top; }
  float Left() const override { return left; }
  float Height() const override { return height; }
  float Width() const override { return width; }
  void SetTop(float twips) override {
    top = twips;
    ++set_top_calls;
  }
  void SetLeft(float twips) override {
    left = twips;
    ++set_left_calls;
  }
  std::vector<ScreenRect> ScreenWorkAreas() const override {
    std::vector<ScreenRect> areas{{0, 0, screen_width, screen_height}};
    areas.insert(areas.end(), other_screens.begin(), other_screens.end());
    return areas;
  }

  float ScreenHeightTwips() const override { return screen_height; }

  void SetTopmost(bool on) override {
    topmost = on;
    ++topmost_calls;
  }

  void SetButtonCaption(int index, const std::string& caption) override {
    At(index).caption = caption;
  }
  void SetButtonToolTip(int index, const std::string& tip) override { At(index).tooltip = tip; }
  void SetButtonEnabled(int index, bool enabled) override { At(index).enabled = enabled; }
  bool IsButtonEnabled(int index) const override {
    return index >= 0 && index < kButtonCount && buttons[static_cast<std::size_t>(index)].enabled;
  }
  void SetButtonBold(int index, bool bold) override { At(index).bold = bold; }
  void SetButtonDescription(int index, const std::string& description) override {
    At(index).description = description;
  }
  void MakeCaptionSingleLine(int index) override { At(index).single_line = true; }

  std::string QueryText() const override { return query; }
  void SetQueryText(const std::string& text) override { query = text; }
  void FocusQuery() override {
    ++focus_calls;
    calls.push_back("focus");
  }
  void SelectQueryText() override { calls.push_back("select"); }
  void BringToFront() override { calls.push_back("front"); }

  void HistoryInserted(int position, const std::string& text) override {
    if (position < 0 || position > static_cast<int>(history.size()))
      throw std::out_of_range("history insert position");
    history.insert(history.begin() + position, text);
  }
  void HistoryRemoved(int position) override {
    if (position < 0 || position >= static_cast<int>(history.size()))
      throw std::out_of_range("history remove position");
    history.erase(history.begin() + position);
  }
  void HistoryReset(const std::vector<std::string>& entries) override {
    history = entries;
    ++history_reset_calls;
  }

  void CloseHistoryList() override { ++list_close_calls; }

  void SetMenuEntryVisible(int index, bool visible) override { menu_visible[index] = visible; }
  void ShowMenu(MenuPlace place) override {
    ++menu_shown;
    menu_places.push_back(place);
  }

  bool MenuEntryVisible(int index) const {
    auto it = menu_visible.find(index);
    return it == menu_visible.end() || it->second;
  }
  // Indices of the bold buttons, for compact expectations.
  std::vector<int> BoldButtons() const {
    std::vector<int> out;
    for (int i = 0; i < kButtonCount; ++i)
      if (buttons[static_cast<std::size_t>(i)].bold) out.push_back(i);
    return out;
  }

 private:
  // A call for a button the window does not have is a fault of the core; fail loudly.
  Button& At(int index) { return buttons.at(static_cast<std::size_t>(index)); }
};

}  // namespace velto::test
