#include "main/suggestions.h"

#include <algorithm>

#include "main/engine_keyword.h"
#include "main/query_template.h"
#include "main/suggestion_answer.h"
#include "settings/ascii_text.h"
#include "settings/number_text.h"

namespace velto {
namespace {

// The engine slot of the default button, as Enter finds it.
std::optional<int> DefaultEngineSlot(const SettingsModel& model) {
  const auto value = model.DefaultSearch.AsNumber();
  const auto button = value ? ToInt16Floor(*value) : std::nullopt;
  if (!button || *button < 0 || *button >= kSearchButtons) return std::nullopt;
  const int slot = model.SearchSelect[static_cast<std::size_t>(*button)];
  if (slot < 0 || slot >= kEngineSlots) return std::nullopt;
  return slot;
}

bool IsSuggestionTemplate(std::string_view address) {
  return (StartsWithIgnoringAsciiCase(address, "http://") ||
          StartsWithIgnoringAsciiCase(address, "https://")) &&
         address.find(kQueryPlaceholder) != std::string_view::npos;
}

}  // namespace

std::optional<SuggestionRequest> SuggestionRequestFor(const SettingsModel& model,
                                                      const std::string& text) {
  if (!model.Suggest || text.empty()) return std::nullopt;
  SuggestionRequest request;
  std::optional<int> slot;
  if (auto match = MatchEngineKeyword(model, text)) {
    slot = match->slot;
    request.prefix = text.substr(0, text.size() - match->rest.size());
    request.query = std::move(match->rest);
  } else {
    slot = DefaultEngineSlot(model);
    request.query = text;
  }
  if (!slot || request.query.empty()) return std::nullopt;
  const std::string& address = model.SuggestEngn[static_cast<std::size_t>(*slot)];
  if (!IsSuggestionTemplate(address)) return std::nullopt;
  request.url = SearchAddress(address, request.query);
  return request;
}

Suggestions::~Suggestions() {
  // Nothing may call back into this object once it is gone.
  CancelRequest();
  if (services_.timers) services_.timers->Stop(SuggestionTimer::Debounce);
}

void Suggestions::Attach(const SuggestionServices& services) {
  services_ = services;
}

void Suggestions::TextEdited(const std::string& text) {
  text_ = text;
  if (!services_.timers) return;
  // A newer text makes the running request pointless.
  CancelRequest();
  past_.clear();
  if (model_.HistorySuggest && past_searches_) past_ = past_searches_->Matching(text);
  // The completions shown stay while the user types on, but no row is picked any more.
  highlighted_.reset();
  if (text.empty() || !model_.Suggest) {
    services_.timers->Stop(SuggestionTimer::Debounce);
    entries_.clear();
  } else {
    services_.timers->Start(SuggestionTimer::Debounce, kSuggestionPause, [this] { Ask(); });
  }
  ShowRows();
}

void Suggestions::Close() {
  if (services_.timers) services_.timers->Stop(SuggestionTimer::Debounce);
  CancelRequest();
  past_.clear();
  entries_.clear();
  highlighted_.reset();
  ShowRows();
}

void Suggestions::Ask() {
  std::optional<SuggestionRequest> request = SuggestionRequestFor(model_, text_);
  if (!request) {
    DropCompletions();
    return;
  }
  CancelRequest();
  asked_ = std::move(request);
  running_ = true;
  const std::uint64_t number = ++request_;
  services_.timers->Start(SuggestionTimer::Deadline, kSuggestionDeadline, [this, number] {
    if (number != request_ || !running_) return;
    CancelRequest();
    DropCompletions();
  });
  fetcher_made_ = true;
  services_.fetcher().Fetch(asked_->url, [this, number](std::optional<std::string> body) {
    Answered(number, std::move(body));
  });
}

void Suggestions::Answered(std::uint64_t request, std::optional<std::string> body) {
  if (request != request_ || !running_) return;
  running_ = false;
  services_.timers->Stop(SuggestionTimer::Deadline);
  std::optional<std::vector<std::string>> entries;
  if (body) entries = ReadSuggestionAnswer(*body, asked_->query);
  if (!entries || entries->empty()) {
    DropCompletions();
    return;
  }
  entries_ = std::move(*entries);
  prefix_ = asked_->prefix;
  // A highlighted past search stays where it is; the completions under it are new.
  if (highlighted_ && *highlighted_ >= static_cast<int>(past_.size())) highlighted_.reset();
  ShowRows();
}

void Suggestions::CancelRequest() {
  ++request_;
  if (!running_) return;
  running_ = false;
  if (services_.timers) services_.timers->Stop(SuggestionTimer::Deadline);
  if (fetcher_made_) services_.fetcher().Cancel();
}

void Suggestions::DropCompletions() {
  if (highlighted_ && *highlighted_ >= static_cast<int>(past_.size())) highlighted_.reset();
  entries_.clear();
  ShowRows();
}

void Suggestions::ShowRows() {
  std::vector<SuggestionRow> rows;
  std::vector<std::string> searches;
  for (const std::string& text : past_) {
    rows.push_back({text, SuggestionRowKind::PastSearch});
    searches.push_back(text);
  }
  for (const std::string& entry : entries_) {
    std::string search = prefix_ + entry;
    if (std::find(past_.begin(), past_.end(), search) != past_.end()) continue;
    rows.push_back({entry, SuggestionRowKind::Suggestion});
    searches.push_back(std::move(search));
  }
  searches_ = std::move(searches);
  if (!services_.list) return;
  if (rows != rows_) {
    const bool was_shown = !rows_.empty();
    // A screen reader follows the focus back to the query box before the rows go.
    if (was_shown && listed_highlight_) services_.list->HighlightSuggestion(std::nullopt);
    rows_ = std::move(rows);
    listed_highlight_.reset();
    if (rows_.empty()) {
      if (was_shown) services_.list->CloseSuggestions();
      return;
    }
    services_.list->ShowSuggestions(rows_);
  }
  TellHighlight();
}

void Suggestions::TellHighlight() {
  if (rows_.empty() || highlighted_ == listed_highlight_) return;
  listed_highlight_ = highlighted_;
  services_.list->HighlightSuggestion(highlighted_);
}

void Suggestions::Move(int step) {
  if (rows_.empty()) return;
  const int last = static_cast<int>(rows_.size()) - 1;
  if (!highlighted_)
    highlighted_ = step > 0 ? 0 : last;
  else if (step > 0)
    highlighted_ = std::min(*highlighted_ + 1, last);
  else if (*highlighted_ == 0)
    highlighted_.reset();
  else
    highlighted_ = *highlighted_ - 1;
  TellHighlight();
}

std::optional<std::string> Suggestions::SearchTextOf(std::optional<int> row) const {
  if (!row || *row < 0 || *row >= static_cast<int>(searches_.size())) return std::nullopt;
  return searches_[static_cast<std::size_t>(*row)];
}

}  // namespace velto
