#pragma once
// What a screen reader is told about the search bar: the names of the controls that show no
// caption of their own, the roles of the windows, and the descriptions that say which keys do
// what. Both front ends apply these; neither makes up a name of its own.
#include <optional>
#include <string>
#include <string_view>

namespace velto {

// The query box shows no caption; a label no one sees names it.
inline constexpr std::string_view kQueryBoxName = "検索語";
inline constexpr std::string_view kQueryBoxDescription =
    "Enter で標準のボタンの検索、F1〜F4 でボタン1〜4 の検索、F5 で標準のボタンの切り替え、"
    "Esc で消去、Alt+↓ で履歴";
// The list of suggestions under the query box, and the fixed search menu.
inline constexpr std::string_view kSuggestionListName = "検索候補";
inline constexpr std::string_view kMenuName = "その他";

// How the windows present themselves: the bar is an application's main window, the settings
// window a dialog.
enum class AccessibleWindowRole { Frame, Dialog };
inline constexpr AccessibleWindowRole kSearchBarRole = AccessibleWindowRole::Frame;
inline constexpr AccessibleWindowRole kSettingsDialogRole = AccessibleWindowRole::Dialog;

// The description of button `index` of the Command1 array, given the button Enter clicks (none
// when Enter names no button): its function key, and Enter for the default one. Empty for a
// button no key reaches.
std::string ButtonDescription(int index, std::optional<int> enter_button);

}  // namespace velto
