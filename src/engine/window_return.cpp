#include "engine/window_return.h"

#include <algorithm>
#include <iterator>

#include "engine/window_facts.h"
#include "engine/window_ops.h"

namespace rimfold {

std::size_t WindowReturn::recordCount() const noexcept {
  std::size_t n = 0;
  for (const Layout& l : layouts_) n += l.places.size();
  return n;
}

std::vector<WindowReturn::Place>::iterator WindowReturn::find(std::vector<Place>& places, Hwnd w) {
  return std::lower_bound(places.begin(), places.end(), w,
                          [](const Place& place, Hwnd h) { return place.window < h; });
}

void WindowReturn::enter(const MonitorList& monitors, CorrectableWindow correctable, bool putBack) {
  std::vector<MonitorArea> areas;
  for (int i = 0; i < monitors.count(); ++i) {
    MonitorInfo info;
    if (monitors.info(i, info)) areas.push_back({info.bounds, info.work});
  }
  Func_ScreenChanged(p_.input, screen_);
  frozen_ = false;
  ++entries_;
  // Windows closed since are dropped from every layout.
  for (Layout& l : layouts_) {
    std::erase_if(l.places, [&](const Place& place) {
      TRect r;
      return !p_.windows.getWindowRect(place.window, r);
    });
  }
  // The same monitors may come back in another enumeration order.
  const auto found = std::find_if(layouts_.begin(), layouts_.end(), [&](const Layout& l) {
    return std::is_permutation(l.monitors.begin(), l.monitors.end(), areas.begin(), areas.end());
  });
  if (found == layouts_.end()) {
    if (layouts_.size() >= kMaxLayouts) {
      layouts_.erase(
          std::min_element(layouts_.begin(), layouts_.end(),
                           [](const Layout& a, const Layout& b) { return a.entered < b.entered; }));
    }
    layouts_.push_back({std::move(areas), {}, entries_});
    current_ = layouts_.size() - 1;
    return;
  }
  found->entered = entries_;
  current_ = static_cast<std::size_t>(std::distance(layouts_.begin(), found));
  if (putBack) this->putBack(*found, correctable);
}

void WindowReturn::putBack(const Layout& layout, CorrectableWindow correctable) {
  for (const Place& place : layout.places) {
    const Hwnd w = place.window;
    TRect now;
    // Gone, or minimized: a minimized window comes back where the user restores it.
    if (!Func_WindowRect(p_, w, now)) continue;
    const bool zoomed = p_.windows.isZoomed(w);
    if (now == place.rect && zoomed == place.maximized) continue;
    WindowIdentity identity;
    if (!correctable(w, identity)) continue;
    // A handle used again by another window since.
    if (identity.ClassName != place.className || identity.ImagePath != place.imagePath) continue;
    // All posted, in this order, so that a window that does not answer holds nobody; the
    // wait for the move to land, which a window that rescales itself on the monitor it
    // returns to needs, is bounded.
    if (zoomed) p_.windows.showWindowAsync(w, ShowCommand::RestoreNoActivate);
    const TRect& to = place.maximized ? place.normal : place.rect;
    moveAcrossMonitors(p_, w, WindowBox{to.Left, to.Top, to.Right - to.Left, to.Bottom - to.Top});
    if (place.maximized) p_.windows.showWindowAsync(w, ShowCommand::Maximize);
  }
}

void WindowReturn::sweepBegin() {
  ++sweep_;
  if (!frozen_ && Func_ScreenChanged(p_.input, screen_)) frozen_ = true;
}

void WindowReturn::sweepEnd(bool complete) {
  if (!complete || frozen_ || current_ >= layouts_.size()) return;
  std::erase_if(layouts_[current_].places,
                [&](const Place& place) { return place.sweep != sweep_; });
}

void WindowReturn::seen(WindowFacts& f, const TRect& r, bool zoomed) {
  if (frozen_ || current_ >= layouts_.size()) return;
  std::vector<Place>& places = layouts_[current_].places;
  auto it = find(places, f.handle());
  const bool added = it == places.end() || it->window != f.handle();
  // A cloaked window is not on the screen, so where it stands is not a place to go back to.
  // Asked only of a window new to the records or moved since: one cloaked where it stood
  // keeps the place it was last seen at.
  if ((added || it->rect != r || it->maximized != zoomed) && f.cloaked()) {
    if (!added) places.erase(it);
    return;
  }
  if (added) {
    if (places.size() >= kMaxPlaces) {
      // The closed windows go first; if that is not enough, the least recently seen half.
      std::erase_if(places, [&](const Place& place) {
        TRect gone;
        return !p_.windows.getWindowRect(place.window, gone);
      });
      if (places.size() >= kMaxPlaces) {
        std::vector<std::uint32_t> sweeps;
        sweeps.reserve(places.size());
        for (const Place& place : places) sweeps.push_back(place.sweep);
        std::nth_element(sweeps.begin(),
                         sweeps.begin() + static_cast<std::ptrdiff_t>(sweeps.size() / 2),
                         sweeps.end());
        const std::uint32_t median = sweeps[sweeps.size() / 2];
        std::erase_if(places, [&](const Place& place) { return place.sweep < median; });
        if (places.size() >= kMaxPlaces) places.clear();
      }
    }
    it = find(places, f.handle());
    it = places.insert(it, Place{});
    it->window = f.handle();
    // Read once per window and layout; the sweep's program paths are shared.
    const WindowIdentity& identity = f.identity();
    it->className = identity.ClassName;
    it->imagePath = identity.ImagePath;
  }
  Place& place = *it;
  // Maximized since before it was first seen: its maximized rectangle at least puts it on
  // the right monitor.
  if (added || !zoomed) place.normal = r;
  place.rect = r;
  place.maximized = zoomed;
  place.sweep = sweep_;
}

void WindowReturn::noted(WindowFacts& f, const TRect& r, bool zoomed) {
  if (frozen_ || current_ >= layouts_.size()) return;
  if (Func_ScreenChanged(p_.input, screen_)) {
    frozen_ = true;
    return;
  }
  seen(f, r, zoomed);
}

void WindowReturn::userMoved(Hwnd w) {
  for (std::size_t i = 0; i < layouts_.size(); ++i) {
    std::vector<Place>& places = layouts_[i].places;
    const auto it = find(places, w);
    if ((i != current_ || frozen_) && it != places.end() && it->window == w) places.erase(it);
  }
}

}  // namespace rimfold
