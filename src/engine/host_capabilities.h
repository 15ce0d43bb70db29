// What the engine and the pauses around it ask of the program that runs them, as small
// capabilities: the run's mode and the tray's switches, and the win-event hook's switch.
// The timers are platform/timer.h's.
#pragma once

namespace rimfold {

// How the program runs now: the one-shot mode and the user's switches in the tray menu.
class IRunState {
 public:
  virtual bool nonResident() = 0;            // first argument exactly "/Q"
  virtual bool stopChecked() = 0;            // PPStop's check mark
  virtual bool dispDialogChecked() = 0;      // PPDispDialog's check mark
  virtual void setTrayEnabled(bool on) = 0;  // the tray icon's Enabled: no menu in a pause

 protected:
  ~IRunState() = default;
};

// The win-event hook, switched off for a pause and on again after it.
class IHookSwitch {
 public:
  virtual bool hookInstalled() const = 0;  // EventHook: set up, or refused and retried
  virtual void Proc_SetEventHook() = 0;
  virtual void Proc_UnhookEvent() = 0;

 protected:
  ~IHookSwitch() = default;
};

}  // namespace rimfold
