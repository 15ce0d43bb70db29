// Dialog layout in 96-DPI units: scaling to the window's DPI, the alignment of controls
// inside their containers, and the splitter's size rule. The window side supplies the
// areas only Win32 knows (a tab control's page area, a group box's frame).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/function_ref.h"
#include "platform/types.h"

namespace rimfold {

inline constexpr int kDesignDpi = 96;

// Units to pixels at dpi and back, rounded half away from zero as MulDiv rounds.
int scaleToDpi(int units, int dpi);
int unscaleFromDpi(int pixels, int dpi);

enum class Align : std::uint8_t {
  None,     // at x, y (from the parent's origin), width x height
  Top,      // stacked from the top of the parent's interior, full width, height high
  Client,   // the rest of the parent's interior
  Overlay,  // the rest of the parent's interior, left to the next one too (tab pages)
};

struct LayoutNode {
  int parent;  // index of the containing node (earlier in the list), -1 for the form
  Align align;
  int x, y, width, height;  // 96-DPI units
};

// The nodes' rectangles in the form's client coordinates. Top-aligned nodes take the
// parent's interior from the top in list order, a Client-aligned one what is left; no
// rectangle is inverted when the space runs out. interiorOf(i, rect) is the area inside
// node i where its aligned children go.
std::vector<TRect> layoutControls(std::span<const LayoutNode> nodes, const TRect& client, int dpi,
                                  FunctionRef<TRect(std::size_t, const TRect&)> interiorOf);

// A splitter dragged to newSize (units) for the control above it: the size it takes,
// or nothing when it keeps its size. The control keeps more than minSize, and the
// control below at least minSize (maxSize is the most the one above can take).
inline constexpr int kSplitterMinSize = 100;
std::optional<int> splitterNewSize(int newSize, int maxSize, int minSize = kSplitterMinSize);
// Toolbar rows: buttons of the given widths (pixels) packed from the left into rows of
// width pixels, in order. A separator that would begin or end a row is dropped (row -1),
// a button wider than a row has a row of its own. rowOf[i] is item i's row.
struct ToolItem {
  int width;
  bool separator;
};
struct ToolRows {
  std::vector<int> rowOf;
  int rows = 1;
};
ToolRows wrapToolItems(std::span<const ToolItem> items, int width);

// The size the control above keeps when shared units lie above and below the splitter:
// the one below gets at least minSize, as a drag leaves it; never negative.
int limitedUpperSize(int size, int shared, int minSize = kSplitterMinSize);

}  // namespace rimfold
