#pragma once
// The program's message loop with key preview for the search bar.
#include "platform/win32/search_bar_window.h"

namespace velto::win32 {

// Runs until the search bar is destroyed; returns the exit code of WM_QUIT.
int RunMessageLoop(SearchBarWindow& bar);

}  // namespace velto::win32
