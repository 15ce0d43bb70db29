#include "engine/window_facts.h"

#include "engine/process_path.h"
#include "engine/window_ops.h"

namespace rimfold {

const std::u16string& ImagePathCache::get(Platform& p, std::uint32_t processId) {
  auto found = paths_.find(processId);
  if (found == paths_.end()) {
    found = paths_.emplace(processId, identityImagePath(p, processId)).first;
  }
  return found->second;
}

bool WindowFacts::rect(TRect& out) {
  if (!rect_) {
    TRect r;
    rect_.emplace();
    if (Func_WindowRect(p_, w_, r)) *rect_ = r;
  }
  if (!*rect_) return false;
  out = **rect_;
  return true;
}

bool WindowFacts::frame(TRect& out) {
  TRect r;
  if (!rect(r)) return false;
  if (!frame_) frame_ = visibleFrameOf(p_, w_, r);
  out = *frame_;
  return true;
}

int WindowFacts::monitorIndex(MonitorList& monitors) {
  return ask(monitorIndex_, [&] { return monitors.locate(nearestMonitor()); });
}

bool WindowFacts::coversItsMonitor(MonitorList& monitors) {
  const int index = monitorIndex(monitors);
  TRect r;
  MonitorInfo m;
  return (style() & kWsThickFrame) == 0 && frame(r) && monitors.info(index, m) &&
         r.Right - r.Left >= m.bounds.Right - m.bounds.Left &&
         r.Bottom - r.Top >= m.bounds.Bottom - m.bounds.Top;
}

WindowIdentity& WindowFacts::names() {
  if (!identity_) {
    identity_.emplace();
    if (titled()) {
      identity_->Title = trimWindowText(text());
      identity_->ClassName = trimWindowText(className());
    }
  }
  return *identity_;
}

const std::u16string& WindowFacts::identityTitle() { return names().Title; }

const std::u16string& WindowFacts::identityClassName() { return names().ClassName; }

const WindowIdentity& WindowFacts::identity() {
  WindowIdentity& id = names();
  if (!pathKnown_) {
    pathKnown_ = true;
    if (titled()) {
      const std::uint32_t id32 = processId();
      id.ImagePath = paths_ != nullptr ? paths_->get(p_, id32) : identityImagePath(p_, id32);
    }
  }
  return id;
}

}  // namespace rimfold
