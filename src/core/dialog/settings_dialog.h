#pragma once
// The settings dialog's behaviour: loading it from the settings model, editing the engine
// table, and its commands. Front ends forward the dialog window's events here (see
// settings_dialog_view.h for what they must do); the search bar opens it through
// SettingsDialogLauncher.
//
// A selector can be left without a selection when a stored value was out of range at load.
// The commands that need its position then leave the matching setting as it is: "変更" and
// "削除" change no slot and write nothing (the focus moves to the slot selector, so the user
// sees what is missing), and OK keeps that one setting's current value while it takes over
// everything else. Nothing is ever indexed with a missing selection.
#include <optional>
#include <string>
#include <string_view>

#include "dialog/dialog_commands.h"
#include "ports/platform.h"
#include "ports/search_bar_view.h"
#include "ports/settings_dialog_host.h"
#include "ports/settings_dialog_view.h"
#include "settings/file_path.h"

namespace velto {

inline constexpr std::string_view kAppTitle = "ヴェルト";
inline constexpr std::string_view kMissingEngineMessage =
    "検索サイトの名前とエンジンのURLを入力してください。";
// Followed by the character's code, for example "U+1F600".
inline constexpr std::string_view kUnstorableNameMessage =
    "検索サイトの名前に、設定ファイルに保存できない文字があります: ";
inline constexpr std::string_view kUnstorableKeywordMessage =
    "キーワードに、設定ファイルに保存できない文字があります: ";
inline constexpr std::string_view kInvalidKeywordMessage =
    "キーワードは空白を含まない一語にしてください。";
// Followed by the other engine's name and kKeywordInUseEnd.
inline constexpr std::string_view kKeywordInUseStart = "このキーワードはすでに「";
inline constexpr std::string_view kKeywordInUseEnd =
    "」で使われています。別のキーワードにしてください。";
inline constexpr std::string_view kRestoreMessage =
    "サーチエンジンの登録データを最初の状態に戻します。";
inline constexpr std::string_view kRestoreCaption = "注意";
inline constexpr std::string_view kHelpFileName = "Help.html";

// What an edit box shows before the dialog has filled it (and keeps for a missing slot).
inline constexpr std::string_view kNamePlaceholder = "ボタン名";
inline constexpr std::string_view kHomePlaceholder = "ホームページ";
inline constexpr std::string_view kEnginePlaceholder = "サーチエンジン";

class SettingsDialog final : public SettingsDialogLauncher {
 public:
  // The search bar gives the settings model, the store, its window and its labelling; the
  // dialog keeps references to all three arguments.
  SettingsDialog(SettingsDialogHost& bar, SettingsDialogView& view, Platform& platform);

  // Menu entry "設定": loads the dialog when it is not loaded (Form_Load), otherwise places it
  // beside the search bar again and brings it to the front.
  void ShowSettingsDialog() override;
  bool IsLoaded() const { return loaded_; }
  // Ends the dialog without taking anything over. Cancel and the close box do this; the front
  // end calls it when the search bar closes, before the program ends.
  void Unload();

  // Selection change in Combo1(index) made by the user.
  void Combo1_Click(int index);
  // A click on one of the dialog's buttons, or on its close box.
  void OnCommand(DialogCommand command);
  // A key pressed in Text1(index). True when the dialog used the key (Enter).
  bool Text1_KeyDown(int index, int key_code, int shift);

  // Where ヘルプ points: Help.html in the platform's help folder (normally the program folder).
  FilePath HelpPath() const;

 private:
  void Form_Load();
  void Command1_Click();                       // OK
  void Command3_Click();                       // ヘルプ
  void Command4_Click();                       // 標準に戻す
  void Command5_Click(DialogCommand command);  // 変更, 削除, クリア
  void Command6_Click();                       // 取り込み…
  // The selected position of a selector, when it names one of its entries.
  std::optional<int> SelectedPosition(int selector) const;
  void PlaceBesideSearchBar();
  void ResetControls();
  void ShowSlot(int slot);
  void StoreSlot();
  // The character set and blank form chosen for the slot, into the model; true when either
  // changed. A selector without a selection leaves its setting as it is.
  bool TakeQueryEncoding(int slot);
  // Whether the keyword may be stored in the slot; shows why not otherwise.
  bool AcceptKeyword(int slot, std::string_view keyword);
  void DeleteSlot();
  void FinishSlotChange(int slot, bool suggest_changed);

  SettingsDialogHost& bar_;
  SettingsDialogView& view_;
  Platform& platform_;
  bool loaded_ = false;
};

}  // namespace velto
