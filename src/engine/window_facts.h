// What one check has asked the platform about one window. Every query is made when a test
// first needs it and its answer serves the later tests of the same check, so the tests can
// run in whatever order is cheapest without asking anything twice.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "engine/monitor_list.h"
#include "settings/window_keys.h"
#include "platform/platform.h"

namespace rimfold {

// Program paths by process id for the windows of one sweep. An id is reused once its
// process has ended, so a cache is never kept beyond the sweep that filled it.
class ImagePathCache {
 public:
  const std::u16string& get(Platform& p, std::uint32_t processId);
  void clear() { paths_.clear(); }

 private:
  std::unordered_map<std::uint32_t, std::u16string> paths_;
};

class WindowFacts {
 public:
  // Without a cache, the image path is looked up for this window alone.
  WindowFacts(Platform& p, Hwnd w, ImagePathCache* paths = nullptr) : p_(p), w_(w), paths_(paths) {}
  WindowFacts(const WindowFacts&) = delete;
  WindowFacts& operator=(const WindowFacts&) = delete;

  Platform& platform() const { return p_; }
  Hwnd handle() const { return w_; }

  bool visible() {
    return ask(visible_, [&] { return p_.windows.isWindowVisible(w_); });
  }
  int textLength() {
    return ask(textLength_, [&] { return p_.windows.getWindowTextLength(w_); });
  }
  const std::u16string& text() {
    return ask(text_, [&] { return p_.windows.getWindowText(w_); });
  }
  const std::u16string& className() {
    return ask(className_, [&] { return p_.windows.getClassName(w_); });
  }
  bool iconic() {
    return ask(iconic_, [&] { return p_.windows.isIconic(w_); });
  }
  bool zoomed() {
    return ask(zoomed_, [&] { return p_.windows.isZoomed(w_); });
  }
  bool enabled() {
    return ask(enabled_, [&] { return p_.windows.isWindowEnabled(w_); });
  }
  std::uint32_t style() {
    return ask(style_, [&] { return p_.windows.getStyle(w_); });
  }
  bool cloaked() {
    return ask(cloaked_, [&] { return p_.windows.isCloaked(w_); });
  }
  std::uint32_t processId() {
    return ask(processId_, [&] {
      std::uint32_t id = 0;
      p_.windows.getWindowThreadProcessId(w_, &id);
      return id;
    });
  }
  Hmonitor nearestMonitor() {
    return ask(nearest_, [&] { return p_.windows.monitorFromWindow(w_, MonitorDefault::Nearest); });
  }

  // Func_WindowRect: false when GetWindowRect fails or the window is parked.
  bool rect(TRect& out);
  // The visible frame (see visibleFrameOf); asked for only when first needed, since a
  // window whose rectangle is inside has its frame inside too. Fails as rect() does.
  bool frame(TRect& out);
  // Func_MonitorIndexOf: may read the monitors again (see MonitorList::locate).
  int monitorIndex(MonitorList& monitors);
  // A full-screen program: no sizing frame, and at least as large as its monitor. The monitor
  // is looked up whatever the style, so that the monitors are read again alike either way.
  bool coversItsMonitor(MonitorList& monitors);

  // Proc_WindowIdentity. Its title and class name (empty for a hidden or untitled window)
  // come without the image path, which only identity() looks up.
  const std::u16string& identityTitle();
  const std::u16string& identityClassName();
  const WindowIdentity& identity();

 private:
  template <typename T, typename Query>
  const T& ask(std::optional<T>& answer, Query query) {
    if (!answer) answer = query();
    return *answer;
  }
  bool titled() { return w_ != 0 && visible() && textLength() > 0; }
  WindowIdentity& names();

  Platform& p_;
  Hwnd w_;
  ImagePathCache* paths_;
  std::optional<bool> visible_, iconic_, zoomed_, enabled_, cloaked_;
  std::optional<int> textLength_, monitorIndex_;
  std::optional<std::u16string> text_, className_;
  std::optional<std::uint32_t> style_, processId_;
  std::optional<Hmonitor> nearest_;
  std::optional<std::optional<TRect>> rect_;  // read, and usable or not
  std::optional<TRect> frame_;
  std::optional<WindowIdentity> identity_;  // title and class name; the path once asked for
  bool pathKnown_ = false;
};

}  // namespace rimfold
