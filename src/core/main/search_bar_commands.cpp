// Commands handed over by a later start of the program or by a global key.
#include "main/search_bar.h"

namespace velto {

void SearchBar::CarryOut(const BarCommand& command) {
  if (command.kind == BarCommand::Kind::Focus) {
    view_.BringToFront();
    view_.FocusQuery();
    view_.SelectQueryText();
    return;
  }
  // The default button as Enter finds it; naming no search button, the drop only fills the box.
  const auto value = model_.DefaultSearch.AsNumber();
  const auto index = value ? ToInt16Floor(*value) : std::nullopt;
  // The selection is data; a text given to search is read as if typed.
  const QueryKind kind =
      command.kind == BarCommand::Kind::Search ? QueryKind::Typed : QueryKind::Data;
  DropOnButton(index.value_or(-1), DropData{command.text, {}}, kind);
}

}  // namespace velto
