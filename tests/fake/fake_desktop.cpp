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

// Squared pixel distance between two rectangles with exclusive right and bottom edges.
std::int64_t squaredDistance(const TRect& a, const TRect& b) {
  const std::int64_t dx = std::max<std::int64_t>(
      {0, std::int64_t{b.Left} - (a.Right - 1), std::int64_t{a.Left} - (b.Right - 1)});
  const std::int64_t dy = std::max<std::int64_t>(
      {0, std::int64_t{b.Top} - (a.Bottom - 1), std::int64_t{a.Top} - (b.Bottom - 1)});
  return dx * dx + dy * dy;
}

bool equalsFolded(const char16_t* a, const std::u16string& b) {
  return equalsIgnoreCase(std::u16string_view(a), b);
}

// The root of a path ("C:\" or "\\server\share") and its length, or 0 when relative.
std::size_t rootLength(std::u16string_view p) {
  if (p.size() >= 2 && p[1] == u':') return (p.size() >= 3 && p[2] == u'\\') ? 3 : 2;
  if (p.size() >= 2 && p[0] == u'\\' && p[1] == u'\\') {
    std::size_t slashes = 0;
    for (std::size_t i = 2; i < p.size(); ++i) {
      if (p[i] == u'\\' && ++slashes == 2) return i;
    }
    return p.size();
  }
  return 0;
}

std::u16string lastComponent(const std::u16string& p) {
  const auto pos = p.find_last_of(u'\\');
  return pos == std::u16string::npos ? p : p.substr(pos + 1);
}

// Windows-1252 bytes 0x80..0x9F; the five undefined ones map to the same code point.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

FakeDesktop::FakeDesktop() {
  zOrder_.reserve(64);
  enumBuffers_.resize(4);
  for (auto& b : enumBuffers_) b.reserve(64);
  addMonitor({.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1060}, .primary = true});
  setDrive(u'C', {u"\\Device\\HarddiskVolume1", true});
  folders_[kCsidlAppData] = u"C:\\users\\test\\AppData\\Roaming";
  addDirectory(u"C:\\users\\test\\AppData\\Roaming");
  addDirectory(u"C:\\windows\\system32");
  addFile(moduleFileName_, "MZ");
  resetCalls();
}

FakeDesktop::~FakeDesktop() = default;

