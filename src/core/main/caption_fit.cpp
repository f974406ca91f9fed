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
  return limit;
}

int FittedWidth(int left, int width, int needed, int limit) {
  return std::max(0, std::min(std::max(width, needed), limit - left));
}

std::string FitCaption(std::string_view caption, int room,
                       const std::function<int(std::string_view)>& width) {
  if (width(caption) <= room) return std::string(caption);
  // Cut only between characters: never before a UTF-8 continuation byte.
  std::size_t keep = caption.size();
  while (keep > 0) {
    do --keep;
    while (keep > 0 && (static_cast<unsigned char>(caption[keep]) & 0xC0) == 0x80);
    std::string_view head = caption.substr(0, keep);
    while (!head.empty() && (head.back() == ' ' || head.back() == '\t')) head.remove_suffix(1);
    std::string shown = std::string(head) + std::string(kEllipsis);
    if (!head.empty() && width(shown) <= room) return shown;
  }
  return std::string(kEllipsis);
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
