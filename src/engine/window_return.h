// Where each window stood in each monitor layout of this run, so that when a layout comes
// back (a laptop docked again, a monitor awake again) the windows a display change piled
// onto the remaining monitors go back where they were. Kept from the sweeps, which look at
// every window anyway; nothing is asked of the system for it while nothing changes.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/monitor_list.h"
#include "platform/function_ref.h"
#include "platform/platform.h"
#include "settings/window_keys.h"

namespace rimfold {

class WindowFacts;

// Whether the program would correct the window now (its filter and exclusions); fills in
// who the window is when it would.
using CorrectableWindow = FunctionRef<bool(Hwnd, WindowIdentity&)>;

class WindowReturn {
 public:
  static constexpr std::size_t kMaxLayouts = 4;
  // Records per layout, at most: windows are noted at their events between the sweeps that
  // drop the closed ones, and a long run opens many.
  static constexpr std::size_t kMaxPlaces = 4096;

  explicit WindowReturn(Platform& p) : p_(p) {}

  // The layout now in force (at start, and when a display change has settled). When it is
  // one seen before in this run and putBack is set, each window recorded there that is
  // still open, still the same window, still correctable and was not moved by the user
  // since is put back: its rectangle, and maximized again if it was.
  void enter(const MonitorList& monitors, CorrectableWindow correctable, bool putBack);

  // A sweep's bracket. The system moves windows before it announces a new layout: a screen
  // that differs from the layout's stops the records until the next enter(). A sweep that
  // saw every window drops the records of those it did not see.
  void sweepBegin();
  void sweepEnd(bool complete);
  // A window the sweep found on a monitor with an allowed area.
  void seen(WindowFacts& f, const TRect& r, bool zoomed);
  // The same, at one of the window's own events between sweeps; a screen changed behind the
  // program's back stops the records here too.
  void noted(WindowFacts& f, const TRect& r, bool zoomed);
  // The user dragged it: in every other layout it is no longer to be put back.
  void userMoved(Hwnd w);

  std::size_t layoutCount() const noexcept { return layouts_.size(); }
  std::size_t recordCount() const noexcept;

 private:
  struct MonitorArea {
    TRect bounds;
    TRect work;
    bool operator==(const MonitorArea&) const = default;
  };
  struct Place {
    Hwnd window = 0;
    std::u16string className;
    std::u16string imagePath;
    TRect rect;
    TRect normal;  // the last rectangle seen while not maximized
    bool maximized = false;
    std::uint32_t sweep = 0;
  };
  struct Layout {
    std::vector<MonitorArea> monitors;
    std::vector<Place> places;  // by window handle
    std::uint64_t entered = 0;
  };

  void putBack(const Layout& layout, CorrectableWindow correctable);
  static std::vector<Place>::iterator find(std::vector<Place>& places, Hwnd w);

  Platform& p_;
  std::vector<Layout> layouts_;
  std::size_t current_ = 0;  // layouts_.size() when none
  bool frozen_ = true;
  ScreenSnapshot screen_{};
  std::uint32_t sweep_ = 0;
  std::uint64_t entries_ = 0;
};

}  // namespace rimfold
