// The closing steps: the log of this run's new queries, then the position and history.
#include "main/bar_placement.h"
#include "main/debug_switch.h"
#include "main/history_log.h"
#include "main/search_bar.h"
#include "settings/path_text.h"
#include "settings/storable_text.h"

namespace velto {

void SearchBar::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  WriteLog();
  if (settings_unreadable_) return;
  BarPlacement placement(view_, history_, disk_.codec());
  store_.SavePlacement(placement);
}

void SearchBar::WriteLog() {
  if (!HasDebugSwitch(platform_.CommandLine()) && new_history_count_ == 0) return;
  if (history_.Count() == 0 || history_.Entries().back().empty()) return;

  // The new queries are the first NewHistoryCount entries, oldest first in the log. Positions
  // the list no longer has (after F9 or a moved query) have no query: nothing is written for them.
  // Nor for a query the code page would change: the log would hold another query.
  const int count = new_history_count_;
  std::vector<std::string> lines;
  for (int position = std::min(count, history_.Count()) - 1; position >= 0; --position) {
    std::string query = history_.Item(position);
    if (IsStorableText(disk_.codec(), query)) lines.push_back(std::move(query));
  }
  AppendHistoryLog(disk_, LogPath(), lines);
}

FilePath SearchBar::LogPath() const {
  return platform_.ProgramFolder() / FilePathFromUtf8(kLogFileName);
}

}  // namespace velto
