#pragma once
// A settings dialog window without a window: it keeps what the core told its controls to show
// and lets a test act as the user (pick an entry, type, tick the box). Calls a real control
// would refuse (an entry that does not exist, a control used while the window is closed) throw,
// so a fault of the core fails the test.
#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ports/settings_dialog_view.h"

namespace velto::test {

class FakeSettingsDialogView : public SettingsDialogView {
 public:
  struct Selector {
    std::vector<std::string> entries;
    std::optional<int> selected;
  };

  // Outer size of the window in twips, as a front end would report it.
  float outer_height = 3510;
  float outer_width = 7020;

  bool open = false;
  bool visible = false;
  int open_calls = 0;
  int close_calls = 0;
  int front_calls = 0;
  std::optional<float> top;
  std::optional<float> left;
  std::array<Selector, kSelectorCount> selectors{};
  bool always_top_checked = false;
  bool suggest_checked = false;
  std::array<std::string, kEditBoxCount> edit{};
  std::optional<int> focused_selector;
  bool restore_visible = true;  // a window fresh from a form would show it

  // The user picks an entry (the test then forwards Combo1_Click, as a front end does).
  void Pick(int selector, int position) {
    Selector& s = At(selector);
    if (position < 0 || position >= static_cast<int>(s.entries.size()))
      throw std::out_of_range("pick of a missing entry");
    s.selected = position;
  }
  void Type(int box, const std::string& text) { Box(box) = text; }
  const std::vector<std::string>& Entries(int selector) { return At(selector).entries; }

  void Open() override {
    if (open) throw std::logic_error("window opened twice");
    open = true;
    ++open_calls;
  }
  void Show() override {
    Require();
    visible = true;
  }
  void Close() override {
    Require();
    open = false;
    visible = false;
    ++close_calls;
  }
  void BringToFront() override {
    Require();
    ++front_calls;
  }

  float OuterHeight() const override { return outer_height; }
  float OuterWidth() const override { return outer_width; }
  void SetTop(float twips) override {
    Require();
    top = twips;
  }
  void SetLeft(float twips) override {
    Require();
    left = twips;
  }

  void ClearSelector(int selector) override { At(selector) = Selector{}; }
  void AppendSelectorEntry(int selector, const std::string& text) override {
    At(selector).entries.push_back(text);
  }
  void SetSelectorEntry(int selector, int position, const std::string& text) override {
    Selector& s = At(selector);
    if (position < 0 || position >= static_cast<int>(s.entries.size()))
      throw std::out_of_range("replacing a missing entry");
    s.entries[static_cast<std::size_t>(position)] = text;
  }
  void SelectEntry(int selector, std::optional<int> position) override {
    Selector& s = At(selector);
    if (position && (*position < 0 || *position >= static_cast<int>(s.entries.size())))
      throw std::out_of_range("selecting a missing entry");
    s.selected = position;
  }
  std::optional<int> SelectedEntry(int selector) const override {
    return selectors.at(static_cast<std::size_t>(selector)).selected;
  }

  void SetAlwaysTopChecked(bool checked) override {
    Require();
    always_top_checked = checked;
  }
  bool IsAlwaysTopChecked() const override { return always_top_checked; }
  void SetSuggestChecked(bool checked) override {
    Require();
    suggest_checked = checked;
  }
  bool IsSuggestChecked() const override { return suggest_checked; }

  void SetEditText(int box, const std::string& text) override { Box(box) = text; }
  std::string EditText(int box) const override { return edit.at(static_cast<std::size_t>(box)); }

  void FocusSelector(int selector) override {
    At(selector);
    focused_selector = selector;
  }
  void SetRestoreButtonVisible(bool on) override {
    Require();
    restore_visible = on;
  }

 private:
  void Require() const {
    if (!open) throw std::logic_error("control used while the dialog is closed");
  }
  Selector& At(int selector) {
    Require();
    return selectors.at(static_cast<std::size_t>(selector));
  }
  std::string& Box(int box) {
    Require();
    return edit.at(static_cast<std::size_t>(box));
  }
};

}  // namespace velto::test
