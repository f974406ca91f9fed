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
  PastSearchIndex() = default;
  // Repeats of a text after its first (newest) place are dropped.
  explicit PastSearchIndex(const std::vector<std::string>& newest_first);

  std::size_t size() const { return text_starts_.empty() ? 0 : text_starts_.size() - 1; }
  std::string_view Text(std::size_t entry) const;
  // Whether the text is one of the entries, exactly.
  bool Contains(std::string_view text) const;

  enum class Where { Start, Inside };
  // Visits the entries whose folded form holds `folded`, newest first, each once, with where it
  // first holds it, until visit answers false.
  void Find(std::string_view folded,
            const std::function<bool(std::string_view text, Where where)>& visit) const;

 private:
  std::size_t EntryAt(std::size_t offset) const;

  std::string folded_;                            // "\n" then each folded text followed by "\n"
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
  std::optional<PastSearchIndex> log_;
  // The history list as it was at the last match; built again only after it changed.
  PastSearchIndex recent_;
  std::optional<std::uint64_t> recent_revision_;
};

}  // namespace velto
