// The fake desktop as IWindowManager: windows, message boxes and monitors.
#include "fake/fake_desktop.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "rtl/text_utils.h"

namespace rimfold::test {

namespace {

constexpr std::uint32_t kWsMinimize = 0x20000000u;
// What a minimized window reports: parked at -32000 with the size of a minimized caption.
constexpr TRect kParkedRect{kParkedCoordinate, kParkedCoordinate, kParkedCoordinate + 160,
                            kParkedCoordinate + 24};

bool contains(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

std::int64_t intersectionArea(const TRect& a, const TRect& b) {
  const std::int64_t w = std::int64_t{std::min(a.Right, b.Right)} - std::max(a.Left, b.Left);
  const std::int64_t h = std::int64_t{std::min(a.Bottom, b.Bottom)} - std::max(a.Top, b.Top);
  return (w > 0 && h > 0) ? w * h : 0;
}

// The squared gap between two rectangles with exclusive right and bottom edges: rectangles
// that touch are 0 apart, and the first monitor of a tie wins. That is how Wine's user32
// measures "nearest" (the contract suite pins it on the two-monitor desktop).
std::int64_t squaredDistance(const TRect& a, const TRect& b) {
  const std::int64_t dx =
      std::max<std::int64_t>({0, std::int64_t{b.Left} - a.Right, std::int64_t{a.Left} - b.Right});
  const std::int64_t dy =
      std::max<std::int64_t>({0, std::int64_t{b.Top} - a.Bottom, std::int64_t{a.Top} - b.Bottom});
  return dx * dx + dy * dy;
}

bool equalsFolded(const char16_t* a, const std::u16string& b) {
  return equalsIgnoreCase(std::u16string_view(a), b);
}

}  // namespace

// ---------------------------------------------------------------- windows (test API)

Hwnd FakeDesktop::addWindow(const FakeWindow& w) {
  WindowRec rec;
  rec.w = w;
  if (rec.w.handle == 0) {
    while (windows_.count(nextHandle_) != 0) nextHandle_ += 2;
    rec.w.handle = nextHandle_;
    nextHandle_ += 2;
  }
  const Hwnd h = rec.w.handle;
  if (w.vanishAfterCalls >= 0) {
    rec.vanishAt = static_cast<std::int64_t>(total_) + w.vanishAfterCalls;
    if (nextVanish_ < 0 || rec.vanishAt < nextVanish_) nextVanish_ = rec.vanishAt;
  }
  destroyWindow(h);
  windows_[h] = std::move(rec);
  place(h, !w.placeAtBottom);
  return h;
}

void FakeDesktop::destroyWindow(Hwnd w) {
  if (windows_.erase(w) == 0) return;
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), w), zOrder_.end());
  if (foreground_ == w) foreground_ = 0;
  // Destroying a window destroys its children.
  for (;;) {
    Hwnd child = 0;
    for (const auto& [h, r] : windows_) {
      if (r.w.parent == w) {
        child = h;
        break;
      }
    }
    if (child == 0) break;
    destroyWindow(child);
  }
}

void FakeDesktop::vanishDue() {
  for (;;) {
    Hwnd due = 0;
    for (const auto& [h, r] : windows_) {
      if (r.vanishAt >= 0 && static_cast<std::int64_t>(total_) > r.vanishAt) {
        due = h;
        break;
      }
    }
    if (due == 0) break;
    destroyWindow(due);
  }
  nextVanish_ = -1;
  for (const auto& [h, r] : windows_) {
    if (r.vanishAt >= 0 && (nextVanish_ < 0 || r.vanishAt < nextVanish_)) nextVanish_ = r.vanishAt;
  }
}

bool FakeDesktop::exists(Hwnd w) const { return find(w) != nullptr; }

FakeWindow& FakeDesktop::window(Hwnd w) { return windows_.at(w).w; }

TRect FakeDesktop::rectOf(Hwnd w) const { return windows_.at(w).w.rect; }

void FakeDesktop::raise(Hwnd w) { place(w, true); }
void FakeDesktop::lower(Hwnd w) { place(w, false); }

