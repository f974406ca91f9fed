#pragma once
// The settings dialog's commands: its buttons and its close box. A front end reports each
// click as one DialogCommand to SettingsDialog::OnCommand, finding a button's command from the
// layout table.
#include <optional>

#include "dialog/dialog_layout.h"
#include "main/key_codes.h"

namespace velto {

enum class DialogCommand {
  StoreSlot,        // 変更, Command5(0)
  DeleteSlot,       // 削除, Command5(1)
  ClearBoxes,       // クリア, Command5(2)
  Ok,               // Command1
  Cancel,           // キャンセル, Command2
  Help,             // ヘルプ, Command3
  RestoreDefaults,  // 標準に戻す, Command4 (its button is hidden)
  ImportEngines,    // 取り込み…, Command6
  CloseBox,         // the window's close box: like Cancel
};

// The command of a button of the layout table; nullopt for any other control.
constexpr std::optional<DialogCommand> CommandOfButton(const DialogControl& control) {
  if (control.kind != DialogControlKind::Button) return std::nullopt;
  if (control.parent == DialogParent::Frame2) {
    switch (control.index) {
      case 0:
        return DialogCommand::StoreSlot;
      case 1:
        return DialogCommand::DeleteSlot;
      case 2:
        return DialogCommand::ClearBoxes;
      default:
        return std::nullopt;
    }
  }
  switch (control.index) {
    case kOkButton:
      return DialogCommand::Ok;
    case kCancelButton:
      return DialogCommand::Cancel;
    case kHelpButton:
      return DialogCommand::Help;
    case kRestoreButton:
      return DialogCommand::RestoreDefaults;
    case kImportButton:
      return DialogCommand::ImportEngines;
    default:
      return std::nullopt;
  }
}

// The command of a key pressed anywhere in the dialog that no control used: Esc is キャンセル.
constexpr std::optional<DialogCommand> CommandOfKey(int key_code, int shift) {
  if (key_code == kKeyEscape && shift == 0) return DialogCommand::Cancel;
  return std::nullopt;
}

}  // namespace velto
