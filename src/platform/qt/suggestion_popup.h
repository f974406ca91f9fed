#pragma once
// The suggestions list of the Qt search bar: a frameless list right under the query box that
// never takes the focus or activates, so typing goes on in the box. Clicks are reported; the
// core decides everything else.
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "ports/suggestion_ports.h"

class QListWidget;
class QWidget;

namespace velto {

class SuggestionPopup final : public SuggestionListView {
 public:
  // anchor: the query box the list stands under; clicked(row) for a click on an entry.
  SuggestionPopup(QWidget& anchor, std::function<void(int row)> clicked);
  ~SuggestionPopup() override;

  void ShowSuggestions(const std::vector<std::string>& entries) override;
  void HighlightSuggestion(std::optional<int> row) override;
  void CloseSuggestions() override;

  // The list window, for tests; null until first shown.
  QListWidget* List() const { return list_.get(); }

 private:
  QWidget& anchor_;
  std::function<void(int)> clicked_;
  std::unique_ptr<QListWidget> list_;
};

// The debounce and deadline timers of the suggestions, as single-shot QTimers.
class SuggestionQtTimers final : public SuggestionTimers {
 public:
  SuggestionQtTimers();
  void Start(SuggestionTimer timer, int milliseconds, std::function<void()> fire) override;
  void Stop(SuggestionTimer timer) override;

 private:
  std::array<QTimer, 2> timers_;
  std::array<std::function<void()>, 2> fire_;
};

}  // namespace velto
