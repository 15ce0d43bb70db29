// TConfigForm: the configuration dialog's frame. Its window exists, hidden, for the whole
// run and shows what the engine reads live (lists, switches, per-monitor tables, owned by
// the application host); the user sees it only while PPConfigClick shows it modally. The
// frame keeps the window, the modal loop, the DPI, the size and the taskbar button; each
// of the three pages is a view of its own (exclusions_view, work_area_view, hot_key_view)
// with its rows of the control table and its own command and notify tables. The child
// controls are made when the dialog is first shown: a resident program most users never
// open the dialog of should not carry their fonts and windows.
#pragma once

#include <cstdint>
#include <string>

#include "app/exclusion_page.h"
#include "app/tray_menu.h"
#include "display/display_change.h"
#include "engine/monitor_list.h"
#include "platform/platform.h"
#include "settings/program_state.h"
#include "shell/config_form_ids.h"
#include "shell/exclusions_view.h"
#include "shell/hot_key_view.h"
#include "shell/task_bar_list.h"
#include "shell/work_area_view.h"
#include "ui/dialog_controls.h"
#include "ui/window_base.h"
#include "workarea/work_area_page.h"

namespace rimfold::shell {

inline constexpr wchar_t kConfigFormClass[] = L"TConfigForm";

// What the dialog's window raises for the work-area watch.
class IConfigFormEvents {
 public:
  // WM_GETMINMAXINFO: the window's size or place is about to change, or the work area it
  // may take did. The system sends it also while the window is hidden.
  virtual void sizeLimitsAsked() = 0;
  // WM_SETTINGCHANGE with its wParam (SPI_SETWORKAREA among others).
  virtual void settingChanged(std::uintptr_t action) = 0;

 protected:
  ~IConfigFormEvents() = default;
};

class TConfigForm final : public ui::WindowBase,
                          public IListObserver,
                          public IMonitorPage,
                          public app::IConfigDialog {
 public:
  TConfigForm(Platform& p, ProgramState& state, MonitorList& monitors, IConfigFormEvents& events);
  ~TConfigForm() override;

  // Creates the hidden window and its presets menu, then runs FormCreate with the main
  // form's hotkey text.
  void create(const std::u16string& hotKeyStop);
  // The child controls, showing what the state holds now; once (the first show does it).
  void createControls();
  // The close of the dialog (also at program exit): FormCloseQuery, which saves
  // WorkArea.dat and Disable.log; returns the hotkey text for MHotKeyStop.
  std::u16string close();
  // PPConfigClick: shown centred until the user closes it, then closed as above.
  std::u16string showModal() override;
  bool visible() const noexcept override;
  // Makes a page (TabSheetExe, TabSheetWorkArea, TabSheetHotkey) the active one.
  void selectPage(int pageId);
  int activePage() const;

  // Rebuilds the tables, the switches, the dialog's size and the work-area page from the
  // system and WorkArea.dat (start-up, and after display changes).
  void Proc_MonitorInitial() override;
  // The four group-box captions of the monitor selected in CBMonitor, from MDesktop.
  void refreshEdgeCaptions() { workArea_.refreshEdgeCaptions(); }

  const WorkAreaPage& workAreaPage() const noexcept { return workArea_.page(); }
  const app::ExclusionPage& exclusionPage() const noexcept { return exclusions_.page(); }
  ui::DialogControls& controls() noexcept { return controls_; }
  const std::u16string& hotKeyText() const noexcept { return hotKey_.text(); }

  // IListObserver: the engine changed a list while the dialog may be open.
  void processedListChanged() override { exclusions_.processedListChanged(); }
  void exclusionListChanged() override { exclusions_.exclusionListChanged(); }

 private:
  void FormCreate(const std::u16string& hotKeyStop);
  void FormShow();
  void FormCloseQuery();
  void readWindowSize();
  void applyWindowSize();
  // The controls laid out, the processed-window group box limited to what fits.
  void layout();
  void endModal();
  void TBExeCloseClick() { endModal(); }
  void PageControlChange(NMHDR& header, LRESULT& result);

  bool onMessage(ui::Message& m) override;
  bool preTranslate(const MSG& msg);
  void WMGetMinMaxInfo(ui::Message& m);
  void WMClose(ui::Message& m);
  void WMSize(ui::Message& m);
  void WMMove(ui::Message& m);
  void WMTimer(ui::Message& m);
  void WMCommand(ui::Message& m);
  void WMNotify(ui::Message& m);
  void WMActivate(ui::Message& m);
  void WMSettingChange(ui::Message& m);
  void WMDpiChanged(ui::Message& m);

  Platform& p_;
  ProgramState& state_;
  IConfigFormEvents& events_;
  MonitorList& monitors_;
  std::int32_t MMonNo = 0;  // the monitor the dialog was last seen on
  ui::DialogControls controls_;
  ExclusionsView exclusions_{controls_, state_};
  WorkAreaView workArea_{p_, state_, monitors_, controls_, *this};
  HotKeyView hotKey_{p_, controls_};
  int page_ = TabSheetExe;  // the page to show, also before there are controls
  Language controlsLanguage_ = Language::Japanese;  // the controls' texts
  HWND lastFocus_ = nullptr;
  bool modalDone_ = true;
  TaskBarList taskBar_;
};

}  // namespace rimfold::shell
