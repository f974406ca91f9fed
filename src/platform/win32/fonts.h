#pragma once
// Fonts of the search bar's layout, sized in points at the window's DPI.
#include <windows.h>

#include "main/search_bar_layout.h"
#include "platform/win32/handles.h"

namespace velto::win32 {

UniqueFont CreateFontFromSpec(const BarFontSpec& font, int dpi);

}  // namespace velto::win32