std::vector<Hwnd> FakeDesktop::zOrder() const {
  std::vector<Hwnd> out;
  for (Hwnd h : zOrder_) {
    if (find(h)->w.parent == 0) out.push_back(h);
  }
  return out;
}

std::vector<WindowBox> FakeDesktop::moveLog(Hwnd w) const {
  const WindowRec* r = find(w);
  return r ? r->moves : std::vector<WindowBox>{};
}

FakeDesktop::WindowRec* FakeDesktop::find(Hwnd w) {
  auto it = windows_.find(w);
  return it == windows_.end() ? nullptr : &it->second;
}

const FakeDesktop::WindowRec* FakeDesktop::find(Hwnd w) const {
  auto it = windows_.find(w);
  return it == windows_.end() ? nullptr : &it->second;
}

// Topmost windows form a band above the others; a window moves only within its band.
void FakeDesktop::place(Hwnd w, bool top) {
  const WindowRec* r = find(w);
  if (r == nullptr) return;
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), w), zOrder_.end());
  if (r->w.parent != 0) {
    zOrder_.insert(top ? zOrder_.begin() : zOrder_.end(), w);
    return;
  }
  const bool topmost = (r->w.exStyle & kWsExTopmost) != 0;
  auto firstNormal = std::find_if(zOrder_.begin(), zOrder_.end(), [&](Hwnd h) {
    const WindowRec* o = find(h);
    return o->w.parent == 0 && (o->w.exStyle & kWsExTopmost) == 0;
  });
  if (topmost) {
    zOrder_.insert(top ? zOrder_.begin() : firstNormal, w);
  } else {
    zOrder_.insert(top ? firstNormal : zOrder_.end(), w);
  }
}

bool FakeDesktop::visibleChain(const WindowRec& r) const {
  const WindowRec* cur = &r;
  while (cur != nullptr) {
    if (!cur->w.visible) return false;
    if (cur->w.parent == 0) return true;
    cur = find(cur->w.parent);
  }
  return false;
}

Hwnd FakeDesktop::childAt(Hwnd parent, TPoint p) const {
  for (Hwnd h : zOrder_) {
    const WindowRec* r = find(h);
    // As Wine's server: hidden windows and disabled children are passed over.
    if (r->w.parent != parent || !r->w.visible || !r->w.enabled) continue;
    if (!contains(r->w.rect, p)) continue;
    const Hwnd deeper = childAt(h, p);
    return deeper != 0 ? deeper : h;
  }
  return 0;
}

// ---------------------------------------------------------------- IWindowManager

void FakeDesktop::listTopWindows(std::vector<Hwnd>& out) {
  tick(Op::ListTopWindows);
  out.clear();
  // Bottom first: no order is promised, and none may be relied on.
  for (auto it = zOrder_.rbegin(); it != zOrder_.rend(); ++it) {
    if (find(*it)->w.parent == 0) out.push_back(*it);
  }
}

void FakeDesktop::enumWindows(FunctionRef<bool(Hwnd)> callback) {
  tick(Op::EnumWindows);
  if (enumDepth_ == enumBuffers_.size()) enumBuffers_.emplace_back();
  auto& snapshot = enumBuffers_[enumDepth_];
  snapshot.clear();
  for (Hwnd h : zOrder_) {
    if (find(h)->w.parent == 0) snapshot.push_back(h);
  }
  ++enumDepth_;
  // The list is taken before the first callback; windows destroyed meanwhile are skipped.
  for (std::size_t i = 0; i < snapshot.size(); ++i) {
    if (find(snapshot[i]) == nullptr) continue;
    if (!callback(snapshot[i])) break;
  }
  --enumDepth_;
}

bool FakeDesktop::getWindowRect(Hwnd w, TRect& out) {
  tick(Op::GetWindowRect);
  if (w == kDesktopHwnd) {
    const FakeMonitor* m = primaryMonitor();
    out = m ? m->bounds : TRect{};
    return true;
  }
  const WindowRec* r = find(w);
  if (r == nullptr) return false;
  out = r->w.iconic ? kParkedRect : r->w.rect;
  return true;
}

