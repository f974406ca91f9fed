#pragma once
// Control ids of the settings dialog window. They stay clear of IDOK and IDCANCEL, which the
// dialog navigation sends for Enter and Esc: the dialog has no default or cancel button. This
// header needs nothing else, so programs that drive the dialog from outside can include it.
namespace velto::win32 {

inline constexpr wchar_t kSettingsDialogClassName[] = L"VeltoSettingsDialog";

inline constexpr int kSelectorIdBase = 300;    // Combo1(i): kSelectorIdBase + i
inline constexpr int kEditBoxIdBase = 310;     // Text1(i)
inline constexpr int kEditButtonIdBase = 320;  // Command5(i): 変更, 削除, クリア
inline constexpr int kCommandIdBase = 330;     // Command1..Command4: kCommandIdBase + n
inline constexpr int kCheckBoxId = 340;        // Check1
inline constexpr int kLabelIdBase = 350;       // Label1(i)
inline constexpr int kFrameIdBase = 360;       // Frame1, Frame2: kFrameIdBase + n

}  // namespace velto::win32
