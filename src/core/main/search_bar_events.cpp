// What the window's events mean, decided once for both front ends.
#include <type_traits>

#include "main/dropped_file_names.h"
#include "main/dropped_text_file.h"
#include "main/key_codes.h"
#include "main/search_bar.h"
#include "settings/ascii_text.h"

namespace velto {

KeyOutcome SearchBar::Handle(const BarEvent& event) {
  return std::visit(
      [this](const auto& e) {
        using E = std::decay_t<decltype(e)>;
        if constexpr (std::is_same_v<E, KeyPress>) {
          return OnKeyPress(e);
        } else {
          if constexpr (std::is_same_v<E, MousePress>) {
            OnMousePress(e);
          } else if constexpr (std::is_same_v<E, MouseRelease>) {
            // A click of the left button reaches the bar as its release, then the click.
            released_on_ =
                e.mouse_button == kLeftMouseButton ? std::optional<int>(e.button) : std::nullopt;
          } else if constexpr (std::is_same_v<E, ButtonClicked>) {
            clicked_by_mouse_ = released_on_ == e.button;
            released_on_.reset();
            Command1_Click(e.button);
            clicked_by_mouse_ = false;
          } else if constexpr (std::is_same_v<E, Drop>) {
            OnDrop(e.target, e.data);
          } else if constexpr (std::is_same_v<E, QueryFocusLost> ||
                               std::is_same_v<E, WindowMoved> ||
                               std::is_same_v<E, HistoryListOpened>) {
            // The list stands under the box and belongs to it: a box without the focus, a
            // window that moved away from it and the history list in its place all close it.
            suggestions_.Close();
            // An input method ends its composition when the box loses the focus; should its
            // closing never arrive, the keys must still not stay the input method's.
            if constexpr (std::is_same_v<E, QueryFocusLost>) composing_ = false;
          } else if constexpr (std::is_same_v<E, SuggestionPress>) {
            suggestion_pressed_ = e.row;
          } else if constexpr (std::is_same_v<E, SuggestionRelease>) {
            OnSuggestionRelease(e.row);
          } else if constexpr (std::is_same_v<E, MenuEntryChosen>) {
            MenuSearch_Click(e.entry);
          } else if constexpr (std::is_same_v<E, QueryEdited>) {
            // Uncommitted text is never asked about; the closing of the composition is.
            if (!composing_) suggestions_.TextEdited(e.text);
          } else if constexpr (std::is_same_v<E, CompositionOpened>) {
            // The input method's candidate window opens where the list stands: the list goes,
            // and nothing opens it again before the commit.
            composing_ = true;
            suggestions_.Close();
          } else if constexpr (std::is_same_v<E, CompositionClosed>) {
            composing_ = false;
            suggestions_.TextEdited(e.text);
          } else if constexpr (std::is_same_v<E, WindowClosed>) {
            Form_Unload();
          }
          // The history list going up means nothing to the bar.
          return KeyOutcome::PassOn;
        }
      },
      event);
}

void SearchBar::OnMousePress(const MousePress& press) {
  // The left button is a click, reported as ButtonClicked when it completes. Every press of
  // the others counts, the second press of a double-click too: two quick presses open the
  // home page twice, as two slow ones do.
  if (press.mouse_button == kLeftMouseButton) return;
  Command1_MouseDown(press.button, press.mouse_button);
}

KeyOutcome SearchBar::OutcomeOf(int key_code, int shift) const {
  // A composition's keys are the input method's: Enter confirms, Esc cancels, Space and the
  // arrows convert and choose, function keys change the kind of characters.
  if (composing_) return KeyOutcome::PassOn;
  // Up and Down move through the shown suggestions, not through the query box's history.
  if (suggestions_.Shown() && (key_code == kKeyUp || key_code == kKeyDown) &&
      (shift & kAltKey) == 0)
    return KeyOutcome::Consumed;
  if (!IsCommandKey(key_code)) return KeyOutcome::PassOn;
  // With Alt held the key is also the system's (Alt+F4 closes the window). Otherwise the
  // focused control must not act again: Enter would click a focused button (a second search)
  // or pick the list's entry, Esc would restore the list's text, F4 would drop the list down.
  return (shift & kAltKey) != 0 ? KeyOutcome::PassOn : KeyOutcome::Consumed;
}

std::optional<int> SearchBar::HighlightOnListOpen() const {
  // As a list box finds an entry: the first that begins with the text, letters in any case.
  const std::string query = view_.QueryText();
  if (query.empty()) return std::nullopt;
  for (int i = 0; i < history_.Count(); ++i) {
    if (StartsWithIgnoringAsciiCase(history_.Item(i), query)) return i;
  }
  return std::nullopt;
}

KeyOutcome SearchBar::OnKeyPress(const KeyPress& key) {
  released_on_.reset();  // a click that follows comes from the keyboard
  if (composing_) return KeyOutcome::PassOn;
  if (key.list.open) {
    suggestions_.Close();  // the history list has the keys
  } else if (suggestions_.Shown()) {
    if (auto outcome = OnSuggestionKey(key)) return *outcome;
  }
  if (!IsCommandKey(key.key_code)) return KeyOutcome::PassOn;
  // Whatever the command, an answer still on its way is no longer wanted.
  suggestions_.Close();
  if (key.list.open) {
    // The highlighted entry is the query, as if it had been chosen; the list then goes away,
    // whatever the key does.
    std::optional<std::string> chosen;
    if (key.list.highlighted && *key.list.highlighted >= 0 &&
        *key.list.highlighted < history_.Count())
      chosen = history_.Item(*key.list.highlighted);
    view_.CloseHistoryList();
    if (chosen) view_.SetQueryText(*chosen);
  }
  Form_KeyDown(key.key_code, key.shift);
  return OutcomeOf(key.key_code, key.shift);
}

std::optional<KeyOutcome> SearchBar::OnSuggestionKey(const KeyPress& key) {
  const bool alt = (key.shift & kAltKey) != 0;
  switch (key.key_code) {
    case kKeyUp:
    case kKeyDown:
      if (alt) {
        suggestions_.Close();  // Alt+Down opens the history list instead
        return std::nullopt;
      }
      suggestions_.Move(key.key_code == kKeyDown ? 1 : -1);
      return KeyOutcome::Consumed;
    case kKeyEscape:
      // The first Esc only closes the list; the next one empties the box as ever.
      suggestions_.Close();
      return KeyOutcome::Consumed;
    case kKeyEnter:
    case kKeyF1:
    case kKeyF2:
    case kKeyF3:
    case kKeyF4:
      // The highlighted suggestion becomes the query; the key then searches it as usual.
      if (auto text = suggestions_.SearchTextOf(suggestions_.Highlighted()))
        view_.SetQueryText(*text);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void SearchBar::OnSuggestionRelease(std::optional<int> row) {
  // A suggestion is taken by a whole click on it: pressed and released over the same row.
  // Pressing, moving off and releasing elsewhere takes nothing.
  const std::optional<int> pressed = suggestion_pressed_;
  suggestion_pressed_.reset();
  if (!row || !pressed || *row != *pressed) return;
  const std::optional<std::string> text = suggestions_.SearchTextOf(*row);
  if (!text) return;
  view_.SetQueryText(*text);
  suggestions_.Close();
  Form_KeyDown(kKeyEnter, 0);
}

void SearchBar::OnDrop(DropTargetRef target, const DropData& data) {
  DropData dropped = data;
  // Text counts only when there is some, and not when it merely names the dropped files (file
  // managers offer the names as text besides the file list).
  if (dropped.text && (dropped.text->empty() || TextOnlyNamesFiles(*dropped.text, dropped.files)))
    dropped.text.reset();
  if (!dropped.text && !dropped.files.empty() &&
      IsDroppedDescriptionFileName(dropped.files.front()) &&
      OfferDroppedEngines(dropped.files.front()))
    return;
  if (target.kind == DropTargetKind::Button && !view_.IsButtonEnabled(target.button))
    target.kind = DropTargetKind::Window;
  switch (target.kind) {
    case DropTargetKind::Window:
      Form_OLEDragDrop(dropped);
      break;
    case DropTargetKind::QueryBox:
      Text1_OLEDragDrop(dropped);
      break;
    case DropTargetKind::Button:
      Command1_OLEDragDrop(target.button, dropped);
      break;
  }
}

}  // namespace velto
