#pragma once
// The suggestions list of the Qt search bar: a frameless list right under the query box that
// never takes the focus or activates, so typing goes on in the box. The left button's presses
// and releases over it are reported with their rows; the core decides everything else. A past
// search carries the mark before its text, in the colour of visited links, and as its
// accessible description; its accessible name is its text alone.
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "main/bar_events.h"
#include "ports/suggestion_ports.h"

class QComboBox;
class QListWidget;
class QWidget;

namespace velto {

class SuggestionPopup final : public SuggestionListView {
 public:
  // anchor: the query box the list stands under, presented as the list's controller; typing: its
  // field, where the accessible focus returns from the list; report gets a SuggestionPress or a
  // SuggestionRelease for each press and release of the left button on the list.
  SuggestionPopup(QComboBox& anchor, QWidget& typing, std::function<void(const BarEvent&)> report);
  ~SuggestionPopup() override;

  void ShowSuggestions(const std::vector<SuggestionRow>& rows) override;
  void HighlightSuggestion(std::optional<int> row) override;
  void CloseSuggestions() override;

  // The list window, for tests; null until first shown.
  QListWidget* List() const { return list_.get(); }

 private:
  QComboBox& anchor_;
  QWidget& typing_;
  class MouseWatch;
  std::function<void(const BarEvent&)> report_;
  std::unique_ptr<QListWidget> list_;
  std::unique_ptr<MouseWatch> mouse_watch_;
};

// The debounce and deadline timers of the suggestions, as single-shot QTimers.
class SuggestionQtTimers final : public SuggestionTimers {
 public:
  SuggestionQtTimers();
  void Start(SuggestionTimer timer, int milliseconds, std::function<void()> fire) override;
  void Stop(SuggestionTimer timer) override;

 private:
  std::array<QTimer, kSuggestionTimerCount> timers_;
  std::array<std::function<void()>, kSuggestionTimerCount> fire_;
};

}  // namespace velto