void FakeDesktop::resetCalls() {
  calls_.fill(0);
  // Pending vanishing windows keep their remaining call budgets.
  for (auto& [h, r] : windows_) {
    if (r.vanishAt >= 0) r.vanishAt -= static_cast<std::int64_t>(total_);
  }
  if (nextVanish_ >= 0) nextVanish_ -= static_cast<std::int64_t>(total_);
  total_ = 0;
}

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
    if (const FakeMonitor* m = monitorByHandle(monitorFromRect(r->w.rect, MonitorDefault::Nearest))) {
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

// ---------------------------------------------------------------- IInput

void FakeDesktop::setKeyDown(int virtualKey, bool down) {
  setKeyState(virtualKey, down ? static_cast<std::int16_t>(-32768) : std::int16_t{0});
}

void FakeDesktop::setKeyState(int virtualKey, std::int16_t state) {
  keys_.at(static_cast<std::size_t>(virtualKey)) = state;
}

void FakeDesktop::setSystemMetric(int index, int value) {
  metricOverrides_.at(static_cast<std::size_t>(index)) = value;
}

std::int16_t FakeDesktop::getAsyncKeyState(int virtualKey) {
  tick(Op::GetAsyncKeyState);
  if (virtualKey < 0 || virtualKey >= 256) return 0;
  return keys_[static_cast<std::size_t>(virtualKey)];
}

bool FakeDesktop::getCursorPos(TPoint& out) {
  tick(Op::GetCursorPos);
  if (cursorFails_) return false;
  out = cursor_;
  return true;
}

int FakeDesktop::getSystemMetrics(int index) {
  tick(Op::GetSystemMetrics);
  if (index >= 0 && index < static_cast<int>(metricOverrides_.size()) &&
      metricOverrides_[static_cast<std::size_t>(index)]) {
    return *metricOverrides_[static_cast<std::size_t>(index)];
  }
  const FakeMonitor* p = primaryMonitor();
  const TRect v = virtualScreen();
  switch (index) {
    case kSmCxScreen: return p ? p->bounds.Right - p->bounds.Left : 0;
    case kSmCyScreen: return p ? p->bounds.Bottom - p->bounds.Top : 0;
    case kSmCxSize:
    case kSmCySize: return 18;
    case kSmCxFrame:
    case kSmCyFrame: return 4;
    case kSmXVirtualScreen: return v.Left;
    case kSmYVirtualScreen: return v.Top;
    case kSmCxVirtualScreen: return v.Right - v.Left;
    case kSmCyVirtualScreen: return v.Bottom - v.Top;
    case kSmCMonitors: return static_cast<int>(monitors_.size());
    default: return 0;
  }
}

int FakeDesktop::getSystemMetricsForWindow(int index, Hwnd w) {
  const int value = getSystemMetrics(index);
  const WindowRec* r = find(w);
  const FakeMonitor* m =
      r != nullptr ? monitorByHandle(monitorFromRect(r->w.rect, MonitorDefault::Nearest)) : nullptr;
  switch (index) {
    case kSmCxSize:
    case kSmCySize:
    case kSmCxFrame:
    case kSmCyFrame:
      // MulDiv's rounding, as the system scales its metrics.
      return m != nullptr ? (value * m->dpi + 48) / 96 : value;
    default: return value;
  }
}

bool FakeDesktop::getWorkArea(TRect& out) {
  tick(Op::GetWorkArea);
  const FakeMonitor* p = primaryMonitor();
  if (p == nullptr) return false;
  out = p->work;
  return true;
}

bool FakeDesktop::getForegroundLockTimeout(std::uint32_t& out) {
  tick(Op::GetForegroundLockTimeout);
  out = lockTimeout_;
  return true;
}

bool FakeDesktop::setForegroundLockTimeout(std::uint32_t value) {
  tick(Op::SetForegroundLockTimeout);
  lockTimeoutSets_.push_back(value);
  lockTimeout_ = value;
  return true;
}

bool FakeDesktop::getDragFullWindows(bool& out) {
  tick(Op::GetDragFullWindows);
  out = dragFullWindows_;
  return true;
}

bool FakeDesktop::setDragFullWindows(bool on) {
  tick(Op::SetDragFullWindows);
  dragFullWindows_ = on;
  return true;
}

bool FakeDesktop::getScreenSaverRunning(bool& out) {
  tick(Op::GetScreenSaverRunning);
  out = screenSaver_;
  return true;
}

bool FakeDesktop::getNonClientBorderWidth(std::uint32_t structSize, int& out) {
  tick(Op::GetNonClientBorderWidth);
  // The structure sizes of Vista and later (504) and of earlier systems (500).
  if (structSize != 504 && structSize != 500) return false;
  out = borderWidth_;
  return true;
}

bool FakeDesktop::getBorder(int& out) {
  tick(Op::GetBorder);
  out = border_;
  return true;
}

void FakeDesktop::keybdEvent(std::uint8_t virtualKey, bool keyUp) {
  tick(Op::KeybdEvent);
  keybdLog_.push_back({virtualKey, keyUp});
}

std::u16string FakeDesktop::keyNameText(int virtualKey) {
  tick(Op::KeyNameText);
  const auto it = keyNames_.find(virtualKey);
  return it == keyNames_.end() ? std::u16string() : it->second;
}

// ---------------------------------------------------------------- IShell

void FakeDesktop::setTaskbar(TaskbarEdge edge, const TRect& rect, bool answers) {
  taskbarEdge_ = edge;
  taskbarRect_ = rect;
  taskbarAnswers_ = answers;
}

std::u16string FakeDesktop::getFolderPath(int csidl) {
  tick(Op::GetFolderPath);
  auto it = folders_.find(csidl);
  return it == folders_.end() ? std::u16string{} : it->second;
}

bool FakeDesktop::getTaskbarPos(TaskbarEdge& edge, TRect& rect) {
  tick(Op::GetTaskbarPos);
  if (!taskbarAnswers_) return false;
  edge = taskbarEdge_;
  rect = taskbarRect_;
  return true;
}

bool FakeDesktop::isUserAnAdmin() {
  tick(Op::IsUserAnAdmin);
  return isAdmin_;
}

void FakeDesktop::shellExecute(Hwnd owner, const std::u16string& file,
                               const std::u16string& parameters,
                               const std::u16string& directory, int showCommand) {
  tick(Op::ShellExecute);
  shellLog_.push_back({false, owner, u"", file, parameters, directory, showCommand});
}

bool FakeDesktop::shellExecuteEx(Hwnd owner, const std::u16string& verb,
                                 const std::u16string& file, const std::u16string& parameters,
                                 int showCommand) {
  tick(Op::ShellExecuteEx);
  shellLog_.push_back({true, owner, verb, file, parameters, u"", showCommand});
  return shellExecuteExResult_;
}

// ---------------------------------------------------------------- ISystem: processes

KernelHandle FakeDesktop::openProcess(std::uint32_t access, std::uint32_t processId) {
  tick(Op::OpenProcess);
  openAccessLog_.push_back(access);
  auto it = processes_.find(processId);
  if (it == processes_.end() || it->second.openFails) return 0;
  nextKernelHandle_ += 4;
  openHandles_[nextKernelHandle_] = processId;
  return nextKernelHandle_;
}

void FakeDesktop::closeHandle(KernelHandle h) {
  tick(Op::CloseHandle);
  openHandles_.erase(h);
}

bool FakeDesktop::getModuleFileNameEx(KernelHandle process, std::u16string& out) {
  tick(Op::GetModuleFileNameEx);
  auto h = openHandles_.find(process);
  if (h == openHandles_.end()) return false;
  const auto& p = processes_.at(h->second);
  if (!p.moduleFileName) return false;
  out = p.moduleFileName->substr(0, 259);
  return true;
}

bool FakeDesktop::getProcessImageFileName(KernelHandle process, std::u16string& out) {
  tick(Op::GetProcessImageFileName);
  auto h = openHandles_.find(process);
  if (h == openHandles_.end()) return false;
  const auto& p = processes_.at(h->second);
  if (!p.imageFileName) return false;
  out = p.imageFileName->substr(0, 259);
  return true;
}

std::uint32_t FakeDesktop::getLogicalDrives() {
  tick(Op::GetLogicalDrives);
  std::uint32_t mask = 0;
  for (const auto& [letter, d] : drives_) mask |= 1u << (letter - u'A');
  return mask;
}

std::u16string FakeDesktop::queryDosDevice(const std::u16string& device) {
  tick(Op::QueryDosDevice);
  if (device.size() != 2 || device[1] != u':') return {};
  char16_t letter = device[0];
  if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - 32);
  auto it = drives_.find(letter);
  return it == drives_.end() ? std::u16string{} : it->second.device;
}

