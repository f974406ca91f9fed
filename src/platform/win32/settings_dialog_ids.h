#pragma once
// Control ids of the settings dialog window. They stay clear of IDOK and IDCANCEL, which the
// dialog navigation sends for Enter and Esc: the dialog has no default or cancel button. This
// header needs no system header, so programs that drive the dialog from outside can include it.
#include "dialog/dialog_layout.h"

namespace velto::win32 {

inline constexpr wchar_t kSettingsDialogClassName[] = L"VeltoSettingsDialog";

inline constexpr int kSelectorIdBase = 300;    // Combo1(i): kSelectorIdBase + i
inline constexpr int kEditBoxIdBase = 310;     // Text1(i)
inline constexpr int kEditButtonIdBase = 320;  // Command5(i): 変更, 削除, クリア
inline constexpr int kCommandIdBase = 330;     // Command1..Command4: kCommandIdBase + n
inline constexpr int kCheckBoxId = 340;        // Check1; Check2 is kCheckBoxId + 1
inline constexpr int kLabelIdBase = 350;       // Label1(i)
inline constexpr int kFrameIdBase = 360;       // Frame1, Frame2: kFrameIdBase + n
// The labels of no size that name the controls no label of the layout stands beside.
inline constexpr int kUnseenLabelIdBase = 370;

// The id of a control of the dialog's layout table.
inline constexpr int ControlId(const DialogControl& control) {
  switch (control.kind) {
    case DialogControlKind::Frame:
      return kFrameIdBase + control.index;
    case DialogControlKind::Label:
      return kLabelIdBase + control.index;
    case DialogControlKind::Selector:
      return kSelectorIdBase + control.index;
    case DialogControlKind::EditBox:
      return kEditBoxIdBase + control.index;
    case DialogControlKind::CheckBox:
      return kCheckBoxId + control.index;
    case DialogControlKind::Button:
      return control.parent == DialogParent::Frame2 ? kEditButtonIdBase + control.index
                                                    : kCommandIdBase + control.index;
  }
  return 0;
}

}  // namespace velto::win32
