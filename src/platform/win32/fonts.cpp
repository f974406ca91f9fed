#include "platform/win32/fonts.h"

namespace velto::win32 {

UniqueFont CreateFontFromSpec(const FontSpec& font, int dpi) {
  // A negative height asks for the character height, which is what a point size means.
  const int height = -MulDiv(font.points, dpi, 72);
  return UniqueFont(CreateFontW(height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, font.charset,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, font.face));
}

}  // namespace velto::win32
