// TConfigForm: the configuration dialog. Its window exists, hidden, for the whole run and
// shows what the engine reads live (lists, switches, per-monitor tables, owned by the
// application root); the user sees it only while PPConfigClick shows it modally. Its child
// controls are made when it is first shown: a resident program most users never open the
// dialog of should not carry their fonts and windows. Its three
// pages are built from one table of controls, each page's glue in a file of its own
// (config_form_exclusions, config_form_work_area, config_form_hotkey); the pages' logic is
// in the core (app/exclusion_page, workarea/work_area_page).
#pragma once

#include <array>
#include <string>

#include "shell/config_form_ids.h"
#include "shell/task_bar_list.h"
#include "ui/dialog_controls.h"
#include "ui/window_base.h"
#include "settings/program_state.h"
#include "app/exclusion_page.h"
#include "ui/model/list_extent.h"
#include "engine/monitor_list.h"
#include "platform/platform.h"
#include "platform/win32/unique_handle.h"
#include "workarea/work_area.h"
#include "workarea/work_area_page.h"
#include "workarea/work_area_watch.h"
#include "display/display_change.h"
#include "app/tray_menu.h"
#include "platform/win32/win32_convert.h"

#include <optional>

namespace rimfold::app {

inline constexpr wchar_t kConfigFormClass[] = L"TConfigForm";

class TConfigForm final : public WindowBase,
                          public IListObserver,
                          public IWorkAreaDialog,
                          public IMonitorPage,
                          public IConfigDialog {
 public:
  TConfigForm(Platform& p, ProgramState& state, MonitorList& monitors);
  ~TConfigForm() override;

  // Creates the hidden window and its preset menu, then runs FormCreate with the main form's
  // hotkey text.
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

  // The work-area watch's view of the dialog.
  Hwnd dialogWindow() override { return win32::fromHwnd(handle()); }
  void refreshEdgeCaptions() override;

  const WorkAreaPage& workAreaPage() const noexcept { return workAreaPage_; }
  const ExclusionPage& exclusionPage() const noexcept { return exclusionPage_; }
  DialogControls& controls() noexcept { return controls_; }
  std::u16string hotKeyText() const;

  // IListObserver: the engine changed a list while the dialog may be open.
  void processedListChanged() override;
  void exclusionListChanged() override;

 private:
  void FormCreate(const std::u16string& hotKeyStop);
  void FormShow();
  void FormCloseQuery();
  void readWindowSize();
  void applyWindowSize();
  // The controls laid out, the processed-window group box limited to what fits.
  void layout();
  void endModal();

  // Exclusions page.
  void ListBoxEClick();
  void ListBoxEExit();
  void ListBoxDClick();
  void ListBoxDExit();
  void TBExeAddClick();
  void TBExeDelClick();
  void TBListEClearClick();
  void TBMAXDisableClick();
  void TBDisableDeskTopClick();
  void TBExeCloseClick();
  void SplitterBegin(NMHDR& header, LRESULT& result);
  void SplitterMove(NMHDR& header, LRESULT& result);
  // Work-area page.
  void CBMonitorChange();
  void TBWorkAreaApplyClick();
  void TBWorkAreaDefClick();
  void TBWorkAreaDefDropDown(NMHDR& header, LRESULT& result);
  void PPDefBorderClick();
  void PPDefBorderNClick(int tag);
  void CHKMessageClick();
  void PageControlChange(NMHDR& header, LRESULT& result);
  void mirrorWorkAreaPage();
  // The monitor list, the edges, the switches and the splitter's height into the controls.
  void mirrorMonitorPage();
  void showEdgeCaptions();
  // Through the platform: the dialog's own controls, as any window.
  std::u16string text(HWND control);
  void setText(HWND control, const std::u16string& value);
  // Runs one of the page's apply operations with Ctrl read now; beeps when nothing was taken.
  template <typename Apply>
  void applyEdges(Apply apply);
  // Hotkey page.
  bool EditKeyStopKeyDown(int key);
  static LRESULT CALLBACK editKeyStopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self);

  // List boxes mirror the lists; extents follow the widest entry.
  void fillList(int listBoxId, const WindowList& list, ListExtent& extent);
  void syncTopInsertions(int listBoxId, const WindowList& list, ListExtent& extent);
  void Proc_SetListExtent(int listBoxId, const ListExtent& extent);
  int entryWidth(const std::u16string& entry) const;
  void showButtons();
  int selectedIndex(int listBoxId) const;  // -1 for none
  void select(int listBoxId, int index);

  bool onMessage(Message& m) override;
  bool preTranslate(const MSG& msg);
  void WMGetMinMaxInfo(Message& m);
  void WMClose(Message& m);
  void WMSize(Message& m);
  void WMMove(Message& m);
  void WMCommand(Message& m);
  void WMNotify(Message& m);
  void WMActivate(Message& m);
  void WMSettingChange(Message& m);
  void WMDpiChanged(Message& m);

  Platform& p_;
  ProgramState& state_;
  MonitorList& monitors_;
  std::int32_t MMonNo = 0;  // the monitor the dialog was last seen on
  DialogControls controls_;
  win32::UniqueMenu PPMenuDef;
  std::array<int, 10> MPPDefBorder{};  // index 1..9: the menu ids of PPDefBorder1..9
  ExclusionPage exclusionPage_;
  WorkAreaPage workAreaPage_;
  MonitorPage monitorPage_;
  int page_ = TabSheetExe;  // the page to show, also before there are controls
  ListExtent extentE_;
  ListExtent extentD_;
  // How many entries each list had dropped from its bottom when its box was last in step.
  std::uint64_t droppedE_ = 0;
  std::uint64_t droppedD_ = 0;
  std::uint64_t& droppedSeen(int listBoxId) { return listBoxId == ListBoxE ? droppedE_ : droppedD_; }
  std::u16string hotKeyText_;  // EditKeyStop's text, kept also when there is no window
  int splitStartHeight_ = 0;
  HWND lastFocus_ = nullptr;
  bool modalDone_ = true;
  TaskBarList taskBar_;
};

std::u16string disableLogPath(const Platform& p);  // data folder + "Disable.log"

}  // namespace rimfold::app
