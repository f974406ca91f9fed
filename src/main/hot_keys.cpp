#include "main/hot_keys.h"

#include <array>
#include <utility>

#include "settings/ascii_text.h"

namespace velto {
namespace {

std::optional<unsigned> ModifierNamed(std::string_view name) {
  constexpr std::array<std::pair<std::string_view, unsigned>, 7> kModifiers{
      {{"ctrl", kHotKeyCtrl},
       {"control", kHotKeyCtrl},
       {"alt", kHotKeyAlt},
       {"shift", kHotKeyShift},
       {"win", kHotKeyWin},
       {"super", kHotKeyWin},
       {"meta", kHotKeyWin}}};
  for (const auto& [text, bit] : kModifiers)
    if (EqualsIgnoringAsciiCase(name, text)) return bit;
  return std::nullopt;
}

std::optional<int> KeyNamed(std::string_view name) {
  if (name.size() == 1) {
    const char c = AsciiLower(name[0]);
    if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
    if (c >= '0' && c <= '9') return c;
    return std::nullopt;
  }
  if (name.size() <= 3 && AsciiLower(name[0]) == 'f') {
    int number = 0;
    for (const char c : name.substr(1)) {
      if (c < '0' || c > '9') return std::nullopt;
      number = number * 10 + (c - '0');
    }
    if (name[1] != '0' && number >= 1 && number <= 24) return 0x70 + number - 1;  // VK_F1..
    return std::nullopt;
  }
  constexpr std::array<std::pair<std::string_view, int>, 12> kNamed{{{"space", 0x20},
                                                                     {"pageup", 0x21},
                                                                     {"pagedown", 0x22},
                                                                     {"end", 0x23},
                                                                     {"home", 0x24},
                                                                     {"left", 0x25},
                                                                     {"up", 0x26},
                                                                     {"right", 0x27},
                                                                     {"down", 0x28},
                                                                     {"insert", 0x2D},
                                                                     {"delete", 0x2E},
                                                                     {"pause", 0x13}}};
  for (const auto& [text, code] : kNamed)
    if (EqualsIgnoringAsciiCase(name, text)) return code;
  return std::nullopt;
}

}  // namespace

std::optional<HotKey> ParseHotKey(std::string_view text) {
  HotKey hot_key;
  std::string_view rest = text;
  for (;;) {
    const std::size_t plus = rest.find('+');
    const std::string_view name = TrimBlanks(rest.substr(0, plus));
    if (plus == std::string_view::npos) {
      const auto key = KeyNamed(name);
      if (!key) return std::nullopt;
      hot_key.key = *key;
      return hot_key;
    }
    const auto modifier = ModifierNamed(name);
    if (!modifier || (hot_key.modifiers & *modifier) != 0) return std::nullopt;
    hot_key.modifiers |= *modifier;
    rest.remove_prefix(plus + 1);
  }
}

HotKeys LoadHotKeys(const SettingsStore& store) {
  const auto read = [&store](std::string_view key, std::string_view fallback) {
    const auto stored = store.FindSetting("Velto", key);
    return ParseHotKey(stored ? *stored : fallback);
  };
  return {read(kHotKeyName, kDefaultHotKey), read(kSelectionHotKeyName, kDefaultSelectionHotKey)};
}

std::optional<BarCommand> CommandForHotKey(HotKeyRole role, std::string selection) {
  if (role == HotKeyRole::Focus) return BarCommand{BarCommand::Kind::Focus, {}};
  if (selection.find_first_not_of(" \t\r\n") == std::string::npos) return std::nullopt;
  return BarCommand{BarCommand::Kind::SearchSelection, std::move(selection)};
}

}  // namespace velto
