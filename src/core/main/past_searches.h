#pragma once
// Past searches offered as the user types: the history list and the log, matched against the
// typed text in their folded forms (match_fold.h). Entries that begin with the text come first,
// then those that hold it elsewhere; within each, the newest first: the history list before the
// log, the log from its end. No text is offered twice, nor the typed text itself.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "main/history_list.h"

namespace velto {

inline constexpr std::size_t kPastSearchRows = 5;

// Texts, newest first, kept for matching: the folded forms in one block, one line each, so a
// match is found by one scan of memory rather than a walk over many small strings. The scan
// looks for the typed text's rarest byte in the block (memchr's speed) and compares only there.
class PastSearchIndex {
 public:
  // Adds a text older than those added before. Empty texts are left out; repeats are kept (a
  // match skips them cheaply).
  void Add(std::string_view text);

  std::size_t size() const { return starts_.size(); }
  std::string_view Text(std::size_t entry) const;
  // Whether the text is one of the entries, exactly.
  bool Contains(std::string_view text) const;

  enum class Where { Start, Inside };
  // Visits the entries whose folded form holds `folded`, newest first, each once, with where it
  // first holds it, until visit(text, where) answers false.
  template <typename Visit>
  void Find(std::string_view folded, Visit&& visit) const {
    const std::size_t rare = RarestByte(folded);
    for (std::size_t from = rare; !folded.empty() && from < folded_.size();) {
      const std::optional<std::size_t> at = NextMatch(folded, rare, from);
      if (!at) return;
      // A folded text holds no line break, so the match lies inside one entry; that entry is
      // then done with.
      const std::size_t entry = EntryAt(*at);
      if (!visit(Text(entry), *at == starts_[entry] ? Where::Start : Where::Inside)) return;
      from = EndOf(entry) + 1 + rare;
    }
  }

 private:
  std::size_t EntryAt(std::size_t offset) const;
  // Where the entry's folded form ends: at its line break.
  std::size_t EndOf(std::size_t entry) const {
    return entry + 1 < starts_.size() ? starts_[entry + 1] - 1 : folded_.size() - 1;
  }
  // Where in `folded` the byte least often seen in the entries is.
  std::size_t RarestByte(std::string_view folded) const;
  // The next place from `from` on where the rare byte of `folded` begins a match, less `rare`:
  // where the match begins.
  std::optional<std::size_t> NextMatch(std::string_view folded, std::size_t rare,
                                       std::size_t from) const;

  std::string folded_ = std::string(1, '\n');     // "\n" then each folded text followed by "\n"
  std::array<std::uint32_t, 256> byte_counts_{};  // how often each byte occurs in folded_
  std::vector<std::uint32_t> starts_;             // where each folded text begins in folded_
  std::string texts_;                             // the texts themselves, one after another
  std::vector<std::uint32_t> text_starts_;        // and where each begins, then where the last ends
};

class PastSearches {
 public:
  // read_log gives the log's queries, newest first; it is called once, at the first match.
  PastSearches(const HistoryList& history, std::function<std::vector<std::string>()> read_log)
      : history_(history), read_log_(std::move(read_log)) {}

  // Up to kPastSearchRows texts for the typed text; none for an empty one.
  std::vector<std::string> Matching(std::string_view typed);

 private:
  const HistoryList& history_;
  std::function<std::vector<std::string>()> read_log_;
  bool log_read_ = false;
  PastSearchIndex log_;
  // The history list as it was at the last match; built again only after it changed.
  PastSearchIndex recent_;
  std::uint64_t recent_revision_ = ~std::uint64_t{0};
};

}  // namespace velto
