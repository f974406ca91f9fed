#include "main/unreadable_settings.h"

#include "settings/path_text.h"

namespace velto {

std::string UnreadableSettingsMessage(const FilePath& settings_path) {
  return "設定ファイルを読み込めません。\n" + Utf8FromFilePath(settings_path) +
         "\n\n検索サイトの設定がないまま起動します。この設定ファイルには書き込みません。";
}

std::optional<std::string> CommandSettingsProblem(const std::optional<BarCommand>& command,
                                                  const SettingsStore& store) {
  // Bringing the bar forward needs no engines; a search does.
  if (!command || command->kind == BarCommand::Kind::Focus) return std::nullopt;
  if (!store.SettingsFileUnreadable()) return std::nullopt;
  return "cannot read the settings file " + Utf8FromFilePath(store.SettingsPath()) +
         "; nothing was searched";
}

}  // namespace velto
