#pragma once
// The global keys of [Velto]: HotKey brings the bar forward, SelectionHotKey searches the
// selected text with the default button. A key is written as modifiers and one key joined by
// "+", for example "Ctrl+Alt+V"; an empty value turns it off. The front ends take the keys
// from the system (RegisterHotKey, X11 key grabs) and report presses back here.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "main/bar_command.h"
#include "settings/settings_store.h"

namespace velto {

// Modifier bits of a hot key.
inline constexpr unsigned kHotKeyShift = 1;
inline constexpr unsigned kHotKeyCtrl = 2;
inline constexpr unsigned kHotKeyAlt = 4;
inline constexpr unsigned kHotKeyWin = 8;  // the Windows key, Super on Linux

struct HotKey {
  unsigned modifiers = 0;
  int key = 0;  // a Windows virtual-key code: 'A'..'Z', '0'..'9', F1..F24, Space, arrows, ...

  bool operator==(const HotKey&) const = default;
};

// Names are matched without regard to case, blanks around them ignored: modifiers Ctrl
// (Control), Alt, Shift, Win (Super, Meta), then one key: a letter, a digit, F1 to F24, Space,
// Insert, Delete, Home, End, PageUp, PageDown, Left, Up, Right, Down or Pause. A global key
// takes its key from every other program, so it needs Ctrl, Alt or Win (Shift alone is not
// enough); only F13 to F24 and Pause, which no one types with, may stand alone. nullopt for an
// empty text (the key is off) and for anything else (a key that cannot be taken is skipped).
std::optional<HotKey> ParseHotKey(std::string_view text);

inline constexpr std::string_view kHotKeyName = "HotKey";
inline constexpr std::string_view kSelectionHotKeyName = "SelectionHotKey";
// Used when the settings file has no such key at all.
inline constexpr std::string_view kDefaultHotKey = "Ctrl+Alt+Space";
inline constexpr std::string_view kDefaultSelectionHotKey = "Ctrl+Alt+Shift+Space";

enum class HotKeyRole { Focus, SearchSelection };

struct HotKeys {
  std::optional<HotKey> focus;
  std::optional<HotKey> selection;
  // One line for each key that is set but cannot be taken, for stderr (Linux) or the debugger's
  // output (Windows).
  std::vector<std::string> skipped;
};

// The two keys as the settings file holds them, the defaults for missing ones.
HotKeys LoadHotKeys(const SettingsStore& store);

// The line for a key the system refused: another program holds it.
std::string HeldHotKeyMessage(HotKeyRole role);

// What a press of the key does: Focus, or a search of the selected text; nothing for a
// selection with no more than blanks and line breaks.
std::optional<BarCommand> CommandForHotKey(HotKeyRole role, std::string selection);

}  // namespace velto
