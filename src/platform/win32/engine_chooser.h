#pragma once
// The modal window that offers engines with check boxes: the prompt, the rows (each checked at
// first), the note, OK and キャンセル. Space checks the focused row, Enter is OK, Esc キャンセル.
#include <windows.h>

#include <optional>
#include <vector>

#include "ports/engine_sources.h"

namespace velto::win32 {

// One flag per row, or nullopt when the user cancelled or closed the window. The owner (may be
// null) is disabled while it is shown and gets the focus back afterwards.
std::optional<std::vector<bool>> AskForEngines(HWND owner, const EngineChoice& choice);

}  // namespace velto::win32
