#pragma once
// Offering found engines to the user, from the settings dialog's 取り込み button and from an
// OpenSearch file dropped on the bar: the engines that could go into the engine table are shown
// with check boxes, and the chosen ones fill the free slots from the lowest, in the settings
// file first and then in the model. A filled slot is never overwritten.
#include <string_view>

#include "ports/platform.h"
#include "settings/found_engines.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"

namespace velto {

inline constexpr std::string_view kImportTitle = "サーチエンジンの取り込み";
inline constexpr std::string_view kImportPrompt =
    "追加するサーチエンジンを選んでください。空いている番号に順に入ります。";
inline constexpr std::string_view kNothingToImportMessage =
    "取り込めるサーチエンジンが見つかりませんでした。";
inline constexpr std::string_view kNoFreeSlotMessage =
    "サーチエンジンの登録がいっぱいです。削除してから取り込んでください。";
// Followed by the settings file's path.
inline constexpr std::string_view kImportWriteFailedMessage =
    "設定ファイルに書き込めませんでした: ";

struct ImportTarget {
  Platform& platform;
  WindowRole owner;
  const SettingsStore& store;
  SettingsModel& model;
};

// Asks which of the found engines to add and adds them; the number of slots filled. Tells the
// user when there is nothing to offer or the file cannot be written.
int OfferEngineImport(const ImportTarget& target, const FoundEngines& found);

}  // namespace velto
