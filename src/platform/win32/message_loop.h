#pragma once
// The program's message loop with key preview for the search bar.
#include "platform/win32/search_bar_window.h"
#include "platform/win32/settings_dialog_window.h"

namespace velto::win32 {

// One message: key preview first, then dialog navigation or the usual translation and dispatch.
void ProcessMessage(SearchBarWindow& bar, MSG& message, SettingsDialogWindow* dialog = nullptr);

// Runs until the search bar is destroyed; returns the exit code of WM_QUIT. The settings
// dialog, when given, gets its own keyboard navigation.
int RunMessageLoop(SearchBarWindow& bar, SettingsDialogWindow* dialog = nullptr);

}  // namespace velto::win32
