#pragma once
// What the suggestions need of a front end: an HTTP client, timers and a list to draw. The core
// decides what is asked, when, and what every key does; the front ends only carry it out.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velto {

// Most bytes of an answer that are read; a longer one is no answer.
inline constexpr std::size_t kMaxSuggestionBody = 64 * 1024;

// Fetches one address at a time over the platform's own HTTP client (its proxy settings, its
// TLS). Redirects are followed at most three times, and only to http and https addresses.
class SuggestionFetcher {
 public:
  virtual ~SuggestionFetcher() = default;
  // The answer's body (status 200 only, at most kMaxSuggestionBody bytes) or nullopt for any
  // failure. done runs later, on the thread of the window, exactly once, unless Cancel runs
  // first. A Fetch while another runs cancels that one.
  using Done = std::function<void(std::optional<std::string> body)>;
  virtual void Fetch(const std::string& url, Done done) = 0;
  // Drops the running fetch, if any: its done never runs.
  virtual void Cancel() = 0;
};

// DroppedEngines is not the suggestions' own: the offer of a dropped OpenSearch file waits on it
// until the drop is over, so that the drag's source is never kept waiting while the user chooses.
enum class SuggestionTimer { Debounce, Deadline, DroppedEngines };
inline constexpr std::size_t kSuggestionTimerCount = 3;

// One-shot timers on the thread of the window.
class SuggestionTimers {
 public:
  virtual ~SuggestionTimers() = default;
  // Starts (or starts again) the timer; fire runs once after the time, unless stopped first.
  virtual void Start(SuggestionTimer timer, int milliseconds, std::function<void()> fire) = 0;
  virtual void Stop(SuggestionTimer timer) = 0;
};

// What a row of the list offers: a completion from the engine, or one of the user's own past
// searches (the history list and the log), which the list marks as such.
enum class SuggestionRowKind { Suggestion, PastSearch };

struct SuggestionRow {
  std::string text;
  SuggestionRowKind kind = SuggestionRowKind::Suggestion;
  bool operator==(const SuggestionRow&) const = default;
};

// The mark of a past-search row: shown before its text and given as its accessible description.
inline constexpr std::string_view kPastSearchMark = "履歴";

// The list right under the query box. It never takes the keyboard focus; the left button's
// presses and releases over it are reported as SuggestionPress and SuggestionRelease. The
// highlighted row is the accessible focus: HighlightSuggestion(row) hands it to that row, and
// HighlightSuggestion(nullopt) back to the query box (the core asks for that before it closes
// a list with a highlight, and never while nothing is highlighted).
class SuggestionListView {
 public:
  virtual ~SuggestionListView() = default;
  // Past searches come first; nothing is highlighted afterwards.
  virtual void ShowSuggestions(const std::vector<SuggestionRow>& rows) = 0;
  virtual void HighlightSuggestion(std::optional<int> row) = 0;
  virtual void CloseSuggestions() = 0;
};

// The services a front end hands to the core. The fetcher is made on first use only, so that
// a bar without suggestions never loads a network client.
struct SuggestionServices {
  SuggestionTimers* timers = nullptr;
  SuggestionListView* list = nullptr;
  std::function<SuggestionFetcher&()> fetcher;
};

}  // namespace velto
