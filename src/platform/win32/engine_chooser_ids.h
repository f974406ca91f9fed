#pragma once
// The window that asks which engines to import, as programs that drive it from outside find it.
// This header needs no system header.

namespace velto::win32 {

inline constexpr wchar_t kEngineChooserClassName[] = L"VeltoEngineChooser";
inline constexpr int kEngineChooserListId = 100;  // the rows; OK and キャンセル are IDOK, IDCANCEL

}  // namespace velto::win32