TRect FakeDesktop::visibleFrameOf(Hwnd w) const {
  const WindowRec* r = find(w);
  if (r == nullptr) return {};
  const TRect& b = r->w.invisibleBorders;
  const TRect& o = r->w.rect;
  return {o.Left + b.Left, o.Top + b.Top, o.Right - b.Right, o.Bottom - b.Bottom};
}

bool FakeDesktop::getVisibleFrame(Hwnd w, TRect& out) {
  tick(Op::GetVisibleFrame);
  const WindowRec* r = find(w);
  if (!windowManager_ || r == nullptr) return false;
  // A minimized window's frame is its parked rectangle.
  out = r->w.iconic ? kParkedRect : visibleFrameOf(w);
  return true;
}

bool FakeDesktop::isCloaked(Hwnd w) {
  tick(Op::IsCloaked);
  const WindowRec* r = find(w);
  return windowManager_ && r != nullptr && r->w.cloaked;
}

bool FakeDesktop::isWindowVisible(Hwnd w) {
  tick(Op::IsWindowVisible);
  if (w == kDesktopHwnd) return true;
  const WindowRec* r = find(w);
  return r != nullptr && visibleChain(*r);
}

bool FakeDesktop::isWindowEnabled(Hwnd w) {
  tick(Op::IsWindowEnabled);
  if (w == kDesktopHwnd) return true;
  const WindowRec* r = find(w);
  return r != nullptr && r->w.enabled;
}

bool FakeDesktop::isIconic(Hwnd w) {
  tick(Op::IsIconic);
  const WindowRec* r = find(w);
  return r != nullptr && r->w.iconic;
}

bool FakeDesktop::isZoomed(Hwnd w) {
  tick(Op::IsZoomed);
  const WindowRec* r = find(w);
  return r != nullptr && r->w.zoomed;
}

bool FakeDesktop::respondsWithin(Hwnd w, std::uint32_t) {
  tick(Op::RespondsWithin);
  const WindowRec* r = find(w);
  return r != nullptr && !r->w.hung;
}

int FakeDesktop::getWindowTextLength(Hwnd w) {
  tick(Op::GetWindowTextLength);
  const WindowRec* r = find(w);
  return r == nullptr ? 0 : static_cast<int>(r->w.title.size());
}

std::u16string FakeDesktop::getWindowText(Hwnd w) {
  tick(Op::GetWindowText);
  const WindowRec* r = find(w);
  if (r == nullptr) return {};
  const std::u16string& t = r->w.title;
  return t.substr(0, std::min<std::size_t>(t.find(u'\0'), 259));
}

std::u16string FakeDesktop::getClassName(Hwnd w) {
  tick(Op::GetClassName);
  const WindowRec* r = find(w);
  if (r == nullptr) return {};
  const std::u16string& c = r->w.className;
  return c.substr(0, std::min<std::size_t>(c.find(u'\0'), 259));
}

std::uint32_t FakeDesktop::getStyle(Hwnd w) {
  tick(Op::GetStyle);
  const WindowRec* r = find(w);
  if (r == nullptr) return 0;
  if (r->w.styleAsGiven) return r->w.style;
  std::uint32_t s = r->w.style & ~(kWsVisible | kWsDisabled | kWsMaximize | kWsMinimize);
  if (r->w.visible) s |= kWsVisible;
  if (!r->w.enabled) s |= kWsDisabled;
  if (r->w.zoomed) s |= kWsMaximize;
  if (r->w.iconic) s |= kWsMinimize;
  return s;
}

std::uint32_t FakeDesktop::getExStyle(Hwnd w) {
  tick(Op::GetExStyle);
  const WindowRec* r = find(w);
  return r == nullptr ? 0 : r->w.exStyle;
}

Hwnd FakeDesktop::getParent(Hwnd w) {
  tick(Op::GetParent);
  const WindowRec* r = find(w);
  return r == nullptr ? 0 : r->w.parent;
}

