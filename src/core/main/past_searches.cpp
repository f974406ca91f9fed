#include "main/past_searches.h"

#include <algorithm>
#include <unordered_set>

#include "main/match_fold.h"

namespace velto {

PastSearchIndex::PastSearchIndex(const std::vector<std::string>& newest_first) {
  std::unordered_set<std::string_view> seen;
  seen.reserve(newest_first.size());
  folded_ = "\n";
  for (const std::string& text : newest_first) {
    if (text.empty() || !seen.insert(text).second) continue;
    text_starts_.push_back(static_cast<std::uint32_t>(texts_.size()));
    texts_ += text;
    starts_.push_back(static_cast<std::uint32_t>(folded_.size()));
    folded_ += FoldForMatch(text);
    folded_ += '\n';
  }
  // One more start each: the end of the last entry, so that every entry has a next.
  text_starts_.push_back(static_cast<std::uint32_t>(texts_.size()));
  starts_.push_back(static_cast<std::uint32_t>(folded_.size()));
}

std::string_view PastSearchIndex::Text(std::size_t entry) const {
  return std::string_view(texts_).substr(text_starts_[entry],
                                         text_starts_[entry + 1] - text_starts_[entry]);
}

std::size_t PastSearchIndex::EntryAt(std::size_t offset) const {
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  return static_cast<std::size_t>(after - starts_.begin()) - 1;
}

bool PastSearchIndex::Contains(std::string_view text) const {
  bool found = false;
  Find(FoldForMatch(text), Where::Start, [&](std::string_view entry) {
    found = entry == text;
    return !found;
  });
  return found;
}

void PastSearchIndex::Find(std::string_view folded, Where where,
                           const std::function<bool(std::string_view text)>& visit) const {
  if (folded.empty() || size() == 0) return;
  if (where == Where::Start) {
    // An entry begins right after a line break.
    const std::string needle = "\n" + std::string(folded);
    for (std::size_t at = folded_.find(needle); at != std::string::npos;
         at = folded_.find(needle, at + 1)) {
      if (!visit(Text(EntryAt(at + 1)))) return;
    }
    return;
  }
  for (std::size_t at = folded_.find(folded); at != std::string::npos;) {
    const std::size_t entry = EntryAt(at);
    // A match at the start is the other kind; either way the entry is done with.
    if (at != starts_[entry] && !visit(Text(entry))) return;
    at = folded_.find(folded, starts_[entry + 1]);
  }
}

std::vector<std::string> PastSearches::Matching(std::string_view typed) {
  if (typed.empty()) return {};
  if (recent_revision_ != history_.Revision()) {
    const auto& entries = history_.Entries();
    recent_ = PastSearchIndex(std::vector<std::string>(entries.begin(), entries.end()));
    recent_revision_ = history_.Revision();
  }
  if (!log_) log_.emplace(read_log_ ? read_log_() : std::vector<std::string>{});

  const std::string folded = FoldForMatch(typed);
  std::vector<std::string> found;
  const auto offer_recent = [&](std::string_view text) {
    if (text != typed) found.emplace_back(text);
    return found.size() < kPastSearchRows;
  };
  // The log repeats what the history list holds (each run logs its new queries).
  const auto offer_logged = [&](std::string_view text) {
    if (text != typed && !recent_.Contains(text)) found.emplace_back(text);
    return found.size() < kPastSearchRows;
  };
  for (const auto where : {PastSearchIndex::Where::Start, PastSearchIndex::Where::Inside}) {
    if (found.size() < kPastSearchRows) recent_.Find(folded, where, offer_recent);
    if (found.size() < kPastSearchRows) log_->Find(folded, where, offer_logged);
  }
  return found;
}

}  // namespace velto
