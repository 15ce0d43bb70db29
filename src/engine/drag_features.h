// What happens at the end of a user's drag: inertial movement, then the minimum-size limit.
#pragma once

#include <cstdint>

#include "engine/correction.h"
#include "engine/monitor_list.h"
#include "engine/stopwatch.h"
#include "platform/platform.h"
#include "settings/monitor_tables.h"

namespace rimfold {

// The drag-time limit: a drag of exactly this many milliseconds still throws.
inline constexpr std::int64_t kThrowLimitMs = 500;
inline constexpr std::int64_t kFastThrowMs = 250;

// The throw factor for a drag of t milliseconds; 0 means no throw.
int throwFactor(std::int64_t t);

struct DragState {
  const TRect& MSnapRectB;         // the rectangle at the start of the drag
  const Stopwatch& DragStopwatch;  // stopped at the drag's end
};

// A quick drag carries the window on, up to the edge of its target monitor's allowed area.
void Proc_MoveWindowSpeed(Platform& p, MonitorList& monitors, const MonitorTables& tables,
                          const DragState& drag, bool PPMoveWindowSpeed, bool PPStop, Hwnd w);

// Sizable windows are widened and heightened to the chosen fraction of their monitor's
// system work area (level 1 = 1/2, 2 = 1/3, 3 = 1/4; 0 = off).
void Proc_Constraints(Platform& p, CorrectionEngine& correction, MonitorList& monitors,
                      const WindowList& exclusions, bool PPStop, std::int32_t MPPConstraintsC,
                      Hwnd w);

}  // namespace rimfold
