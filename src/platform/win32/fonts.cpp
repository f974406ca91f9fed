#include "platform/win32/fonts.h"

#include <string>

#include "platform/win32/wide_text.h"

namespace velto::win32 {

UniqueFont CreateFontFromSpec(const BarFontSpec& font, int dpi) {
  // A negative height asks for the character height, which is what a point size means.
  const int height = -MulDiv(font.points, dpi, 72);
  const std::wstring face = WideFromUtf8(std::string(font.face));
  return UniqueFont(CreateFontW(height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                                static_cast<BYTE>(font.charset), OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                face.c_str()));
}

}  // namespace velto::win32
