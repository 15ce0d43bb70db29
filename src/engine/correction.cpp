#include "engine/correction.h"

#include <cstdlib>
#include <string_view>

#include "engine/window_ops.h"
#include "engine/window_predicates.h"
#include "settings/window_lists.h"

namespace rimfold {

namespace {

constexpr std::int32_t kCoordinateLimit = 9999;
constexpr std::int32_t kAttemptsAfterFailure = 5;
// How long a move may take to land after its probe was answered, well under the probe's
// own limit, and how often it is looked at meanwhile.
constexpr std::uint32_t kReadBackWaitMs = 50;
constexpr std::uint32_t kReadBackStepMs = 5;

// The shell's own surfaces; an empty ExeName column matches any program.
struct ShellSurface {
  std::u16string_view title;
  std::u16string_view className;
  std::u16string_view exeName;
};

constexpr ShellSurface kShellSurfaces[] = {
    {u"表示スライダー コントロール", u"ViewControlClass", u""},
    {u"Drag", u"SysDragImage", u""},
    {u"スタート", u"Button", u"EXPLORER.EXE"},
    {u"スタート メニュー", u"DV2ControlHost", u""},
    {u"View Available Networks (Tooltip)", u"VANUITooltip", u""},
    {u"ジャンプ リスト", u"DV2ControlHost", u""},
};

// The shell surfaces of Windows 10 and 11 that look like ordinary top-level windows (the
// task switcher, Task View, Snap Assist, the taskbars, the notification-area overflow,
// XAML popups), matched by class whatever their title.
constexpr std::u16string_view kShellSurfaceClasses[] = {
    u"XamlExplorerHostIslandWindow",
    u"MultitaskingViewFrame",
    u"TaskSwitcherWnd",
    u"TaskSwitcherOverlayWnd",
    u"Shell_TrayWnd",
    u"Shell_SecondaryTrayWnd",
    u"NotifyIconOverflowWindow",
    u"TopLevelWindowForOverflowXamlIsland",
    u"Xaml_WindowedPopupClass",
};

bool isShellSurface(WindowFacts& f) {
  for (const std::u16string_view c : kShellSurfaceClasses) {
    if (f.identityClassName() == c) return true;
  }
  for (const ShellSurface& s : kShellSurfaces) {
    if (f.identityTitle() == s.title && f.identityClassName() == s.className &&
        (s.exeName.empty() || exeNameOf(f.identity().ImagePath) == s.exeName)) {
      return true;
    }
  }
  return false;
}

// The filter's tests by number, and the order a check runs them in: 5 and 12, which need the
// program path, after all others (11 needs it only for the one row that names a program),
// and 16, which opens the process, last.
constexpr std::array<int, 16> kByNumber{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
constexpr std::array<int, 16> kPathLast{1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 13, 14, 15, 5, 12, 16};
constexpr std::array<int, 15> kReturnTests{1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
// Windows whose integrity level is known, at most; then the record starts afresh.
constexpr std::size_t kMaxReachRecords = 4096;
// A window corrected this often within this time from the same place, with no move of the
// user's in between, puts itself back each time (a program that restores its own position):
// it is left alone until the user moves or sizes it. A window put out at other places (by the
// user's keyboard, by a layout change) is no fighter; a minute covers a program that answers
// within seconds.
constexpr int kFightRounds = 3;
constexpr std::int64_t kFightWindowMs = 60'000;
constexpr std::size_t kMaxFightRecords = 1024;

bool inside(const TRect& r, const TWorkAreaEdges& a, std::int32_t tolerance) {
  return r.Top >= a.Top - tolerance && r.Bottom <= a.Bottom + tolerance &&
         r.Left >= a.Left - tolerance && r.Right <= a.Right + tolerance;
}

bool isHeldDown(std::int16_t keyState) {
  return (static_cast<std::uint16_t>(keyState) & 0x8000u) != 0;
}

std::int32_t absDiff(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(std::llabs(static_cast<long long>(a) - b));
}

}  // namespace

CorrectionEngine::CorrectionEngine(Platform& p, WindowLists& lists, const FilterSwitches& switches,
                                   const MonitorTables& tables, MonitorList& monitors)
    : p_(p), lists_(lists), switches_(switches), tables_(tables), monitors_(monitors) {}

bool CorrectionEngine::passesFilterTest(int test, WindowFacts& f) {
  TRect r;
  switch (test) {
    case 1:
      return !isHeldDown(p_.input.getAsyncKeyState(kVkLButton)) &&
             !isHeldDown(p_.input.getAsyncKeyState(kVkRButton));
    case 2: return Func_IsTargetWindow(f, switches_.TBDisableDeskTop);
    case 3: return !switches_.TBMAXDisable || !f.zoomed();
    case 4: return f.enabled();
    case 5: return !isExcluded(lists_.ListBoxD, f.identity());
    case 6: return f.rect(r);
    case 7:
      return !switches_.TBDisableDeskTop ||
             p_.windows.monitorFromWindow(f.handle(), MonitorDefault::Null) != 0;
    // Tests 8 to 15 come after test 6 in either order, so the rectangle is there. Where a
    // window stands is where it is seen: they take its visible frame.
    case 8:
      return f.frame(r) && r.Left >= -kCoordinateLimit && r.Left <= kCoordinateLimit &&
             r.Top >= -kCoordinateLimit && r.Top <= kCoordinateLimit;
    case 9:
      return f.frame(r) &&
             r.Bottom - r.Top >= p_.input.getSystemMetricsForWindow(kSmCySize, f.handle()) &&
             r.Right - r.Left >= p_.input.getSystemMetricsForWindow(kSmCxSize, f.handle());
    case 10: return !Func_IsModernAppWindow(p_, f.handle(), f.identityClassName());
    case 11: return !isShellSurface(f);
    case 12: return !exeNameOf(f.identity().ImagePath).ends_with(u".SCR");
    case 13: return f.style() != 0;
    // Full-screen games and presentations own their monitor; a sizing frame says otherwise.
    case 14: return !f.coversItsMonitor(monitors_);
    case 15: return !Func_IsBareStyle(f);
    // The system refuses every move of a window of a more trusted process, and activating
    // it would only disturb the user.
    case 16: return !beyondReach(f);
    default: return false;
  }
}

void CorrectionEngine::notePlace(Hwnd w, WindowReturn& places) {
  WindowFacts f(p_, w);
  TRect r;
  if ((f.style() & kWsChild) != 0 || !f.visible() || !f.rect(r)) return;
  const int index = monitors_.indexOf(f.nearestMonitor());
  if (index < 0 || !tables_.hasAllowedArea(index)) return;
  places.noted(f, r, f.zoomed());
}

bool CorrectionEngine::beyondReach(WindowFacts& f) {
  const std::uint32_t processId = f.processId();
  const auto known = reach_.find(f.handle());
  // A handle used again by another process is asked about afresh.
  if (known != reach_.end() && known->second.processId == processId) return known->second.beyond;
  if (reach_.size() >= kMaxReachRecords) reach_.clear();
  const bool beyond = p_.system.runsAtHigherIntegrity(processId).value_or(false);
  reach_[f.handle()] = {processId, beyond};
  return beyond;
}

bool CorrectionEngine::foughtOff(WindowFacts& f, const TRect& r) {
  const auto it = fights_.find(f.handle());
  return it != fights_.end() && it->second.processId == f.processId() &&
         it->second.rounds >= kFightRounds && it->second.from == r;
}

void CorrectionEngine::noteCorrection(WindowFacts& f, const TRect& from) {
  const std::int64_t now = p_.clock.nowMilliseconds();
  if (fights_.size() >= kMaxFightRecords && fights_.find(f.handle()) == fights_.end()) {
    std::erase_if(fights_, [&](const auto& entry) {
      return entry.second.rounds < kFightRounds && now - entry.second.firstMs > kFightWindowMs;
    });
    if (fights_.size() >= kMaxFightRecords) fights_.clear();
  }
  Fight& fight = fights_[f.handle()];
  // A handle another program reuses, a window put out elsewhere, or rounds that lie too far
  // apart, count afresh.
  if (fight.processId != f.processId() || fight.from != from ||
      now - fight.firstMs > kFightWindowMs) {
    fight = {f.processId(), now, 0, from};
  }
  ++fight.rounds;
}

bool CorrectionEngine::beyondReach(Hwnd w) {
  WindowFacts f(p_, w);
  return beyondReach(f);
}

int CorrectionEngine::firstFailed(WindowFacts& f, std::span<const int> order) {
  for (const int test : order) {
    if (!passesFilterTest(test, f)) return test;
  }
  return 0;
}

int CorrectionEngine::firstFailedFilterTest(Hwnd w, FilterPass& out) {
  WindowFacts f(p_, w, sweepPaths_);
  const int failed = firstFailed(f, kByNumber);
  if (failed == 0) {
    f.rect(out.rect);
    out.identity = f.identity();
  }
  return failed;
}

bool CorrectionEngine::mayReturn(Hwnd w, WindowIdentity& out) {
  WindowFacts f(p_, w, sweepPaths_);
  if (firstFailed(f, kReturnTests) != 0) return false;
  out = f.identity();
  return true;
}

// The filter passes only if every test passes, and a window inside its area is never
// touched, so the area is asked about first: an inside window costs its visibility,
// rectangle, monitor and maximized state, and the filter runs only for a window that would
// be moved, with its identity last. All of these are queries without effect; only the
// lookup of a monitor the list does not know has one (it reads the monitors again).
void CorrectionEngine::Proc_CheckWindow(Hwnd w) {
  WindowFacts f(p_, w, sweepPaths_);
  TRect r;
  // Hidden, or without a usable rectangle: the filter fails whatever else holds.
  if (!f.visible() || !f.rect(r)) return;
  int index = monitors_.indexOf(f.nearestMonitor());
  const bool knownMonitor = index >= 0;
  if (!knownMonitor) {
    // The filter in its own order, so that the monitors are read again exactly when they
    // always were: for a window that passed tests 1 to 13.
    if (firstFailed(f, kByNumber) != 0) return;
    index = f.monitorIndex(monitors_);
  }
  if (!tables_.hasAllowedArea(index)) return;
  const TWorkAreaEdges& a = tables_.MWorkArea[static_cast<std::size_t>(index)];
  const TRect area = rectOf(a);

  // A maximized window overhangs its area by its frame; only more than that is wrong.
  const bool zoomed = f.zoomed();
  if (places_ != nullptr) places_->seen(f, r, zoomed);
  const std::int32_t g = zoomed ? p_.input.getSystemMetricsForWindow(kSmCyFrame, w) : 0;
  // The rectangle holds the visible frame, so a window inside by its rectangle is inside, and
  // only one that is not has its frame asked for.
  if (inside(r, a, g)) return;
  WindowFrame now{r, r};
  f.frame(now.visible);
  if (inside(now.visible, a, g)) return;
  if (knownMonitor && firstFailed(f, kPathLast) != 0) return;
  if (foughtOff(f, r)) return;

  bool moved = false;
  const TRect& v = now.visible;
  if (zoomed) {
    // Nothing to read back: a window that does not answer is simply left for later.
    if (!p_.windows.respondsWithin(w, kAnswerTimeoutMs)) return;
    p_.windows.moveWindow(
        w, moveBoxFor(now, {a.Left, a.Top, absDiff(a.Right, a.Left), absDiff(a.Bottom, a.Top)}),
        true);
    moved = true;
  } else {
    const bool taller = a.Bottom - a.Top < v.Bottom - v.Top;
    const bool wider = a.Right - a.Left < v.Right - v.Left;
    if (v.Top < a.Top)
      moved = Func_MoveWindowTo(w, taller ? kFitHeightAtTop : kMoveDownToTop, area);
    if (v.Bottom > a.Bottom) {
      moved = Func_MoveWindowTo(w, taller ? kFitHeightAtTop : kMoveUpToBottom, area);
    }
    if (v.Left < a.Left)
      moved = Func_MoveWindowTo(w, wider ? kFitWidthAtLeft : kMoveRightToLeft, area);
    if (v.Right > a.Right) {
      moved = Func_MoveWindowTo(w, wider ? kFitWidthAtLeft : kMoveLeftToRight, area);
    }
  }
  if (!moved) return;
  noteCorrection(f, r);

  // Its place is where the correction put it.
  TRect after;
  if (places_ != nullptr && Func_WindowRect(p_, w, after)) places_->seen(f, after, zoomed);
  recordProcessed(lists_.ListBoxE, f.identity());
  lists_.TBListEClearEnabled = true;
  if (lists_.observer != nullptr) lists_.observer->processedListChanged();
  // Until a verified move has happened, and after a window has used up its attempts, the
  // corrected class is taken to be one that keeps coming back: exclude it.
  if (MProcC == 0 && insertUnique(lists_.ListBoxD, classKey(f.identity())) &&
      lists_.observer != nullptr) {
    lists_.observer->exclusionListChanged();
  }
}

// The box and the read-back are the visible frame's; the move adds the window's present
// borders back.
bool CorrectionEngine::Func_MoveWindowTo(Hwnd w, int code, const TRect& area) {
  WindowFrame before;
  if (!readWindowFrame(p_, w, before)) return false;
  if (w == MProcHandle && MProcC == 0) return false;
  WindowBox box = boxOf(before.visible);

  const std::int32_t areaWidth = absDiff(area.Right, area.Left);
  const std::int32_t areaHeight = absDiff(area.Bottom, area.Top);
  switch (code) {
    case kFitHeightAtTop:
      box.Top = area.Top;
      box.Height = areaHeight;
      break;
    case kFitWidthAtLeft:
      box.Left = area.Left;
      box.Width = areaWidth;
      break;
    case kMoveDownToTop: box.Top = area.Top; break;
    case kMoveUpToBottom: box.Top = area.Bottom - box.Height; break;
    case kMoveRightToLeft: box.Left = area.Left; break;
    case kMoveLeftToRight: box.Left = area.Right - box.Width; break;
    case kWidthHalf: box.Width = areaWidth / 2; break;
    case kWidthThird: box.Width = areaWidth / 3; break;
    case kWidthQuarter: box.Width = areaWidth / 4; break;
    case kHeightHalf: box.Height = areaHeight / 2; break;
    case kHeightThird: box.Height = areaHeight / 3; break;
    case kHeightQuarter: box.Height = areaHeight / 4; break;
    default: return false;
  }

  if (Func_OffAllMonitors(p_, box) ||
      p_.input.getSystemMetricsForWindow(kSmCxSize, w) >= box.Width ||
      p_.input.getSystemMetricsForWindow(kSmCySize, w) >= box.Height) {
    return false;
  }
  // A window that does not answer is neither brought forward nor moved; like a refused
  // move it uses up an attempt. Answering after the asynchronous move means it is applied.
  if (!p_.windows.respondsWithin(w, kAnswerTimeoutMs)) return moveFailed(w);
  Func_ForceForeground(p_, w);
  p_.windows.moveWindow(w, moveBoxFor(before, box), true);
  const bool answered = p_.windows.respondsWithin(w, kAnswerTimeoutMs);

  WindowFrame after;
  if (!readWindowFrame(p_, w, after)) return false;
  // On Windows the asynchronous request is posted and the probe, a sent message, is handled
  // before it: the request gets a moment to land before the move counts as refused.
  for (std::uint32_t waited = 0;
       answered && boxOf(after.visible) != box && waited < kReadBackWaitMs;
       waited += kReadBackStepMs) {
    p_.clock.sleep(kReadBackStepMs);
    if (!readWindowFrame(p_, w, after)) return false;
  }
  const WindowBox now = boxOf(after.visible);
  if (answered && now == box) {
    MProcHandle = 0;
    MProcC = kAttemptsAfterFailure;
    return true;
  }
  return moveFailed(w);
}

bool CorrectionEngine::moveFailed(Hwnd w) {
  if (w != MProcHandle) {
    MProcHandle = w;
    MProcC = kAttemptsAfterFailure;
  } else if (--MProcC < 1) {
    MProcC = 0;
  }
  return false;
}

}  // namespace rimfold
