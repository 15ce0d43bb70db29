// The shared hidden window of the simple timers: SetTimer/KillTimer on it, and WM_TIMER
// handed to the shared handler (widgets/model/simple_timer.h), which keeps the logic.
#pragma once

#include "ui/window_base.h"
#include "widgets/model/simple_timer.h"

namespace rimfold::widgets {

class SimpleTimerWindow final : public ui::WindowBase, public ITimerWindow {
 public:
  // Becomes the window the shared timer handler creates on.
  SimpleTimerWindow();
  ~SimpleTimerWindow() override;

  void createWindow() override;
  void destroyWindow() override;
  bool setTimer(std::uintptr_t id, std::uint32_t milliseconds) override;
  bool killTimer(std::uintptr_t id) override;

 private:
  bool onMessage(ui::Message& m) override;
};

}  // namespace rimfold::widgets
