#include "ui/model/dialog_layout.h"

#include <algorithm>
#include <cstdlib>

namespace rimfold {

namespace {

int mulDiv(int value, int numerator, int denominator) {
  if (denominator == 0) return value;
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const std::int64_t divisor = std::abs(static_cast<std::int64_t>(denominator));
  const std::int64_t magnitude = (std::abs(product) + divisor / 2) / divisor;
  return static_cast<int>((product < 0) != (denominator < 0) ? -magnitude : magnitude);
}

}  // namespace

int scaleToDpi(int units, int dpi) { return mulDiv(units, dpi, kDesignDpi); }

int unscaleFromDpi(int pixels, int dpi) { return mulDiv(pixels, kDesignDpi, dpi); }

std::vector<TRect> layoutControls(std::span<const LayoutNode> nodes, const TRect& client, int dpi,
                                  FunctionRef<TRect(std::size_t, const TRect&)> interiorOf) {
  std::vector<TRect> rects(nodes.size());
  // What each container (and the form, last slot) has left for aligned children.
  std::vector<std::optional<TRect>> free(nodes.size() + 1);
  free[nodes.size()] = client;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const LayoutNode& n = nodes[i];
    const bool inForm = n.parent < 0 || static_cast<std::size_t>(n.parent) >= i;
    const std::size_t slot = inForm ? nodes.size() : static_cast<std::size_t>(n.parent);
    const TRect origin = inForm ? client : rects[slot];
    if (n.align == Align::None) {
      const std::int32_t left = origin.Left + scaleToDpi(n.x, dpi);
      const std::int32_t top = origin.Top + scaleToDpi(n.y, dpi);
      rects[i] = {left, top, left + scaleToDpi(n.width, dpi), top + scaleToDpi(n.height, dpi)};
      continue;
    }
    if (!free[slot]) free[slot] = interiorOf(slot, rects[slot]);
    TRect& area = *free[slot];
    area.Bottom = std::max(area.Bottom, area.Top);
    area.Right = std::max(area.Right, area.Left);
    if (n.align == Align::Top) {
      const std::int32_t bottom = std::min(area.Bottom, area.Top + scaleToDpi(n.height, dpi));
      rects[i] = {area.Left, area.Top, area.Right, bottom};
      area.Top = bottom;
    } else {
      rects[i] = area;
      if (n.align == Align::Client) area.Top = area.Bottom;
    }
  }
  return rects;
}

std::optional<int> splitterNewSize(int newSize, int maxSize, int minSize) {
  const int size = std::min(newSize, maxSize);
  // SplitterCanResize: only sizes above the minimum are accepted.
  if (size <= minSize) return std::nullopt;
  return size;
}

ToolRows wrapToolItems(std::span<const ToolItem> items, int width) {
  ToolRows out;
  out.rowOf.assign(items.size(), -1);
  int row = 0;
  int x = 0;
  constexpr std::size_t kNone = ~std::size_t{0};
  std::size_t separator = kNone;  // waits for the button after it
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].separator) {
      if (x > 0) separator = i;
      continue;
    }
    const int gap = separator != kNone ? items[separator].width : 0;
    if (x > 0 && x + gap + items[i].width > width) {
      ++row;
      x = 0;
    } else if (separator != kNone) {
      out.rowOf[separator] = row;
      x += gap;
    }
    separator = kNone;
    out.rowOf[i] = row;
    x += items[i].width;
  }
  out.rows = row + 1;
  return out;
}

int limitedUpperSize(int size, int shared, int minSize) {
  return std::max(0, std::min(size, shared - minSize));
}

}  // namespace rimfold
