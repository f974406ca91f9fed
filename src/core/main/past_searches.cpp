#include "main/past_searches.h"

#include <algorithm>
#include <cstring>

#include "main/match_fold.h"

namespace velto {

void PastSearchIndex::Add(std::string_view text) {
  if (text.empty()) return;
  text_starts_.push_back(static_cast<std::uint32_t>(texts_.size()));
  texts_ += text;
  starts_.push_back(static_cast<std::uint32_t>(folded_.size()));
  const std::size_t from = folded_.size();
  folded_ += FoldForMatch(text);
  folded_ += '\n';
  for (std::size_t i = from; i < folded_.size(); ++i)
    ++byte_counts_[static_cast<unsigned char>(folded_[i])];
}

std::string_view PastSearchIndex::Text(std::size_t entry) const {
  const std::size_t end = entry + 1 < text_starts_.size() ? text_starts_[entry + 1] : texts_.size();
  return std::string_view(texts_).substr(text_starts_[entry], end - text_starts_[entry]);
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

std::size_t PastSearchIndex::RarestByte(std::string_view folded) const {
  std::size_t rare = 0;
  for (std::size_t i = 1; i < folded.size(); ++i) {
    if (byte_counts_[static_cast<unsigned char>(folded[i])] <
        byte_counts_[static_cast<unsigned char>(folded[rare])])
      rare = i;
  }
  return rare;
}

std::optional<std::size_t> PastSearchIndex::NextMatch(std::string_view folded, std::size_t rare,
                                                      std::size_t from) const {
  const char* const data = folded_.data();
  const std::size_t size = folded_.size();
  // memchr finds the rare byte at its own speed; only there is the whole text compared.
  while (from < size) {
    const void* hit = std::memchr(data + from, folded[rare], size - from);
    if (!hit) return std::nullopt;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data) - rare;
    if (at + folded.size() <= size && std::memcmp(data + at, folded.data(), folded.size()) == 0)
      return at;
    from = at + rare + 1;
  }
  return std::nullopt;
}

std::vector<std::string> PastSearches::Matching(std::string_view typed) {
  if (typed.empty()) return {};
  if (recent_revision_ != history_.Revision()) {
    recent_ = PastSearchIndex();
    for (const std::string& text : history_.Entries()) recent_.Add(text);
    recent_revision_ = history_.Revision();
  }
  if (!log_read_) {
    log_read_ = true;
    if (read_log_)
      for (const std::string& text : read_log_()) log_.Add(text);
  }

  // One scan of each index gathers both kinds. Every beginning comes before every match further
  // in, so a scan may stop early only once it has enough beginnings.
  const std::string folded = FoldForMatch(typed);
  // found holds the beginnings, then at most kPastSearchRows matches further in.
  std::vector<std::string> found;
  std::size_t starts = 0;
  const auto take = [&](std::string_view text, PastSearchIndex::Where where) {
    // A text searched again is in the log again; it is offered at its newest place only.
    if (std::find(found.begin(), found.end(), text) != found.end()) return true;
    if (where == PastSearchIndex::Where::Start)
      found.emplace(found.begin() + static_cast<std::ptrdiff_t>(starts++), text);
    else if (found.size() - starts < kPastSearchRows)
      found.emplace_back(text);
    return starts < kPastSearchRows;
  };
  recent_.Find(folded, [&](std::string_view text, PastSearchIndex::Where where) {
    return text == typed || take(text, where);
  });
  // The log repeats what the history list holds (each run logs its new queries).
  if (starts < kPastSearchRows) {
    log_.Find(folded, [&](std::string_view text, PastSearchIndex::Where where) {
      return text == typed || recent_.Contains(text) || take(text, where);
    });
  }
  if (found.size() > kPastSearchRows) found.resize(kPastSearchRows);
  return found;
}

}  // namespace velto
