#include "engine/drag_features.h"

#include <cstdlib>

#include "settings/window_lists.h"
#include "engine/window_facts.h"
#include "engine/window_predicates.h"
#include "engine/window_ops.h"

namespace rimfold {

int throwFactor(std::int64_t t) {
  if (t < kFastThrowMs) return 4;
  if (t < kThrowLimitMs) return 2;
  return t == kThrowLimitMs ? 1 : 0;
}

void Proc_MoveWindowSpeed(Platform& p, MonitorList& monitors, const MonitorTables& tables,
                          const DragState& drag, bool PPMoveWindowSpeed, bool PPStop, Hwnd w) {
  if (!PPMoveWindowSpeed || PPStop || !drag.DragStopwatch.timed()) return;
  // Each test only reads, so the cheapest go first: the drag time, then the window.
  const int k = throwFactor(drag.DragStopwatch.elapsedMilliseconds(p.clock));
  if (k == 0) return;
  WindowFacts f(p, w);
  WindowFrame now;
  if (!f.rect(now.rect)) return;
  if (Func_IsModernAppWindow(p, w, f.identityClassName())) return;

  // The drag's displacement is the rectangle's; where the window lands is its visible frame's.
  f.frame(now.visible);
  const TRect& v = now.visible;
  const std::int64_t dx = static_cast<std::int64_t>(now.rect.Left) - drag.MSnapRectB.Left;
  const std::int64_t dy = static_cast<std::int64_t>(now.rect.Top) - drag.MSnapRectB.Top;
  std::int64_t x = v.Left + k * dx;
  std::int64_t y = v.Top + k * dy;

  const Hmonitor target = p.windows.monitorFromPoint(
      TPoint{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)}, MonitorDefault::Nearest);
  // A window thrown towards a monitor without an area is left where it was dropped.
  const int i = monitors.locate(target);
  if (!tables.hasAllowedArea(i)) return;

  const TWorkAreaEdges& a = tables.MWorkArea[static_cast<std::size_t>(i)];
  const std::int64_t width = std::llabs(static_cast<std::int64_t>(v.Right) - v.Left);
  const std::int64_t height = std::llabs(static_cast<std::int64_t>(v.Bottom) - v.Top);
  // The far edges are tested against the top-left corner only, so a window may still reach
  // past them: the throw ends where the corner would leave the area.
  if (y < a.Top) y = a.Top;
  if (x < a.Left) x = a.Left;
  if (y > a.Bottom) y = a.Bottom - height;
  if (x > a.Right) x = a.Right - width;

  if (!p.windows.respondsWithin(w, kAnswerTimeoutMs)) return;
  p.windows.moveWindow(
      w,
      moveBoxFor(now,
                 WindowBox{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                           static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)}),
      true);
  Proc_CenterLostWindow(p, w);
}

void Proc_Constraints(Platform& p, CorrectionEngine& correction, MonitorList& monitors,
                      const WindowList& exclusions, bool PPStop, std::int32_t MPPConstraintsC,
                      Hwnd w) {
  if (PPStop || MPPConstraintsC < 1 || MPPConstraintsC > 3) return;
  // Each test only reads, so the exclusion test, which needs the program path, comes last:
  // only a window that would be resized is identified.
  WindowFacts f(p, w);
  TRect r;
  if (!f.rect(r)) return;
  if ((f.style() & kWsThickFrame) == 0) return;
  // What the user sees is measured against the limit.
  f.frame(r);
  if (Func_IsModernAppWindow(p, w, f.identityClassName())) return;
  // Looking up a monitor the list does not know reads the monitors again; that stays behind
  // the exclusion test, where it always was.
  if (monitors.indexOf(f.nearestMonitor()) < 0 && isExcluded(exclusions, f.identity())) return;

  // The reference is the system's work area now, not the allowed area.
  MonitorInfo m;
  if (!monitors.info(f.monitorIndex(monitors), m)) return;
  const WindowBox box = boxOf(r);
  const std::int32_t d = MPPConstraintsC + 1;
  const bool narrow = std::abs(m.work.Right - m.work.Left) / d > box.Width;
  const bool low = std::abs(m.work.Bottom - m.work.Top) / d > box.Height;
  if ((!narrow && !low) || isExcluded(exclusions, f.identity())) return;
  if (correction.beyondReach(w)) return;
  if (narrow) correction.Func_MoveWindowTo(w, kWidthHalf + MPPConstraintsC - 1, m.work);
  if (low) correction.Func_MoveWindowTo(w, kHeightHalf + MPPConstraintsC - 1, m.work);
}

}  // namespace rimfold
