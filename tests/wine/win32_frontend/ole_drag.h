#pragma once
// A real OLE drag from this process: text and files offered as CF_UNICODETEXT and CF_HDROP,
// dragged to a point on the screen and dropped there, as a file manager or an editor would.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Moves the pointer to (x, y) and drags the data there; true when the target took the drop.
bool DragAndDrop(POINT at, const std::optional<std::wstring>& text,
                 const std::vector<std::wstring>& files);