Hwnd FakeDesktop::windowFromPoint(TPoint p) {
  tick(Op::WindowFromPoint);
  for (Hwnd h : zOrder_) {
    const WindowRec* r = find(h);
    if (r->w.parent != 0 || !r->w.visible) continue;
    if (!contains(r->w.iconic ? kParkedRect : r->w.rect, p)) continue;
    const Hwnd child = childAt(h, p);
    return child != 0 ? child : h;
  }
  return kDesktopHwnd;
}

Hwnd FakeDesktop::getForegroundWindow() {
  tick(Op::GetForegroundWindow);
  return foreground_;
}

bool FakeDesktop::setForegroundWindow(Hwnd w) {
  tick(Op::SetForegroundWindow);
  if (find(w) == nullptr) return false;
  if (foregroundLocked_ && lockTimeout_ != 0 && foreground_ != w) {
    const WindowRec* fg = find(foreground_);
    const std::uint32_t fgThread = fg ? fg->w.threadId : 0;
    bool active = false;
    for (const auto& [a, b] : activeAttach_) {
      if (fgThread != 0 && (a == fgThread || b == fgThread)) active = true;
    }
    if (!active) return false;
  }
  foreground_ = w;
  place(w, true);
  return true;
}

bool FakeDesktop::bringWindowToTop(Hwnd w) {
  tick(Op::BringWindowToTop);
  if (find(w) == nullptr) return false;
  place(w, true);
  return true;
}

Hwnd FakeDesktop::getDesktopWindow() {
  tick(Op::GetDesktopWindow);
  return kDesktopHwnd;
}

std::uint32_t FakeDesktop::getWindowThreadProcessId(Hwnd w, std::uint32_t* processId) {
  tick(Op::GetWindowThreadProcessId);
  const WindowRec* r = find(w);
  if (processId != nullptr) *processId = r ? r->w.processId : 0;
  return r ? r->w.threadId : 0;
}

bool FakeDesktop::attachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) {
  tick(Op::AttachThreadInput);
  attachLog_.push_back({thread, toThread, attach});
  if (attachFails_ || thread == 0 || toThread == 0 || thread == toThread) return false;
  const std::pair<std::uint32_t, std::uint32_t> pair{thread, toThread};
  auto it = std::find(activeAttach_.begin(), activeAttach_.end(), pair);
  if (attach) {
    activeAttach_.push_back(pair);
    return true;
  }
  if (it == activeAttach_.end()) return false;
  activeAttach_.erase(it);
  return true;
}

