// The dialog's page [作業領域]: the monitor chooser, its four edges laid out as a cross, the
// presets menu under デフォルトに戻す and the notification switch. Its logic is the core's
// (workarea/work_area_page); this view mirrors it into the controls and routes their
// commands.
#pragma once

#include <windows.h>

#include <array>
#include <span>
#include <string>

#include "engine/monitor_list.h"
#include "platform/platform.h"
#include "rtl/ui_text.h"
#include "platform/win32/unique_handle.h"
#include "settings/program_state.h"
#include "ui/dialog_controls.h"
#include "ui/window_base.h"
#include "workarea/work_area.h"
#include "workarea/work_area_page.h"

namespace rimfold::shell {

class WorkAreaView {
 public:
  // frame: the dialog's window, which owns the presets menu while it is open.
  WorkAreaView(Platform& p, ProgramState& state, MonitorList& monitors,
               ui::DialogControls& controls, const ui::WindowBase& frame);

  // The page's rows of the dialog's control table, in a language.
  static std::span<const ui::ControlDef> controlTable(Language language);

  // The presets menu PPMenuDef, in the language in force: with the dialog's window and again
  // when the controls are made in another language.
  void createMenu();
  // At FormCreate: the presets' menu ids by their pixel count.
  void reset();
  // The controls exist: the edge edits take four digits, with no grouping and no beep.
  void controlsMade();
  // The monitor choices for the layout now in force, the selected monitor's edges.
  void monitorsChanged();
  // The monitor list, the edges and the notification switch into the controls.
  void mirror();
  // The monitor choices, the edge captions and the presets menu again, in the language in
  // force.
  void relabel();
  // The four group-box captions of the monitor selected in CBMonitor, from MDesktop.
  void refreshEdgeCaptions();

  // WM_COMMAND and WM_NOTIFY of the page's controls; false when not theirs.
  bool command(WPARAM wParam);
  bool notify(ui::Message& m);

  const WorkAreaPage& page() const noexcept { return workAreaPage_; }

 private:
  void mirrorEdges();
  void showEdgeCaptions();
  // Runs one of the page's apply operations with Ctrl read now; beeps when nothing was taken.
  template <typename Apply>
  void applyEdges(Apply apply);
  void CBMonitorChange();
  void TBWorkAreaApplyClick();
  void TBWorkAreaDefClick();
  void TBWorkAreaDefDropDown(NMHDR& header, LRESULT& result);
  void PPDefBorderClick();
  void PPDefBorderNClick(int tag);
  void CHKMessageClick();
  // Through the platform: the dialog's own controls, as any window.
  std::u16string text(HWND control);
  void setText(HWND control, const std::u16string& value);

  Platform& p_;
  ProgramState& state_;
  MonitorList& monitors_;
  ui::DialogControls& controls_;
  const ui::WindowBase& frame_;
  WorkAreaPage workAreaPage_;
  MonitorPage monitorPage_;
  win32::UniqueMenu PPMenuDef;
  std::array<int, 10> MPPDefBorder{};  // index 1..9: the menu ids of PPDefBorder1..9
};

}  // namespace rimfold::shell
