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

// The keys and modifiers as written, whether or not the key may be taken.
std::optional<HotKey> ParseKeyText(std::string_view text) {
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

// F13 to F24 and Pause, which no program expects to be typed, may be taken without a modifier;
// any other key needs Ctrl, Alt or Win.
bool MayBeTaken(const HotKey& key) {
  constexpr unsigned kTaking = kHotKeyCtrl | kHotKeyAlt | kHotKeyWin;
  constexpr int kF13 = 0x7C, kF24 = 0x87, kPause = 0x13;
  return (key.modifiers & kTaking) != 0 || (key.key >= kF13 && key.key <= kF24) ||
         key.key == kPause;
}

std::string_view SettingName(HotKeyRole role) {
  return role == HotKeyRole::Focus ? kHotKeyName : kSelectionHotKeyName;
}

}  // namespace

std::optional<HotKey> ParseHotKey(std::string_view text) {
  auto key = ParseKeyText(text);
  if (key && !MayBeTaken(*key)) return std::nullopt;
  return key;
}

HotKeys LoadHotKeys(const SettingsStore& store) {
  HotKeys keys;
  const auto read = [&](HotKeyRole role, std::string_view fallback) -> std::optional<HotKey> {
    const auto stored = store.FindSetting("Velto", SettingName(role));
    const std::string text = stored ? *stored : std::string(fallback);
    if (TrimBlanks(text).empty()) return std::nullopt;  // turned off
    const auto written = ParseKeyText(text);
    const std::string setting = "velto: " + std::string(SettingName(role)) + " \"" + text + "\" ";
    if (!written) {
      keys.skipped.push_back(setting + "is no key; skipped");
    } else if (!MayBeTaken(*written)) {
      keys.skipped.push_back(setting +
                             "needs Ctrl, Alt or Win (alone, it would take the key from every "
                             "program; only F13-F24 and Pause may stand alone); skipped");
      return std::nullopt;
    }
    return written;
  };
  keys.focus = read(HotKeyRole::Focus, kDefaultHotKey);
  keys.selection = read(HotKeyRole::SearchSelection, kDefaultSelectionHotKey);
  return keys;
}

std::string HeldHotKeyMessage(HotKeyRole role) {
  return "velto: " + std::string(SettingName(role)) + " is held by another program; skipped";
}

std::optional<BarCommand> CommandForHotKey(HotKeyRole role, std::string selection) {
  if (role == HotKeyRole::Focus) return BarCommand{BarCommand::Kind::Focus, {}};
  if (selection.find_first_not_of(" \t\r\n") == std::string::npos) return std::nullopt;
  return BarCommand{BarCommand::Kind::SearchSelection, std::move(selection)};
}

}  // namespace velto
