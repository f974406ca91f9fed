#pragma once
// Suggestion services without a network or a clock: the test decides when timers fire and what
// the fetcher answers, and reads what the list was told.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ports/suggestion_ports.h"

namespace velto::test {

class FakeSuggestionServices : public SuggestionTimers,
                               public SuggestionListView,
                               public SuggestionFetcher {
 public:
  // Timers
  std::map<SuggestionTimer, std::pair<int, std::function<void()>>> running;
  void Start(SuggestionTimer timer, int milliseconds, std::function<void()> fire) override {
    running[timer] = {milliseconds, std::move(fire)};
  }
  void Stop(SuggestionTimer timer) override { running.erase(timer); }
  // Fires a running timer; false when it is not running.
  bool Fire(SuggestionTimer timer) {
    auto it = running.find(timer);
    if (it == running.end()) return false;
    auto fire = std::move(it->second.second);
    running.erase(it);
    fire();
    return true;
  }

  // List
  std::vector<std::string> shown;  // the rows' texts
  std::vector<SuggestionRow> shown_rows;
  std::optional<int> highlighted;
  int shows = 0;
  void ShowSuggestions(const std::vector<SuggestionRow>& rows) override {
    shown_rows = rows;
    shown.clear();
    for (const SuggestionRow& row : rows) shown.push_back(row.text);
    highlighted.reset();
    ++shows;
  }
  // Every row the accessible focus went to; -1 for the query box.
  std::vector<int> focus_moves;
  void HighlightSuggestion(std::optional<int> row) override {
    highlighted = row;
    focus_moves.push_back(row.value_or(-1));
  }
  void CloseSuggestions() override {
    shown.clear();
    shown_rows.clear();
    highlighted.reset();
  }

  // Fetcher
  bool fetcher_made = false;
  std::vector<std::string> requested;
  int cancels = 0;
  Done pending;
  void Fetch(const std::string& url, Done done) override {
    requested.push_back(url);
    pending = std::move(done);
  }
  void Cancel() override {
    ++cancels;
    pending = nullptr;
  }
  // Answers the running fetch; false when none runs.
  bool Answer(std::optional<std::string> body) {
    if (!pending) return false;
    auto done = std::move(pending);
    pending = nullptr;
    done(std::move(body));
    return true;
  }

  SuggestionServices Services() {
    return {this, this, [this]() -> SuggestionFetcher& {
              fetcher_made = true;
              return *this;
            }};
  }
};

}  // namespace velto::test
