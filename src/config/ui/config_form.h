// TConfigForm: the configuration dialog's window. It exists, hidden, for the whole run and
// owns what the engine reads live (lists, switches, per-monitor tables). Its pages are
// built by the dialog issue; this is the window, its lifecycle and its files.
#pragma once

#include <string>

#include "app/window_base.h"
#include "config/config_state.h"
#include "engine/monitor_list.h"
#include "platform/platform.h"
#include "workarea/work_area.h"

namespace rimfold::app {

inline constexpr wchar_t kConfigFormClass[] = L"TConfigForm";

class TConfigForm final : public WindowBase {
 public:
  TConfigForm(Platform& p, const MonitorList& monitors);
  ~TConfigForm() override;

  // Creates the hidden window and runs FormCreate with the main form's hotkey text.
  void create(const std::u16string& hotKeyStop);
  // The close of the dialog (also at program exit): FormCloseQuery, which saves
  // WorkArea.dat and Disable.log; returns the hotkey text for MHotKeyStop.
  std::u16string close();
  // PPConfigClick: shown centred until the user closes it, then closed as above.
  std::u16string showModal();
  bool visible() const noexcept;

  ConfigState& state() noexcept { return state_; }
  const MonitorPage& monitorPage() const noexcept { return monitorPage_; }

 private:
  void FormCreate(const std::u16string& hotKeyStop);
  void FormCloseQuery();
  // The window's outer size, as WorkArea.dat keeps it.
  void readWindowSize();
  void applyWindowSize();

  bool onMessage(Message& m) override;
  void WMGetMinMaxInfo(Message& m);
  void WMClose(Message& m);

  Platform& p_;
  const MonitorList& monitors_;
  ConfigState state_;
  MonitorPage monitorPage_;
  bool modalDone_ = true;
  std::u16string EditKeyStop;  // the hotkey page's text until that page exists
};

std::u16string disableLogPath();  // DataDir + "Disable.log"

}  // namespace rimfold::app
