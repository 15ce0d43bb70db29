#include "ui/model/dialog_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace rimfold {
namespace {

TEST(DialogLayout, ScalingRoundsHalfAwayFromZeroBothWays) {
  struct Case {
    int units, dpi, pixels;
  };
  const Case cases[] = {
      {435, 96, 435},  {435, 120, 544},  // 543.75
      {435, 144, 653},                   // 652.5
      {435, 168, 761},                   // 761.25
      {435, 192, 870}, {101, 120, 126},  // 126.25
      {13, 144, 20},                     // 19.5
      {-3, 144, -5},                     // -4.5: a drag upwards
      {5, 168, 9},                       // 8.75
  };
  for (const Case& c : cases) {
    EXPECT_EQ(scaleToDpi(c.units, c.dpi), c.pixels) << c.units << " at " << c.dpi;
  }
  // Back to units: the stored size of a window laid out at 125 % and 150 %.
  EXPECT_EQ(unscaleFromDpi(544, 120), 435);  // 435.2
  EXPECT_EQ(unscaleFromDpi(653, 144), 435);  // 435.33
  EXPECT_EQ(unscaleFromDpi(-7, 168), -4);    // -4.0
  EXPECT_EQ(unscaleFromDpi(126, 120), 101);  // 100.8
}

TEST(DialogLayout, TopStacksClientFillsNoneIsPlacedFromTheParentOrigin) {
  // form 300 x 200: a toolbar (Top 24), a group (Top 100) holding two pages (Overlay)
  // inside its 10-pixel frame, the rest (Client) holding a box at (5, 6) of 40 x 20.
  const std::vector<LayoutNode> nodes = {
      {-1, Align::Top, 0, 0, 0, 24},   {-1, Align::Top, 0, 0, 0, 100},
      {1, Align::Overlay, 0, 0, 0, 0}, {-1, Align::Client, 0, 0, 0, 0},
      {3, Align::None, 5, 6, 40, 20},  {-1, Align::Top, 0, 0, 0, 50},  // no room left
      {1, Align::Overlay, 0, 0, 0, 0},
  };
  const auto frame = [](std::size_t, const TRect& r) {
    return TRect{r.Left + 10, r.Top + 10, r.Right - 10, r.Bottom - 10};
  };
  struct Case {
    int dpi;
    std::vector<TRect> expected;
  };
  const Case cases[] = {
      {96,
       {{0, 0, 300, 24},
        {0, 24, 300, 124},
        {10, 34, 290, 114},
        {0, 124, 300, 200},
        {5, 130, 45, 150},
        {0, 200, 300, 200},
        {10, 34, 290, 114}}},
      {144,
       {{0, 0, 300, 36},
        {0, 36, 300, 186},
        {10, 46, 290, 176},
        {0, 186, 300, 200},
        {8, 195, 68, 225},
        {0, 200, 300, 200},
        {10, 46, 290, 176}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(layoutControls(nodes, {0, 0, 300, 200}, c.dpi, frame), c.expected) << c.dpi;
  }
}

TEST(DialogLayout, SplitterKeepsTheUpperAboveAndTheLowerAtTheMinimum) {
  struct Case {
    int requested, maxSize;
    std::optional<int> taken;
  };
  const Case cases[] = {
      {100, 300, std::nullopt},  // the minimum itself is refused
      {101, 300, 101},          {250, 300, 250},
      {400, 300, 300},          // the lower one keeps its minimum
      {150, 90, std::nullopt},  // no room for both minimums
  };
  for (const Case& c : cases) {
    EXPECT_EQ(splitterNewSize(c.requested, c.maxSize), c.taken) << c.requested;
  }
}

// Buttons a, separator, b, c: a separator at a break is dropped, not carried over.
TEST(DialogLayout, ToolbarRowsBreakWhereTheNextButtonNoLongerFits) {
  const ToolItem items[] = {{60, false}, {8, true}, {30, false}, {40, false}};
  struct Case {
    int width;
    std::vector<int> rowOf;
  };
  const Case cases[] = {
      {138, {0, 0, 0, 0}},                      // exactly wide enough
      {137, {0, 0, 0, 1}}, {98, {0, 0, 0, 1}},  // b just fits behind the separator
      {97, {0, -1, 1, 1}},                      // the separator would end the first row
      {35, {0, -1, 1, 2}},                      // a wider than a row: a row of its own
  };
  for (const Case& c : cases) {
    const ToolRows rows = wrapToolItems(items, c.width);
    EXPECT_EQ(rows.rowOf, c.rowOf) << c.width;
    EXPECT_EQ(rows.rows, c.rowOf.back() + 1) << c.width;
  }
}

}  // namespace
}  // namespace rimfold
