// Correcting one window into its monitor's allowed area: the filter, the edge tests,
// the verified move primitive and its retry state.
#pragma once

#include <array>
#include <span>
#include <unordered_map>
#include <cstdint>

#include "settings/program_state.h"
#include "engine/monitor_list.h"
#include "engine/window_facts.h"
#include "engine/window_return.h"
#include "settings/window_keys.h"
#include "platform/platform.h"

namespace rimfold {

// Placement codes of Func_MoveWindowTo.
enum PlacementCode : int {
  kFitHeightAtTop = 0,
  kFitWidthAtLeft = 1,
  kMoveDownToTop = 2,
  kMoveUpToBottom = 3,
  kMoveRightToLeft = 4,
  kMoveLeftToRight = 5,
  kWidthHalf = 20,
  kWidthThird = 21,
  kWidthQuarter = 22,
  kHeightHalf = 30,
  kHeightThird = 31,
  kHeightQuarter = 32,
};

// What the filter learnt about a window that passed it.
struct FilterPass {
  TRect rect;
  WindowIdentity identity;
};

class CorrectionEngine {
 public:
  CorrectionEngine(Platform& p, WindowLists& lists, const FilterSwitches& switches,
                   const MonitorTables& tables, MonitorList& monitors);

  // The filter's tests in order; returns 0 when the window passes, else the number
  // (1..16) of the first test that failed.
  int firstFailedFilterTest(Hwnd w, FilterPass& out);
  // The filter without the maximized-window switch, which is about a maximized window's
  // overhang: may the window go back to where it stood in an earlier layout?
  bool mayReturn(Hwnd w, WindowIdentity& out);
  void Proc_CheckWindow(Hwnd w);
  // The user moved or sized the window: one that fought the corrections is corrected again.
  void userMoved(Hwnd w) { fights_.erase(w); }
  // Notes where the window stands now (one of its own events came), as a sweep would.
  void notePlace(Hwnd w, WindowReturn& places);
  // The window belongs to a process of a higher integrity level, which refuses every move
  // this one makes: asked once per window (and again for a handle another process reuses).
  bool beyondReach(Hwnd w);
  bool Func_MoveWindowTo(Hwnd w, int code, const TRect& area);

  // While it lasts, the checks share the program path of each process, and record where
  // each window stands in places when it is given.
  class Sweep {
   public:
    explicit Sweep(CorrectionEngine& engine, WindowReturn* places = nullptr) : engine_(engine) {
      engine_.sweepPaths_ = &engine_.paths_;
      engine_.places_ = places;
    }
    ~Sweep() {
      engine_.sweepPaths_ = nullptr;
      engine_.places_ = nullptr;
      engine_.paths_.clear();
    }
    Sweep(const Sweep&) = delete;
    Sweep& operator=(const Sweep&) = delete;

   private:
    CorrectionEngine& engine_;
  };

  // Retry state: the window whose last move did not take, and its remaining attempts.
  Hwnd MProcHandle = 0;
  std::int32_t MProcC = 0;

 private:
  // Counts a move that did not take against the retry state; always false.
  bool moveFailed(Hwnd w);
  bool passesFilterTest(int test, WindowFacts& f);
  bool beyondReach(WindowFacts& f);
  int firstFailed(WindowFacts& f, std::span<const int> order);

  Platform& p_;
  WindowLists& lists_;
  const FilterSwitches& switches_;
  const MonitorTables& tables_;
  MonitorList& monitors_;
  ImagePathCache paths_;
  ImagePathCache* sweepPaths_ = nullptr;
  WindowReturn* places_ = nullptr;
  struct Reach {
    std::uint32_t processId = 0;
    bool beyond = false;
  };
  std::unordered_map<Hwnd, Reach> reach_;
  // Windows corrected lately, to tell one that puts itself back out each time.
  struct Fight {
    std::uint32_t processId = 0;
    std::int64_t firstMs = 0;  // the first correction of the rounds counted
    int rounds = 0;
    TRect from{};  // where it stood before each of them
  };
  bool foughtOff(WindowFacts& f, const TRect& r);
  void noteCorrection(WindowFacts& f, const TRect& from);
  std::unordered_map<Hwnd, Fight> fights_;
};

}  // namespace rimfold
