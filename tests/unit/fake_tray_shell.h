// The shell side of the tray icon for tests: the Shell_NotifyIconW calls in order, the
// handler window's foreground requests and the popup menu's showings.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "widgets/model/cool_tray_icon.h"

namespace rimfold::test {

class FakeTrayShell final : public ITrayShell {
 public:
  static constexpr Hwnd kHandler = 0x4242;
  struct Call {
    std::uint32_t message;
    NotifyIconData data;
  };
  bool shellNotifyIcon(std::uint32_t message, const NotifyIconData& data) override {
    log.push_back({message, data});
    return answer;
  }
  Hwnd handlerWindow() override { return kHandler; }
  void setForegroundHandler() override { ++foregrounds; }
  std::uint32_t doubleClickTime() override { return doubleClickMs; }

  std::vector<Call> log;
  bool answer = true;
  int foregrounds = 0;
  std::uint32_t doubleClickMs = 500;
};

class FakePopupMenu final : public ITrayPopupMenu {
 public:
  bool autoPopup() override { return auto_; }
  void popup(std::int32_t x, std::int32_t y) override { shownAt.push_back({x, y}); }
  bool clickDefaultItem() override {
    ++defaultClicks;
    return onDefault ? onDefault() : false;
  }

  bool auto_ = true;
  std::vector<TPoint> shownAt;
  int defaultClicks = 0;
  std::function<bool()> onDefault;
};

}  // namespace rimfold::test
