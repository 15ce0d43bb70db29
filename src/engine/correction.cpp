#include "engine/correction.h"

#include <cstdlib>
#include <string_view>

#include "config/window_lists.h"

namespace rimfold {

namespace {

constexpr std::int32_t kCoordinateLimit = 9999;
constexpr std::int32_t kAttemptsAfterFailure = 5;

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

bool isShellSurface(const WindowIdentity& id, std::u16string_view exeName) {
  for (const ShellSurface& s : kShellSurfaces) {
    if (id.Title == s.title && id.ClassName == s.className &&
        (s.exeName.empty() || exeName == s.exeName)) {
      return true;
    }
  }
  return false;
}

bool isHeldDown(std::int16_t keyState) { return (static_cast<std::uint16_t>(keyState) & 0x8000u) != 0; }

std::int32_t absDiff(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(std::llabs(static_cast<long long>(a) - b));
}

}  // namespace

CorrectionEngine::CorrectionEngine(Platform& p, ConfigState& config, MonitorList& monitors)
    : p_(p), config_(config), monitors_(monitors) {}

int CorrectionEngine::firstFailedFilterTest(Hwnd w, FilterPass& out) {
  if (isHeldDown(p_.input.getAsyncKeyState(kVkLButton)) ||
      isHeldDown(p_.input.getAsyncKeyState(kVkRButton))) {
    return 1;
  }
  if (!Func_IsTargetWindow(p_, w, config_.TBDisableDeskTop)) return 2;
  if (config_.TBMAXDisable && p_.windows.isZoomed(w)) return 3;
  if (!p_.windows.isWindowEnabled(w)) return 4;
  out.identity = Proc_WindowIdentity(p_, w);
  if (isExcluded(config_.ListBoxD, out.identity)) return 5;
  if (!Func_WindowRect(p_, w, out.rect)) return 6;
  if (config_.TBDisableDeskTop && p_.windows.monitorFromWindow(w, MonitorDefault::Null) == 0) {
    return 7;
  }
  const TRect& r = out.rect;
  if (r.Left < -kCoordinateLimit || r.Left > kCoordinateLimit || r.Top < -kCoordinateLimit ||
      r.Top > kCoordinateLimit) {
    return 8;
  }
  const std::int32_t width = r.Right - r.Left;
  const std::int32_t height = r.Bottom - r.Top;
  if (height < p_.input.getSystemMetrics(kSmCySize) ||
      width < p_.input.getSystemMetrics(kSmCxSize)) {
    return 9;
  }
  if (Func_IsModernAppWindow(p_, w, out.identity.ClassName)) return 10;
  const std::u16string exeName = exeNameOf(out.identity.ImagePath);
  if (isShellSurface(out.identity, exeName)) return 11;
  if (exeName.ends_with(u".SCR")) return 12;
  const std::uint32_t style = p_.windows.getStyle(w);
  if (style == 0) return 13;
  // Full-screen games and presentations own their monitor; a sizing frame says otherwise.
  MonitorInfo monitor;
  const int index = Func_MonitorIndexOf(p_, monitors_, w);
  if ((style & kWsThickFrame) == 0 && index >= 0 && index < monitors_.count() &&
      monitors_.info(index, monitor) &&
      width >= monitor.bounds.Right - monitor.bounds.Left &&
      height >= monitor.bounds.Bottom - monitor.bounds.Top) {
    return 14;
  }
  if (Func_IsBareStyle(p_, w)) return 15;
  return 0;
}

void CorrectionEngine::Proc_CheckWindow(Hwnd w) {
  FilterPass pass;
  if (firstFailedFilterTest(w, pass) != 0) return;
  const int index = Func_MonitorIndexOf(p_, monitors_, w);
  if (!hasAllowedArea(index)) return;
  const TWorkAreaEdges& a = config_.MWorkArea[static_cast<std::size_t>(index)];
  const TRect area = rectOf(a);
  const TRect& r = pass.rect;

  bool moved = false;
  if (p_.windows.isZoomed(w)) {
    // A maximized window overhangs its area by its frame; only more than that is wrong.
    const std::int32_t g = p_.input.getSystemMetrics(kSmCyFrame);
    if (r.Top < a.Top - g || r.Bottom > a.Bottom + g || r.Left < a.Left - g ||
        r.Right > a.Right + g) {
      // Nothing to read back: a window that does not answer is simply left for later.
      if (!p_.windows.respondsWithin(w, kAnswerTimeoutMs)) return;
      p_.windows.moveWindow(
          w, WindowBox{a.Left, a.Top, absDiff(a.Right, a.Left), absDiff(a.Bottom, a.Top)}, true);
      moved = true;
    }
  } else {
    const bool taller = a.Bottom - a.Top < r.Bottom - r.Top;
    const bool wider = a.Right - a.Left < r.Right - r.Left;
    if (r.Top < a.Top) moved = Func_MoveWindowTo(w, taller ? kFitHeightAtTop : kMoveDownToTop, area);
    if (r.Bottom > a.Bottom) {
      moved = Func_MoveWindowTo(w, taller ? kFitHeightAtTop : kMoveUpToBottom, area);
    }
    if (r.Left < a.Left) moved = Func_MoveWindowTo(w, wider ? kFitWidthAtLeft : kMoveRightToLeft, area);
    if (r.Right > a.Right) {
      moved = Func_MoveWindowTo(w, wider ? kFitWidthAtLeft : kMoveLeftToRight, area);
    }
  }
  if (!moved) return;

  recordProcessed(config_.ListBoxE, pass.identity);
  config_.TBListEClearEnabled = true;
  if (config_.view != nullptr) config_.view->processedListChanged();
  // Until a verified move has happened, and after a window has used up its attempts, the
  // corrected class is taken to be one that keeps coming back: exclude it.
  if (MProcC == 0 && insertUnique(config_.ListBoxD, classKey(pass.identity)) &&
      config_.view != nullptr) {
    config_.view->exclusionListChanged();
  }
}

bool CorrectionEngine::Func_MoveWindowTo(Hwnd w, int code, const TRect& area) {
  WindowBox box;
  if (!Func_WindowBounds(p_, w, box)) return false;
  if (w == MProcHandle && MProcC == 0) return false;

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

  if (Func_OffAllMonitors(p_, box) || p_.input.getSystemMetrics(kSmCxSize) >= box.Width ||
      p_.input.getSystemMetrics(kSmCySize) >= box.Height) {
    return false;
  }
  // A window that does not answer is neither brought forward nor moved; like a refused
  // move it uses up an attempt. Answering after the asynchronous move means it is applied.
  if (!p_.windows.respondsWithin(w, kAnswerTimeoutMs)) return moveFailed(w);
  Func_ForceForeground(p_, w);
  p_.windows.moveWindow(w, box, true);
  const bool answered = p_.windows.respondsWithin(w, kAnswerTimeoutMs);

  WindowBox now;
  if (!Func_WindowBounds(p_, w, now)) return false;
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
