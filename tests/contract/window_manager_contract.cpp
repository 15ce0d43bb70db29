#include "contract/window_manager_contract.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace rimfold::contract {

std::string kindName(const ::testing::TestParamInfo<DesktopKind>& info) { return info.param.name; }

void WindowManagerContract::SetUp() {
  desktop_ = GetParam().make();
  std::vector<Hmonitor> handles;
  windows().enumDisplayMonitors(handles);
  for (Hmonitor h : handles) {
    Monitor m{h, {}};
    ASSERT_TRUE(windows().getMonitorInfo(h, m.info));
    monitors.push_back(m);
  }
  ASSERT_FALSE(monitors.empty());
}

namespace {

bool contains(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// The squared gap between two rectangles (exclusive right and bottom edges): touching ones
// are 0 apart. "Nearest" is the monitor with the smallest gap, the first one of a tie.
std::int64_t gap(const TRect& a, const TRect& b) {
  const std::int64_t dx =
      std::max<std::int64_t>({0, std::int64_t{b.Left} - a.Right, std::int64_t{a.Left} - b.Right});
  const std::int64_t dy =
      std::max<std::int64_t>({0, std::int64_t{b.Top} - a.Bottom, std::int64_t{a.Top} - b.Bottom});
  return dx * dx + dy * dy;
}

std::int64_t overlap(const TRect& a, const TRect& b) {
  const std::int64_t w = std::min(a.Right, b.Right) - std::max(a.Left, b.Left);
  const std::int64_t h = std::min(a.Bottom, b.Bottom) - std::max(a.Top, b.Top);
  return w > 0 && h > 0 ? w * h : 0;
}

}  // namespace

// What every sweep starts from: the monitors, one of them primary, agree with the metrics
// and the system work area.
TEST_P(WindowManagerContract, MonitorsAgreeWithTheMetricsAndTheWorkArea) {
  IInput& input = desktop().input();
  EXPECT_EQ(input.getSystemMetrics(kSmCMonitors), static_cast<int>(monitors.size()));
  const auto primaries = std::count_if(monitors.begin(), monitors.end(),
                                       [](const Monitor& m) { return m.info.primary; });
  ASSERT_EQ(primaries, 1);
  const Monitor& primary = *std::find_if(monitors.begin(), monitors.end(),
                                         [](const Monitor& m) { return m.info.primary; });
  EXPECT_EQ(primary.info.bounds.Left, 0);
  EXPECT_EQ(primary.info.bounds.Top, 0);
  EXPECT_EQ(input.getSystemMetrics(kSmCxScreen), primary.info.bounds.Right);
  EXPECT_EQ(input.getSystemMetrics(kSmCyScreen), primary.info.bounds.Bottom);
  TRect work;
  ASSERT_TRUE(input.getWorkArea(work));
  EXPECT_EQ(work, primary.info.work);
  TRect all = primary.info.bounds;
  for (const Monitor& m : monitors) {
    const TRect& b = m.info.bounds;
    const TRect& w = m.info.work;
    EXPECT_TRUE(w.Left >= b.Left && w.Top >= b.Top && w.Right <= b.Right && w.Bottom <= b.Bottom)
        << "work area inside its monitor";
    all = {std::min(all.Left, b.Left), std::min(all.Top, b.Top), std::max(all.Right, b.Right),
           std::max(all.Bottom, b.Bottom)};
  }
  EXPECT_EQ(input.getSystemMetrics(kSmXVirtualScreen), all.Left);
  EXPECT_EQ(input.getSystemMetrics(kSmYVirtualScreen), all.Top);
  EXPECT_EQ(input.getSystemMetrics(kSmCxVirtualScreen), all.Right - all.Left);
  EXPECT_EQ(input.getSystemMetrics(kSmCyVirtualScreen), all.Bottom - all.Top);
}

// A window lost off every monitor is centred over the primary's whole screen: the work area
// with the taskbar's strip added back. That holds only where the taskbar is the strip the
// work area leaves out, on the primary monitor.
TEST_P(WindowManagerContract, TheTaskbarIsTheStripThePrimarysWorkAreaLeavesOut) {
  const Monitor& primary = *std::find_if(monitors.begin(), monitors.end(),
                                         [](const Monitor& m) { return m.info.primary; });
  const TRect& b = primary.info.bounds;
  const TRect& w = primary.info.work;
  TaskbarEdge edge{};
  TRect bar{};
  if (!desktop().shell().getTaskbarPos(edge, bar)) {
    EXPECT_EQ(w, b) << "no taskbar, yet the work area leaves a strip out";
    return;
  }
  TRect expected = b;
  switch (edge) {
    case TaskbarEdge::Bottom: expected.Top = w.Bottom; break;
    case TaskbarEdge::Top: expected.Bottom = w.Top; break;
    case TaskbarEdge::Left: expected.Right = w.Left; break;
    case TaskbarEdge::Right: expected.Left = w.Right; break;
  }
  if (!desktop().reportsTaskbarHeight()) {
    // Only its inner side is left out, and it must still be a strip.
    switch (edge) {
      case TaskbarEdge::Bottom: expected.Top = std::min(bar.Top, b.Bottom - 1); break;
      case TaskbarEdge::Top: expected.Bottom = std::max(bar.Bottom, b.Top + 1); break;
      case TaskbarEdge::Left: expected.Right = std::max(bar.Right, b.Left + 1); break;
      case TaskbarEdge::Right: expected.Left = std::min(bar.Left, b.Right - 1); break;
    }
  }
  EXPECT_EQ(bar, expected) << "edge " << static_cast<int>(edge);
}

// A monitor owns its left and top edges and not its right and bottom ones; off every
// monitor the nearest one answers only when asked for.
TEST_P(WindowManagerContract, MonitorFromPointTreatsRightAndBottomEdgesAsOutside) {
  const auto expected = [&](TPoint p, MonitorDefault fallback) -> Hmonitor {
    for (const Monitor& m : monitors) {
      if (contains(m.info.bounds, p)) return m.handle;
    }
    if (fallback == MonitorDefault::Null) return 0;
    const TRect pixel{p.X, p.Y, p.X + 1, p.Y + 1};
    const Monitor* best = &monitors.front();
    for (const Monitor& m : monitors) {
      if (gap(m.info.bounds, pixel) < gap(best->info.bounds, pixel)) best = &m;
    }
    return best->handle;
  };
  for (const Monitor& m : monitors) {
    const TRect& b = m.info.bounds;
    const TPoint points[] = {
        {b.Left, b.Top},
        {b.Right - 1, b.Bottom - 1},
        {b.Right, b.Top},
        {b.Left, b.Bottom},
        {b.Right, b.Bottom},
        {b.Left - 1, b.Top},
        {b.Left, b.Top - 1},
        {b.Right + 5000, b.Top + 10},
        {b.Left - 5000, b.Bottom + 5000},
        {(b.Left + b.Right) / 2, b.Bottom + 27},
        // Beside a taller neighbour: nearer to this one's side or to the other's bottom.
        {b.Left - 10, b.Bottom - 30},
        {b.Left - 100, b.Bottom - 30},
        {b.Right + 10, b.Bottom - 30},
        {b.Right + 100, b.Bottom - 30},
    };
    for (const TPoint p : points) {
      for (const MonitorDefault fallback : {MonitorDefault::Null, MonitorDefault::Nearest}) {
        EXPECT_EQ(windows().monitorFromPoint(p, fallback), expected(p, fallback))
            << p.X << "," << p.Y << (fallback == MonitorDefault::Null ? " null" : " nearest");
      }
    }
  }
}

// A window belongs to the monitor it overlaps most; off every monitor, to none or to the
// nearest one; a window that has gone, to none or to some monitor.
TEST_P(WindowManagerContract, MonitorFromWindowTakesTheLargestIntersectionThenTheNearest) {
  const auto expected = [&](const TRect& r, MonitorDefault fallback) -> Hmonitor {
    const Monitor* best = nullptr;
    std::int64_t most = 0;
    for (const Monitor& m : monitors) {
      if (const std::int64_t area = overlap(m.info.bounds, r); area > most) {
        most = area;
        best = &m;
      }
    }
    if (best != nullptr) return best->handle;
    if (fallback == MonitorDefault::Null) return 0;
    std::int64_t nearest = std::numeric_limits<std::int64_t>::max();
    for (const Monitor& m : monitors) {
      if (const std::int64_t d = gap(m.info.bounds, r); d < nearest) {
        nearest = d;
        best = &m;
      }
    }
    return best->handle;
  };
  std::vector<TRect> rects;
  for (const Monitor& m : monitors) {
    const TRect& b = m.info.bounds;
    rects.push_back({b.Left + 100, b.Top + 100, b.Left + 500, b.Top + 400});    // inside
    rects.push_back({b.Right - 300, b.Top + 100, b.Right + 100, b.Top + 400});  // 3/4 on it
    rects.push_back({b.Right - 100, b.Top + 100, b.Right + 300, b.Top + 400});  // 1/4 on it
    rects.push_back({b.Right, b.Top + 100, b.Right + 400, b.Top + 400});        // on the edge
    rects.push_back({b.Right + 3000, b.Top, b.Right + 3400, b.Top + 300});
  }
  for (const TRect& r : rects) {
    const Hwnd w = desktop().open({.rect = r});
    TRect got;
    ASSERT_TRUE(windows().getWindowRect(w, got));
    ASSERT_EQ(got, r) << "placed where asked";
    for (const MonitorDefault fallback : {MonitorDefault::Null, MonitorDefault::Nearest}) {
      EXPECT_EQ(windows().monitorFromWindow(w, fallback), expected(r, fallback))
          << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom
          << (fallback == MonitorDefault::Null ? " null" : " nearest");
    }
    desktop().close(w);
    EXPECT_EQ(windows().monitorFromWindow(w, MonitorDefault::Null), 0u) << "gone";
    EXPECT_NE(windows().monitorFromWindow(w, MonitorDefault::Nearest), 0u) << "gone";
  }
}

TEST_P(WindowManagerContract, WindowStatesStylesAndRectangles) {
  const Monitor& m = monitors.front();
  const TRect placed{m.info.bounds.Left + 150, m.info.bounds.Top + 120, m.info.bounds.Left + 650,
                     m.info.bounds.Top + 520};
  const struct {
    const char* name;
    Show show;
    bool visible, iconic, zoomed;
  } rows[] = {
      {"hidden", Show::Hidden, false, false, false},
      {"normal", Show::Normal, true, false, false},
      {"minimized", Show::Minimized, true, true, false},
      {"maximized", Show::Maximized, true, false, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Hwnd w = desktop().open({.rect = placed, .show = row.show});
    EXPECT_EQ(windows().isWindowVisible(w), row.visible);
    EXPECT_EQ(windows().isIconic(w), row.iconic);
    EXPECT_EQ(windows().isZoomed(w), row.zoomed);
    EXPECT_EQ((windows().getStyle(w) & kWsVisible) != 0, row.visible);
    EXPECT_EQ((windows().getStyle(w) & kWsMaximize) != 0, row.zoomed);
    EXPECT_TRUE(windows().isWindowEnabled(w));
    TRect r;
    ASSERT_TRUE(windows().getWindowRect(w, r));
    if (row.iconic) {
      EXPECT_EQ(r.Left, kParkedCoordinate);
      EXPECT_EQ(r.Top, kParkedCoordinate);
      EXPECT_EQ(windows().monitorFromWindow(w, MonitorDefault::Null), m.handle)
          << "a parked window keeps the monitor it is restored to";
    } else if (row.zoomed && desktop().placesMaximizedWindows()) {
      const TRect& work = m.info.work;
      EXPECT_TRUE(r.Left <= work.Left && r.Top <= work.Top && r.Right >= work.Right &&
                  r.Bottom >= work.Bottom)
          << "the frame hangs over the work area: " << r.Left << "," << r.Top << "," << r.Right
          << "," << r.Bottom;
    } else if (!row.zoomed) {
      EXPECT_EQ(r, placed);
    }
    desktop().disable(w);
    EXPECT_FALSE(windows().isWindowEnabled(w));
    EXPECT_NE(windows().getStyle(w) & kWsDisabled, 0u);
    desktop().close(w);
  }
}

// The sweep's order: the topmost band first, each band newest (or last raised) first; the
// enumeration stops when the callback says so.
TEST_P(WindowManagerContract, EnumerationGivesTheTopmostBandFirstThenTheZOrder) {
  const Hwnd bottom = desktop().open({.title = u"z bottom"});
  const Hwnd middle = desktop().open({.title = u"z middle"});
  const Hwnd topmost = desktop().open({.title = u"z topmost", .topmost = true});
  const Hwnd hidden = desktop().open({.title = u"z hidden", .show = Show::Hidden});
  const auto order = [&] {
    std::vector<Hwnd> all;
    windows().enumWindows([&](Hwnd h) {
      all.push_back(h);
      return true;
    });
    return all;
  };
  const auto at = [](const std::vector<Hwnd>& list, Hwnd w) {
    const auto it = std::find(list.begin(), list.end(), w);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
  };
  std::vector<Hwnd> seen = order();
  EXPECT_LT(at(seen, topmost), at(seen, middle));
  EXPECT_LT(at(seen, middle), at(seen, bottom));
  EXPECT_GE(at(seen, hidden), 0) << "hidden windows are enumerated too";
  EXPECT_NE(windows().getExStyle(topmost) & kWsExTopmost, 0u);
  ASSERT_TRUE(windows().bringWindowToTop(bottom));
  seen = order();
  EXPECT_LT(at(seen, topmost), at(seen, bottom)) << "raised within its band";
  EXPECT_LT(at(seen, bottom), at(seen, middle));

  int visited = 0;
  windows().enumWindows([&](Hwnd) { return ++visited < 2; });
  EXPECT_EQ(visited, 2);

  // The list for counting holds the same windows, hidden ones too, and only live ones.
  std::vector<Hwnd> listed{hidden};
  desktop().close(middle);
  windows().listTopWindows(listed);
  for (const Hwnd w : {bottom, topmost, hidden}) EXPECT_GE(at(listed, w), 0);
  EXPECT_EQ(at(listed, middle), -1);
  EXPECT_EQ(std::count(listed.begin(), listed.end(), hidden), 1) << "out was not replaced";
}

// Titles are read through a 260-unit buffer, whatever their script.
TEST_P(WindowManagerContract, TextIsReadThroughA260UnitBufferInAnyScript) {
  const struct {
    std::size_t length;
    std::size_t read;
  } rows[] = {{0, 0}, {1, 1}, {259, 259}, {260, 259}, {300, 259}};
  const std::u16string alphabet = u"Окно日本語 ";
  for (const auto& row : rows) {
    std::u16string title;
    for (std::size_t i = 0; i < row.length; ++i) title += alphabet[i % alphabet.size()];
    const Hwnd w = desktop().open({.title = title});
    EXPECT_EQ(windows().getWindowTextLength(w), static_cast<int>(row.length)) << row.length;
    EXPECT_EQ(windows().getWindowText(w), title.substr(0, row.read)) << row.length;
    EXPECT_EQ(windows().getClassName(w), desktop().windowClass());
    desktop().close(w);
  }
  const std::u16string astral = u"\u65e5\u672c\u8a9e \U0001F600 caf\u00e9";
  const Hwnd w = desktop().open({.title = astral});
  EXPECT_EQ(windows().getWindowText(w), astral) << "a surrogate pair stays whole";
}

TEST_P(WindowManagerContract, MoveWindowTakesLeftTopWidthHeightAndAGoneWindowFails) {
  const TRect& b = monitors.front().info.bounds;
  const Hwnd w = desktop().open({});
  const WindowBox boxes[] = {{b.Left + 10, b.Top + 20, 300, 200},
                             {b.Left - 50, b.Bottom - 180, 640, 400},
                             {b.Right - 120, b.Top - 10, 500, 300}};
  for (const WindowBox& box : boxes) {
    ASSERT_TRUE(windows().moveWindow(w, box, true));
    TRect r;
    ASSERT_TRUE(windows().getWindowRect(w, r));
    EXPECT_EQ(r, (TRect{box.Left, box.Top, box.Left + box.Width, box.Top + box.Height}));
  }
  desktop().close(w);
  TRect r{1, 2, 3, 4};
  EXPECT_FALSE(windows().getWindowRect(w, r));
  EXPECT_EQ(r, (TRect{1, 2, 3, 4}));
  EXPECT_FALSE(windows().isWindowVisible(w));
  EXPECT_EQ(windows().getWindowTextLength(w), 0);
  EXPECT_EQ(windows().getWindowText(w), u"");
  EXPECT_EQ(windows().getClassName(w), u"");
  EXPECT_EQ(windows().getWindowThreadProcessId(w, nullptr), 0u);
  EXPECT_FALSE(windows().moveWindow(w, WindowBox{0, 0, 100, 100}, true));
}

}  // namespace rimfold::contract
