#pragma once
// Fonts of the search bar, sized in points at the layout DPI.
#include <windows.h>

#include "platform/win32/handles.h"

namespace velto::win32 {

struct FontSpec {
  const wchar_t* face;
  int points;
  int weight;  // FW_NORMAL (400), FW_BOLD (700)
  BYTE charset;
};

UniqueFont CreateFontFromSpec(const FontSpec& font, int dpi);

}  // namespace velto::win32