std::optional<bool> FakeDesktop::runsAtHigherIntegrity(std::uint32_t processId) {
  tick(Op::RunsAtHigherIntegrity);
  auto it = processes_.find(processId);
  return it == processes_.end() ? std::nullopt : it->second.higherIntegrity;
}

// ---------------------------------------------------------------- ISystem: versions

void FakeDesktop::setVersion(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
  version_.major = major;
  version_.minor = minor;
  version_.build = build;
}

OsVersion FakeDesktop::getVersion() {
  tick(Op::GetVersion);
  return version_;
}

std::u16string FakeDesktop::getSystemDirectory() {
  tick(Op::GetSystemDirectory);
  return systemDirectory_;
}

std::optional<bool> FakeDesktop::isWow64Process() {
  tick(Op::IsWow64Process);
  return wow64_;
}

bool FakeDesktop::disableFsRedirection(std::uint64_t& saved) {
  tick(Op::DisableFsRedirection);
  if (wow64_ != true) return false;
  saved = static_cast<std::uint64_t>(0xF50000 + redirectionDepth_);
  ++redirectionDepth_;
  return true;
}

bool FakeDesktop::revertFsRedirection(std::uint64_t saved) {
  tick(Op::RevertFsRedirection);
  if (wow64_ != true || redirectionDepth_ == 0) return false;
  if (saved != static_cast<std::uint64_t>(0xF50000 + redirectionDepth_ - 1)) return false;
  --redirectionDepth_;
  return true;
}

