#include "main/past_searches.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "main/match_fold.h"

namespace velto {

PastSearchIndex::PastSearchIndex(const std::vector<std::string>& newest_first) {
  std::unordered_set<std::string_view> seen;
  seen.reserve(newest_first.size());
  folded_.push_back('\n');
  for (const std::string& text : newest_first) {
    if (text.empty() || !seen.insert(text).second) continue;
    text_starts_.push_back(static_cast<std::uint32_t>(texts_.size()));
    texts_ += text;
    starts_.push_back(static_cast<std::uint32_t>(folded_.size()));
    folded_ += FoldForMatch(text);
    folded_ += '\n';
  }
  for (const char c : folded_) ++byte_counts_[static_cast<unsigned char>(c)];
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
  Find(FoldForMatch(text), [&](std::string_view entry, Where where) {
    found = where == Where::Start && entry == text;
    return !found;
  });
  return found;
}

void PastSearchIndex::Find(std::string_view folded,
                           const std::function<bool(std::string_view, Where)>& visit) const {
  if (folded.empty() || size() == 0) return;
  std::size_t rare = 0;
  for (std::size_t i = 1; i < folded.size(); ++i) {
    if (byte_counts_[static_cast<unsigned char>(folded[i])] <
        byte_counts_[static_cast<unsigned char>(folded[rare])])
      rare = i;
  }
  const char* const data = folded_.data();
  const std::size_t size = folded_.size();
  // A match would start `rare` bytes before each place of the rare byte.
  for (std::size_t from = rare; from < size;) {
    const void* hit = std::memchr(data + from, folded[rare], size - from);
    if (!hit) return;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data) - rare;
    if (at + folded.size() > size || std::memcmp(data + at, folded.data(), folded.size()) != 0) {
      from = at + rare + 1;
      continue;
    }
    // A folded text holds no line break, so the match lies inside one entry; that entry is
    // then done with.
    const std::size_t entry = EntryAt(at);
    if (!visit(Text(entry), at == starts_[entry] ? Where::Start : Where::Inside)) return;
    from = starts_[entry + 1] + rare;
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

  // One scan of each index gathers both kinds. Every beginning comes before every match further
  // in, so a scan may stop early only once it has enough beginnings.
  const std::string folded = FoldForMatch(typed);
  std::vector<std::string> starts;
  std::vector<std::string> insides;
  const auto take = [&](std::string_view text, PastSearchIndex::Where where) {
    if (where == PastSearchIndex::Where::Start)
      starts.emplace_back(text);
    else if (insides.size() < kPastSearchRows)
      insides.emplace_back(text);
    return starts.size() < kPastSearchRows;
  };
  recent_.Find(folded, [&](std::string_view text, PastSearchIndex::Where where) {
    return text == typed || take(text, where);
  });
  // The log repeats what the history list holds (each run logs its new queries).
  if (starts.size() < kPastSearchRows) {
    log_->Find(folded, [&](std::string_view text, PastSearchIndex::Where where) {
      return text == typed || recent_.Contains(text) || take(text, where);
    });
  }
  for (std::string& text : insides) {
    if (starts.size() == kPastSearchRows) break;
    starts.push_back(std::move(text));
  }
  return starts;
}

}  // namespace velto
