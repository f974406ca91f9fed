#pragma once
// The query box's history list, newest first, kept by the core and mirrored by the view.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace velto {

class HistoryList {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  // The entry at a position; the empty text for a position the list does not have.
  std::string Item(int position) const;
  const std::deque<std::string>& Entries() const { return entries_; }
  // Changes with every change of the list, so a copy kept elsewhere knows when it is old.
  std::uint64_t Revision() const { return revision_; }

  void Insert(int position, std::string text);
  void Remove(int position);
  void Clear() {
    entries_.clear();
    ++revision_;
  }
  // Puts many entries before the first one at once, in the given order (linear time).
  void Prepend(std::vector<std::string> entries);

 private:
  std::deque<std::string> entries_;
  std::uint64_t revision_ = 0;
};

}  // namespace velto