void FakeDesktop::setHklmDword(const std::u16string& key, const std::u16string& value,
                               std::uint32_t v) {
  std::u16string_view k = key;
  while (!k.empty() && k.front() == u'\\') k.remove_prefix(1);
  registry_[foldCase(k) + u"|" + foldCase(value)] = v;
}

void FakeDesktop::removeHklmValue(const std::u16string& key, const std::u16string& value) {
  std::u16string_view k = key;
  while (!k.empty() && k.front() == u'\\') k.remove_prefix(1);
  registry_.erase(foldCase(k) + u"|" + foldCase(value));
}

std::optional<std::uint32_t> FakeDesktop::readHklmDword(const std::u16string& key,
                                                        const std::u16string& value) {
  tick(Op::ReadHklmDword);
  std::u16string_view k = key;
  while (!k.empty() && k.front() == u'\\') k.remove_prefix(1);
  auto it = registry_.find(foldCase(k) + u"|" + foldCase(value));
  if (it == registry_.end()) return std::nullopt;
  return it->second;
}

namespace {
std::u16string hkcuKey(const std::u16string& key, const std::u16string& value) {
  return foldCase(key) + u"|" + foldCase(value);
}
}  // namespace

void FakeDesktop::setHkcuBytes(const std::u16string& key, const std::u16string& value,
                               std::string bytes) {
  hkcu_[hkcuKey(key, value)] = HkcuValue{std::nullopt, std::move(bytes)};
}

std::optional<std::u16string> FakeDesktop::readHkcuString(const std::u16string& key,
                                                          const std::u16string& value) {
  tick(Op::ReadHkcu);
  auto it = hkcu_.find(hkcuKey(key, value));
  if (it == hkcu_.end()) return std::nullopt;
  return it->second.text;
}

std::optional<std::string> FakeDesktop::readHkcuBytes(const std::u16string& key,
                                                      const std::u16string& value) {
  tick(Op::ReadHkcu);
  auto it = hkcu_.find(hkcuKey(key, value));
  if (it == hkcu_.end()) return std::nullopt;
  if (!it->second.text) return it->second.bytes;
  const std::u16string& t = *it->second.text;
  return std::string(reinterpret_cast<const char*>(t.c_str()), (t.size() + 1) * 2);
}

bool FakeDesktop::writeHkcuString(const std::u16string& key, const std::u16string& value,
                                  const std::u16string& text) {
  tick(Op::WriteHkcu);
  if (hkcuWritesFail_) return false;
  hkcu_[hkcuKey(key, value)] = HkcuValue{text, {}};
  return true;
}

bool FakeDesktop::deleteHkcuValue(const std::u16string& key, const std::u16string& value) {
  tick(Op::DeleteHkcu);
  if (hkcuWritesFail_) return false;
  hkcu_.erase(hkcuKey(key, value));
  return true;
}

// ---------------------------------------------------------------- ISystem: files

std::u16string FakeDesktop::keyOf(std::u16string_view path) {
  std::u16string p(path);
  std::replace(p.begin(), p.end(), u'/', u'\\');
  if (p.size() == 2 && p[1] == u':') p += u'\\';
  while (p.size() > std::max<std::size_t>(rootLength(p), 1) && p.back() == u'\\') p.pop_back();
  return foldCase(p);
}

std::u16string FakeDesktop::parentOf(const std::u16string& path) {
  const std::size_t root = rootLength(path);
  const auto pos = path.find_last_of(u'\\');
  if (pos == std::u16string::npos || path.size() <= root) return {};
  if (pos < root) return path.substr(0, root);
  return path.substr(0, std::max(pos, root));
}

