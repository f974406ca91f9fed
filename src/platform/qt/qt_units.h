#pragma once
// Twips and texts across the Qt edge: the core measures in twips and speaks UTF-8; Qt lays out
// in logical pixels (15 twips each) and speaks QString.
#include <QRect>
#include <QString>
#include <cmath>
#include <string_view>

namespace velto {

inline constexpr float kTwipsPerPixel = 15.0f;

inline int Pixels(float twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline float Twips(int pixels) {
  return static_cast<float>(pixels) * kTwipsPerPixel;
}
// The pixel rectangle of a layout table's control (left, top, width and height in twips).
template <typename Control>
QRect PixelRect(const Control& c) {
  return {Pixels(static_cast<float>(c.left)), Pixels(static_cast<float>(c.top)),
          Pixels(static_cast<float>(c.width)), Pixels(static_cast<float>(c.height))};
}

inline QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace velto
