#include "main/suggestions.h"

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
  if (text.empty() || !model_.Suggest) {
    services_.timers->Stop(SuggestionTimer::Debounce);
    CloseList();
    return;
  }
  // The shown entries stay while the user types on, but none is picked any more.
  if (highlighted_) {
    highlighted_.reset();
    services_.list->HighlightSuggestion(std::nullopt);
  }
  services_.timers->Start(SuggestionTimer::Debounce, kSuggestionPause, [this] { Ask(); });
}

void Suggestions::Close() {
  if (services_.timers) services_.timers->Stop(SuggestionTimer::Debounce);
  CancelRequest();
  CloseList();
}

void Suggestions::Ask() {
  std::optional<SuggestionRequest> request = SuggestionRequestFor(model_, text_);
  if (!request) {
    CloseList();
    return;
  }
  CancelRequest();
  asked_ = std::move(request);
  running_ = true;
  const std::uint64_t number = ++request_;
  services_.timers->Start(SuggestionTimer::Deadline, kSuggestionDeadline, [this, number] {
    if (number != request_ || !running_) return;
    CancelRequest();
    CloseList();
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
    CloseList();
    return;
  }
  entries_ = std::move(*entries);
  prefix_ = asked_->prefix;
  highlighted_.reset();
  services_.list->ShowSuggestions(entries_);
}

void Suggestions::CancelRequest() {
  ++request_;
  if (!running_) return;
  running_ = false;
  if (services_.timers) services_.timers->Stop(SuggestionTimer::Deadline);
  if (fetcher_made_) services_.fetcher().Cancel();
}

void Suggestions::CloseList() {
  // A screen reader follows the focus back to the query box before the list goes.
  if (highlighted_ && !entries_.empty()) services_.list->HighlightSuggestion(std::nullopt);
  highlighted_.reset();
  if (entries_.empty()) return;
  entries_.clear();
  services_.list->CloseSuggestions();
}

void Suggestions::Move(int step) {
  if (entries_.empty()) return;
  const int last = static_cast<int>(entries_.size()) - 1;
  if (!highlighted_)
    highlighted_ = step > 0 ? 0 : last;
  else if (step > 0)
    highlighted_ = std::min(*highlighted_ + 1, last);
  else if (*highlighted_ == 0)
    highlighted_.reset();
  else
    highlighted_ = *highlighted_ - 1;
  services_.list->HighlightSuggestion(highlighted_);
}

std::optional<std::string> Suggestions::SearchTextOf(std::optional<int> row) const {
  if (!row || *row < 0 || *row >= static_cast<int>(entries_.size())) return std::nullopt;
  return prefix_ + entries_[static_cast<std::size_t>(*row)];
}

}  // namespace velto