std::u16string FakeDesktop::resolve(const std::u16string& path) const {
  std::u16string p = path;
  std::replace(p.begin(), p.end(), u'/', u'\\');
  if (shortNames_.empty()) return p;
  const std::size_t root = rootLength(p);
  std::u16string built = p.substr(0, root);
  std::size_t i = root;
  while (i < p.size()) {
    std::size_t j = p.find(u'\\', i);
    if (j == std::u16string::npos) j = p.size();
    if (!built.empty() && built.back() != u'\\') built += u'\\';
    built += p.substr(i, j - i);
    auto it = shortNames_.find(keyOf(built));
    if (it != shortNames_.end()) built = it->second;
    i = j + 1;
  }
  return built;
}

bool FakeDesktop::driveOfPathReady(const std::u16string& path) const {
  char16_t letter = 0;
  if (path.size() >= 2 && path[1] == u':') {
    letter = path[0];
  } else if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\') {
    return true;
  } else if (currentDirectory_.size() >= 2 && currentDirectory_[1] == u':') {
    letter = currentDirectory_[0];
  }
  if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - 32);
  auto it = drives_.find(letter);
  if (it == drives_.end()) return false;
  if (!it->second.ready) {
    ++diskPrompts_;
    return false;
  }
  return true;
}

void FakeDesktop::setDrive(char16_t letter, FakeDrive d) {
  drives_[letter] = std::move(d);
  const std::u16string root = std::u16string(1, letter) + u":\\";
  dirs_[keyOf(root)] = root;
}

void FakeDesktop::removeDrive(char16_t letter) { drives_.erase(letter); }

void FakeDesktop::addDirectory(const std::u16string& path) {
  const std::u16string parent = parentOf(path);
  if (!parent.empty() && parent != path && dirs_.count(keyOf(parent)) == 0) addDirectory(parent);
  std::u16string spelling = path;
  while (spelling.size() > std::max<std::size_t>(rootLength(spelling), 1) &&
         spelling.back() == u'\\') {
    spelling.pop_back();
  }
  dirs_.emplace(keyOf(path), spelling);
}

void FakeDesktop::addFile(const std::u16string& path, std::string bytes) {
  const std::u16string parent = parentOf(path);
  if (!parent.empty()) addDirectory(parent);
  FileRec& f = files_[keyOf(path)];
  f.spelling = path;
  f.bytes = std::move(bytes);
}

void FakeDesktop::removeFile(const std::u16string& path) { files_.erase(keyOf(resolve(path))); }

std::optional<std::string> FakeDesktop::fileBytes(const std::u16string& path) const {
  auto it = files_.find(keyOf(resolve(path)));
  if (it == files_.end()) return std::nullopt;
  return it->second.bytes;
}

void FakeDesktop::lockFile(const std::u16string& path, FileLock lock, std::int64_t forMs) {
  FileRec& f = files_.at(keyOf(resolve(path)));
  f.lock = lock;
  f.lockEnds = forMs < 0 ? -1 : now_ + forMs;
}

FileLock FakeDesktop::lockOf(const FileRec& f) const {
  return f.lockEnds >= 0 && now_ >= f.lockEnds ? FileLock::None : f.lock;
}

void FakeDesktop::addShortName(const std::u16string& shortPath, const std::u16string& longPath) {
  shortNames_[keyOf(shortPath)] = longPath;
}

void FakeDesktop::setFailCreateDirectory(const std::u16string& path) {
  failCreate_.push_back(keyOf(path));
}

bool FakeDesktop::createDirectory(const std::u16string& path) {
  tick(Op::CreateDirectory);
  const std::u16string p = resolve(path);
  if (!driveOfPathReady(p)) return false;
  const std::u16string key = keyOf(p);
  if (std::find(failCreate_.begin(), failCreate_.end(), key) != failCreate_.end()) return false;
  if (dirs_.count(key) != 0 || files_.count(key) != 0) return false;
  const std::u16string parent = parentOf(p);
  if (parent.empty() || dirs_.count(keyOf(parent)) == 0) return false;  // one level only
  addDirectory(p);
  return true;
}

bool FakeDesktop::directoryExists(const std::u16string& path) {
  tick(Op::DirectoryExists);
  const std::u16string p = resolve(path);
  if (!driveOfPathReady(p)) return false;
  return dirs_.count(keyOf(p)) != 0;
}

