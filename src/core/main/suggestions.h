#pragma once
// Suggestions while typing: which engine is asked for what, when, and which answer is shown.
// Once the user stops typing for kSuggestionPause, the engine that Enter would use is asked: a
// typed keyword's engine for the text after the keyword and its blank, else the default
// button's engine for the whole text. At most one request runs; a newer text cancels it, and an
// answer counts only when it echoes the asked query within kSuggestionDeadline.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
  explicit Suggestions(const SettingsModel& model) : model_(model) {}
  ~Suggestions();
  Suggestions(const Suggestions&) = delete;
  Suggestions& operator=(const Suggestions&) = delete;

  // Without services nothing is ever asked or shown.
  void Attach(const SuggestionServices& services);

  // The user changed the query box's text.
  void TextEdited(const std::string& text);
  // Closes the list and drops a waiting or running request.
  void Close();

  bool Shown() const { return !entries_.empty(); }
  // Whether a request has been sent and its answer (or failure) not yet come.
  bool Waiting() const { return running_; }
  const std::vector<std::string>& Entries() const { return entries_; }
  std::optional<int> Highlighted() const { return highlighted_; }
  // Down (+1) and Up (-1): from no highlight Down goes to the first entry and Up to the last;
  // Up from the first entry leaves none highlighted; Down stops at the last.
  void Move(int step);
  // The text a search takes for an entry: the asked keyword and its blank, then the entry.
  std::optional<std::string> SearchTextOf(std::optional<int> row) const;

 private:
  void Ask();
  void Answered(std::uint64_t request, std::optional<std::string> body);
  void CancelRequest();
  void CloseList();

  const SettingsModel& model_;
  SuggestionServices services_;
  bool fetcher_made_ = false;
  std::string text_;
  std::uint64_t request_ = 0;  // the running request's number; older answers are dropped
  bool running_ = false;
  std::optional<SuggestionRequest> asked_;
  std::string prefix_;  // of the entries shown
  std::vector<std::string> entries_;
  std::optional<int> highlighted_;
};

}  // namespace velto
