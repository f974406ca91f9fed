// Drops on the window, the query box and the buttons.
#include <algorithm>

#include "main/dropped_text_file.h"
#include "main/engine_import_offer.h"
#include "main/search_bar.h"

namespace velto {

void SearchBar::Command1_OLEDragDrop(int index, const DropData& data) {
  DropOnButton(index, data, QueryKind::Data);
}

void SearchBar::DropOnButton(int index, const DropData& data, QueryKind kind) {
  if (data.text) view_.SetQueryText(*data.text);
  // Without text the search runs with the query the box already holds.
  if (index >= 0 && index < kSearchButtons) PressButton(index, kind);
}

void SearchBar::Form_OLEDragDrop(const DropData& data) {
  if (data.text) view_.SetQueryText(*data.text);
  if (data.files.empty() || !IsDroppedTextFileName(data.files.front())) return;

  std::vector<std::string> lines = ReadDroppedTextLines(disk_, data.files.front());
  if (lines.empty()) return;
  // Each line goes first in turn, so the file's last line ends up on top: add them reversed,
  // all at once, and show the list once.
  std::reverse(lines.begin(), lines.end());
  history_.Prepend(std::move(lines));
  ShowWholeHistory();
}

bool SearchBar::OfferDroppedEngines(const FilePath& file) {
  FoundEngines found = platform_.Engines().ReadDescription(file);
  if (found.error) return false;
  auto offer = [this, found = std::move(found)] {
    if (OfferEngineImport({platform_, WindowRole::SearchBar, store_, model_}, found) > 0)
      LabelSearchButtons();
  };
  // The choice is a window of its own: asked once the drop is over.
  if (timers_ != nullptr) {
    timers_->Start(SuggestionTimer::DroppedEngines, 0, std::move(offer));
  } else {
    offer();
  }
  return true;
}

void SearchBar::Text1_OLEDragDrop(const DropData& data) {
  if (data.text) view_.SetQueryText(*data.text);
}

}  // namespace velto