bool FakeDesktop::fileExists(const std::u16string& path) {
  tick(Op::FileExists);
  const std::u16string p = resolve(path);
  if (p.empty() || !driveOfPathReady(p)) return false;
  return files_.count(keyOf(p)) != 0;
}

bool FakeDesktop::driveRootReady(char16_t upperLetter) {
  tick(Op::DriveRootReady);
  auto it = drives_.find(upperLetter);
  return it != drives_.end() && it->second.ready;
}

std::u16string FakeDesktop::getFullPathName(const std::u16string& path) {
  tick(Op::GetFullPathName);
  std::u16string p = path;
  std::replace(p.begin(), p.end(), u'/', u'\\');
  if (rootLength(p) == 0) {
    if (!p.empty() && p[0] == u'\\') {
      p = currentDirectory_.substr(0, 2) + p;
    } else {
      p = currentDirectory_ + (currentDirectory_.ends_with(u'\\') ? u"" : u"\\") + p;
    }
  } else if (rootLength(p) == 2 && p.size() > 2 && p[0] != u'\\') {
    p.insert(2, u"\\");  // "C:x" taken relative to the root
  }
  const std::size_t root = rootLength(p);
  std::vector<std::u16string> parts;
  std::size_t i = root;
  while (i <= p.size()) {
    std::size_t j = p.find(u'\\', i);
    if (j == std::u16string::npos) j = p.size();
    const std::u16string part = p.substr(i, j - i);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::u16string out = p.substr(0, root);
  for (std::size_t k = 0; k < parts.size(); ++k) {
    if (!out.empty() && out.back() != u'\\') out += u'\\';
    out += parts[k];
  }
  if (p.size() > root && p.back() == u'\\' && !out.ends_with(u'\\')) out += u'\\';
  return out;
}

std::optional<std::u16string> FakeDesktop::findFileName(const std::u16string& path) {
  tick(Op::FindFileName);
  const std::u16string p = resolve(path);
  if (p.size() <= rootLength(p) || !driveOfPathReady(p)) return std::nullopt;
  const std::u16string key = keyOf(p);
  if (auto f = files_.find(key); f != files_.end()) return lastComponent(f->second.spelling);
  if (auto d = dirs_.find(key); d != dirs_.end()) return lastComponent(d->second);
  return std::nullopt;
}

ReadResult FakeDesktop::readFile(const std::u16string& path, std::string& bytes,
                                 std::uint64_t maxBytes) {
  tick(Op::ReadFile);
  const std::u16string p = resolve(path);
  if (!driveOfPathReady(p)) return ReadResult::Missing;
  auto it = files_.find(keyOf(p));
  if (it == files_.end()) return ReadResult::Missing;
  if (lockOf(it->second) == FileLock::Exclusive) return ReadResult::Failed;
  if (it->second.bytes.size() > maxBytes) return ReadResult::TooLarge;
  bytes = it->second.bytes;
  return ReadResult::Ok;
}

bool FakeDesktop::canOpenExclusive(const std::u16string& path) {
  tick(Op::CanOpenExclusive);
  const std::u16string p = resolve(path);
  if (!driveOfPathReady(p)) return false;
  auto it = files_.find(keyOf(p));
  return it != files_.end() && lockOf(it->second) == FileLock::None;
}

bool FakeDesktop::writeFileReplacing(const std::u16string& path, std::string_view bytes) {
  tick(Op::WriteFileReplacing);
  const std::u16string p = resolve(path);
  if (writesFail_ || !driveOfPathReady(p)) return false;
  const std::u16string parent = parentOf(p);
  if (parent.empty() || dirs_.count(keyOf(parent)) == 0) return false;
  const std::u16string key = keyOf(p);
  if (dirs_.count(key) != 0) return false;
  auto it = files_.find(key);
  // Another process's open handle blocks the replacement.
  if (it != files_.end() && lockOf(it->second) != FileLock::None) return false;
  FileRec& f = files_[key];
  if (f.spelling.empty()) f.spelling = p;
  f.bytes.assign(bytes);
  ++writeCount_;
  return true;
}

bool FakeDesktop::deleteFile(const std::u16string& path) {
  tick(Op::DeleteFile);
  auto it = files_.find(keyOf(resolve(path)));
  if (it == files_.end() || lockOf(it->second) != FileLock::None) return false;
  files_.erase(it);
  return true;
}

std::vector<std::u16string> FakeDesktop::findFiles(const std::u16string& folder,
                                                   const std::u16string& pattern) {
  tick(Op::FindFiles);
  // '*' and '?' as FindFirstFile takes them, without regard to letter case.
  const std::function<bool(std::u16string_view, std::u16string_view)> matches =
      [&](std::u16string_view name, std::u16string_view pat) {
        if (pat.empty()) return name.empty();
        if (pat[0] == u'*') {
          for (std::size_t i = 0; i <= name.size(); ++i) {
            if (matches(name.substr(i), pat.substr(1))) return true;
          }
          return false;
        }
        return !name.empty() && (pat[0] == u'?' || pat[0] == name[0]) &&
               matches(name.substr(1), pat.substr(1));
      };
  const std::u16string folderKey = keyOf(resolve(folder));
  const std::u16string patternKey = foldCase(pattern);
  std::vector<std::u16string> names;
  for (const auto& [key, file] : files_) {
    if (parentOf(key) == folderKey && matches(lastComponent(key), patternKey)) {
      names.push_back(lastComponent(file.spelling));
    }
  }
  return names;
}

bool FakeDesktop::setCurrentDirectory(const std::u16string& path) {
  tick(Op::SetCurrentDirectory);
  const std::u16string p = resolve(path);
  if (!driveOfPathReady(p)) return false;
  auto it = dirs_.find(keyOf(p));
  if (it == dirs_.end()) return false;
  currentDirectory_ = it->second;
  return true;
}

std::u16string FakeDesktop::getCurrentDirectory() {
  tick(Op::GetCurrentDirectory);
  return currentDirectory_;
}

std::u16string FakeDesktop::getModuleFileName() {
  tick(Op::GetModuleFileName);
  return moduleFileName_;
}

// ---------------------------------------------------------------- IClock

std::int64_t FakeDesktop::nowMilliseconds() {
  tick(Op::NowMilliseconds);
  return now_;
}

std::int64_t FakeDesktop::nowTicks() {
  tick(Op::NowMilliseconds);
  return now_ * (kFakeTicksPerSecond / 1000) + subTicks_;
}

std::int64_t FakeDesktop::ticksPerSecond() { return kFakeTicksPerSecond; }

void FakeDesktop::sleep(std::uint32_t milliseconds) {
  tick(Op::Sleep);
  sleepLog_.push_back(milliseconds);
  now_ += milliseconds;
}

LocalTime FakeDesktop::localTime() {
  tick(Op::LocalTime);
  return localTime_;
}

std::u16string FakeDesktop::formatShortDate(const LocalTime& t) {
  tick(Op::FormatShortDate);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", t.year, t.month, t.day);
  return std::u16string(buf, buf + std::char_traits<char>::length(buf));
}

std::u16string FakeDesktop::formatLongTime(const LocalTime& t) {
  tick(Op::FormatLongTime);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d:%02d:%02d", t.hour, t.minute, t.second);
  return std::u16string(buf, buf + std::char_traits<char>::length(buf));
}

// ---------------------------------------------------------------- ICodePage (1252)

std::u16string FakeDesktop::ansiToUtf16(std::string_view bytes) const {
  count(Op::AnsiToUtf16);
  std::u16string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out.push_back(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t{b});
  }
  return out;
}

std::string FakeDesktop::utf16ToAnsi(std::u16string_view text) const {
  count(Op::Utf16ToAnsi);
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    char mapped = '?';  // each unrepresentable code unit, surrogates included
    for (int i = 0; i < 32; ++i) {
      if (kCp1252High[i] == c) mapped = static_cast<char>(0x80 + i);
    }
    out.push_back(mapped);
  }
  return out;
}

}  // namespace rimfold::test