bool FakeDesktop::moveWindow(Hwnd w, const WindowBox& box, bool repaint) {
  tick(Op::MoveWindow);
  WindowRec* r = find(w);
  if (r == nullptr) return false;
  r->moves.push_back(box);
  if (r->w.vanishOnMove) {
    destroyWindow(w);
    return false;
  }
  // A window that vetoes the change in WM_WINDOWPOSCHANGING still lets MoveWindow succeed.
  if (r->w.refusesMoves) return true;
  WindowBox b = box;
  b.Width = std::max(b.Width, r->w.minWidth);
  b.Height = std::max(b.Height, r->w.minHeight);
  b.Left += r->w.moveOffset.X;
  b.Top += r->w.moveOffset.Y;
  if (r->w.alterMove) b = r->w.alterMove(b);
  const TRect before = r->w.rect;
  r->w.rect = {b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
  if (r->w.rescalesOnDpi) {
    const FakeMonitor* from = monitorByHandle(monitorFromRect(before, MonitorDefault::Nearest));
    const FakeMonitor* to = monitorByHandle(monitorFromRect(r->w.rect, MonitorDefault::Nearest));
    if (from != nullptr && to != nullptr && from->dpi != to->dpi) {
      r->w.rect.Right = b.Left + b.Width * to->dpi / from->dpi;
      r->w.rect.Bottom = b.Top + b.Height * to->dpi / from->dpi;
    }
  }
  return true;
}

bool FakeDesktop::showWindowAsync(Hwnd w, ShowCommand command) {
  tick(Op::ShowWindowAsync);
  WindowRec* r = find(w);
  if (r == nullptr) return false;
  r->w.iconic = false;
  r->w.zoomed = command == ShowCommand::Maximize;
  if (r->w.zoomed) {
    // Maximized over the work area of the monitor it is on.
    if (const FakeMonitor* m =
            monitorByHandle(monitorFromRect(r->w.rect, MonitorDefault::Nearest))) {
      r->w.rect = m->work == TRect{} ? m->bounds : m->work;
    }
  }
  return true;
}

Hwnd FakeDesktop::findWindowEx(Hwnd parent, Hwnd childAfter, const char16_t* className,
                               const char16_t* title) {
  tick(Op::FindWindowEx);
  if (parent == kDesktopHwnd) parent = 0;
  if (parent != 0 && find(parent) == nullptr) return 0;
  bool started = childAfter == 0;
  for (Hwnd h : zOrder_) {
    const WindowRec* r = find(h);
    if (r->w.parent != parent) continue;
    if (!started) {
      started = h == childAfter;
      continue;
    }
    // Class names are atoms and window names are compared without regard to case.
    if (className != nullptr && !equalsFolded(className, r->w.className)) continue;
    if (title != nullptr && !equalsFolded(title, r->w.title)) continue;
    return h;
  }
  return 0;
}

// ---------------------------------------------------------------- message boxes

MessageBoxCall* FakeDesktop::openBox(Hwnd w) {
  for (auto& call : boxLog_) {
    if (call.box == w && call.result == 0) return &call;
  }
  return nullptr;
}

void FakeDesktop::closeBox(MessageBoxCall& call, int result) {
  call.result = result;
  destroyWindow(call.box);
}

int FakeDesktop::messageBox(Hwnd owner, const std::u16string& text, const std::u16string& caption,
                            std::uint32_t style) {
  tick(Op::MessageBox);
  FakeWindow w;
  w.rect = {760, 480, 1160, 600};
  w.style = kWsPopup | kWsCaption | kWsSysMenu;
  w.title = caption;
  w.className = kDialogBoxClass;
  w.threadId = kOwnThreadId;
  const Hwnd box = addWindow(w);
  foreground_ = box;
  const std::size_t index = boxLog_.size();
  boxLog_.push_back({owner, box, text, {caption}, style, 0});

  FakeMessageBox script;
  if (!boxScripts_.empty()) {
    script = std::move(boxScripts_.front());
    boxScripts_.erase(boxScripts_.begin());
  }
  if (script.whileOpen) script.whileOpen(box);
  // The log may have grown with nested boxes: address this one by index.
  MessageBoxCall& call = boxLog_[index];
  if (call.result == 0) {
    const bool yesNo = (style & kMbTypeMask) == kMbYesNo;
    closeBox(call, script.answer != 0 ? script.answer : (yesNo ? kIdYes : kIdOk));
  }
  return call.result;
}

bool FakeDesktop::setWindowText(Hwnd w, const std::u16string& text) {
  tick(Op::SetWindowText);
  WindowRec* r = find(w);
  if (r == nullptr) return false;
  r->w.title = text;
  if (MessageBoxCall* call = openBox(w)) call->captions.push_back(text);
  return true;
}

void FakeDesktop::sendClose(Hwnd w) {
  tick(Op::SendClose);
  MessageBoxCall* call = openBox(w);
  if (call == nullptr) {
    destroyWindow(w);  // DefWindowProc destroys a window it is asked to close
    return;
  }
  // Wine answers IDCANCEL for every box (Windows IDOK for an OK box); callers ignore it.
  closeBox(*call, kIdCancel);
}

void FakeDesktop::sendCommand(Hwnd w, int id) {
  tick(Op::SendCommand);
  if (MessageBoxCall* call = openBox(w)) closeBox(*call, id);
}

// ---------------------------------------------------------------- monitors

Hmonitor FakeDesktop::addMonitor(const FakeMonitor& m) {
  FakeMonitor copy = m;
  if (copy.handle == 0) copy.handle = nextMonitor_++;
  if (copy.work == TRect{}) copy.work = copy.bounds;
  monitors_.push_back(copy);
  return copy.handle;
}

void FakeDesktop::setMonitors(const std::vector<FakeMonitor>& monitors) {
  monitors_.clear();
  for (const auto& m : monitors) addMonitor(m);
}

void FakeDesktop::removeMonitor(Hmonitor m) {
  monitors_.erase(std::remove_if(monitors_.begin(), monitors_.end(),
                                 [&](const FakeMonitor& x) { return x.handle == m; }),
                  monitors_.end());
}

void FakeDesktop::setMonitorDpi(Hmonitor m, int dpi) {
  for (auto& x : monitors_) {
    if (x.handle == m) x.dpi = dpi;
  }
}

void FakeDesktop::setWorkArea(Hmonitor m, const TRect& work) {
  for (auto& x : monitors_) {
    if (x.handle == m) x.work = work;
  }
}

void FakeDesktop::setMonitorBounds(Hmonitor m, const TRect& bounds) {
  for (auto& x : monitors_) {
    if (x.handle == m) x.bounds = bounds;
  }
}

const FakeMonitor* FakeDesktop::monitorByHandle(Hmonitor m) const {
  for (const auto& x : monitors_) {
    if (x.handle == m) return &x;
  }
  return nullptr;
}

const FakeMonitor* FakeDesktop::primaryMonitor() const {
  for (const auto& x : monitors_) {
    if (x.primary) return &x;
  }
  return monitors_.empty() ? nullptr : &monitors_.front();
}

Hmonitor FakeDesktop::monitorFromRect(const TRect& r, MonitorDefault fallback) const {
  const FakeMonitor* best = nullptr;
  std::int64_t bestArea = 0;
  for (const auto& m : monitors_) {
    const std::int64_t a = intersectionArea(r, m.bounds);
    if (a > bestArea) {
      bestArea = a;
      best = &m;
    }
  }
  if (best != nullptr) return best->handle;
  if (fallback == MonitorDefault::Null) return 0;
  std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
  for (const auto& m : monitors_) {
    const std::int64_t d = squaredDistance(r, m.bounds);
    if (d < bestDistance) {
      bestDistance = d;
      best = &m;
    }
  }
  return best ? best->handle : 0;
}

void FakeDesktop::enumDisplayMonitors(std::vector<Hmonitor>& out) {
  tick(Op::EnumDisplayMonitors);
  out.clear();
  for (const auto& m : monitors_) out.push_back(m.handle);
}

bool FakeDesktop::getMonitorInfo(Hmonitor m, MonitorInfo& out) {
  tick(Op::GetMonitorInfo);
  const FakeMonitor* x = monitorByHandle(m);
  if (x == nullptr) return false;
  out = {x->bounds, x->work, x->primary};
  return true;
}

Hmonitor FakeDesktop::monitorFromWindow(Hwnd w, MonitorDefault fallback) {
  tick(Op::MonitorFromWindow);
  const WindowRec* r = find(w);
  if (r == nullptr) {
    // As Wine: no rectangle, so the default applies.
    if (fallback == MonitorDefault::Null) return 0;
    const FakeMonitor* p = primaryMonitor();
    return p ? p->handle : 0;
  }
  // A minimized window counts where it would be restored.
  return monitorFromRect(r->w.rect, fallback);
}

Hmonitor FakeDesktop::monitorFromPoint(TPoint p, MonitorDefault fallback) {
  tick(Op::MonitorFromPoint);
  for (const auto& m : monitors_) {
    if (contains(m.bounds, p)) return m.handle;
  }
  if (fallback == MonitorDefault::Null) return 0;
  return monitorFromRect({p.X, p.Y, p.X + 1, p.Y + 1}, fallback);
}

TRect FakeDesktop::virtualScreen() const {
  if (monitors_.empty()) return {};
  TRect u = monitors_.front().bounds;
  for (const auto& m : monitors_) {
    u.Left = std::min(u.Left, m.bounds.Left);
    u.Top = std::min(u.Top, m.bounds.Top);
    u.Right = std::max(u.Right, m.bounds.Right);
    u.Bottom = std::max(u.Bottom, m.bounds.Bottom);
  }
  return u;
}

}  // namespace rimfold::test
