#include "main/caption_fit.h"

#include <algorithm>
#include <array>

#include "dialog/dialog_layout.h"
#include "main/search_bar_layout.h"

namespace velto {

namespace {

// Controls inside a frame keep clear of its border.
constexpr int kFrameInsetTwips = 60;

int ParentNumber(DialogParent parent) {
  return static_cast<int>(parent);
}

const DialogControl& DialogFrame(int number) {
  return *std::find_if(kDialogControls.begin(), kDialogControls.end(), [number](const auto& c) {
    return c.kind == DialogControlKind::Frame && c.index == number;
  });
}

}  // namespace

int GrowLimit(std::span<const LayoutBox> boxes, std::size_t index, int parent_right) {
  const LayoutBox& self = boxes[index];
  int limit = parent_right;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const LayoutBox& other = boxes[i];
    if (i == index || other.parent != self.parent || other.left <= self.left) continue;
    const bool shares_rows =
        other.top < self.top + self.height && self.top < other.top + other.height;
    if (shares_rows) limit = std::min(limit, other.left);
  }
  return std::max(limit, self.left + self.width);
}

int FittedWidth(int left, int width, int needed, int limit) {
  if (needed <= width) return width;
  return std::max(width, std::min(needed, limit - left));
}

int BarGrowLimit(std::size_t index) {
  std::array<LayoutBox, kBarControls.size()> boxes{};
  std::transform(kBarControls.begin(), kBarControls.end(), boxes.begin(), [](const auto& c) {
    return LayoutBox{c.left, c.top, c.width, c.height, 0};
  });
  return GrowLimit(boxes, index, kBarClientWidth);
}

int DialogGrowLimit(std::size_t index) {
  std::array<LayoutBox, kDialogControlCount> boxes{};
  std::transform(kDialogControls.begin(), kDialogControls.end(), boxes.begin(), [](const auto& c) {
    return LayoutBox{c.left, c.top, c.width, c.height, ParentNumber(c.parent)};
  });
  const DialogParent parent = kDialogControls[index].parent;
  int right = kDialogClientWidth;
  if (parent == DialogParent::Frame1) right = DialogFrame(1).width - kFrameInsetTwips;
  if (parent == DialogParent::Frame2) right = DialogFrame(2).width - kFrameInsetTwips;
  return GrowLimit(boxes, index, right);
}

}  // namespace velto
