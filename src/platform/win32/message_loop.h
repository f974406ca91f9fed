#pragma once
// The program's message loop with key preview for the search bar.
#include <functional>

#include "platform/win32/search_bar_window.h"
#include "platform/win32/settings_dialog_window.h"

namespace velto::win32 {

// One message: key preview first, then dialog navigation or the usual translation and dispatch.
void ProcessMessage(SearchBarWindow& bar, MSG& message, SettingsDialogWindow* dialog = nullptr);

// Runs until the search bar is destroyed; returns the exit code of WM_QUIT. The settings
// dialog, when given, gets its own keyboard navigation. when_idle runs once, the first time
// the queue is empty: after the first paint and whatever was waiting.
int RunMessageLoop(SearchBarWindow& bar, SettingsDialogWindow* dialog = nullptr,
                   const std::function<void()>& when_idle = {});

}  // namespace velto::win32
