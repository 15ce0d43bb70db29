// The fake desktop as IInput.
#include "fake/fake_desktop.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "rtl/text_utils.h"

namespace rimfold::test {

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

}  // namespace rimfold::test
