#pragma once
// Suggestions while typing: which engine is asked for what, when, and which answer is shown.
// Once the user stops typing for kSuggestionPause, the engine that Enter would use is asked: a
// typed keyword's engine for the text after the keyword and its blank, else the default
// button's engine for the whole text. At most one request runs; a newer text cancels it, and an
// answer counts only when it echoes the asked query within kSuggestionDeadline.
// Past searches that match the text (past_searches.h) are shown at once, above the engine's
// completions, with or without them; a completion that repeats a past search shown is left out.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "main/past_searches.h"
#include "ports/suggestion_ports.h"
#include "settings/settings_model.h"

namespace velto {

inline constexpr int kSuggestionPause = 250;      // milliseconds after the last edit
inline constexpr int kSuggestionDeadline = 1500;  // milliseconds from the request

// What a text asks: the address, the query in it, and the text a picked suggestion follows
// (the keyword and its blank, or nothing).
struct SuggestionRequest {
  std::string url;
  std::string query;
  std::string prefix;
  bool operator==(const SuggestionRequest&) const = default;
};

// The request a query-box text makes, if any: none when suggestions are off, for an empty
// text or keyword rest, or when the engine has no http or https suggestion address with "%s".
std::optional<SuggestionRequest> SuggestionRequestFor(const SettingsModel& model,
                                                      const std::string& text);

class Suggestions {
 public:
  // Without past searches only the engine's completions are offered.
  explicit Suggestions(const SettingsModel& model, PastSearches* past = nullptr)
      : model_(model), past_searches_(past) {}
  ~Suggestions();
  Suggestions(const Suggestions&) = delete;
  Suggestions& operator=(const Suggestions&) = delete;

  // Without services nothing is ever asked or shown.
  void Attach(const SuggestionServices& services);

  // The user changed the query box's text.
  void TextEdited(const std::string& text);
  // Closes the list and drops a waiting or running request.
  void Close();

  bool Shown() const { return !rows_.empty(); }
  // Whether a request has been sent and its answer (or failure) not yet come.
  bool Waiting() const { return running_; }
  const std::vector<SuggestionRow>& Rows() const { return rows_; }
  std::optional<int> Highlighted() const { return highlighted_; }
  // Down (+1) and Up (-1): from no highlight Down goes to the first entry and Up to the last;
  // Up from the first entry leaves none highlighted; Down stops at the last. Past searches and
  // completions are one list to the keys.
  void Move(int step);
  // The text a search takes for a row: a past search as it was searched; a completion after
  // the asked keyword and its blank.
  std::optional<std::string> SearchTextOf(std::optional<int> row) const;

 private:
  void Ask();
  void Answered(std::uint64_t request, std::optional<std::string> body);
  void CancelRequest();
  void DropCompletions();
  // Shows the past searches and completions as they now are; a list already showing exactly
  // these rows is left as it is.
  void ShowRows();
  void TellHighlight();

  const SettingsModel& model_;
  PastSearches* past_searches_;
  SuggestionServices services_;
  bool fetcher_made_ = false;
  std::string text_;
  std::uint64_t request_ = 0;  // the running request's number; older answers are dropped
  bool running_ = false;
  std::optional<SuggestionRequest> asked_;
  std::string prefix_;                 // of the completions
  std::vector<std::string> past_;      // past searches matching the text
  std::vector<std::string> entries_;   // the engine's completions
  std::vector<SuggestionRow> rows_;    // as shown
  std::vector<std::string> searches_;  // what each row shown searches
  std::optional<int> highlighted_;
  std::optional<int> listed_highlight_;  // as the list was last told
};

}  // namespace velto
