// The dialog's page [処理しないウィンドウ]: the processed windows above the splitter, the
// exclusions below it, and the toolbar's buttons and two switches. Its logic is the core's
// (app/exclusion_page); this view mirrors it into the controls and routes their commands.
#pragma once

#include <windows.h>

#include <span>

#include "app/exclusion_page.h"
#include "rtl/ui_text.h"
#include "settings/program_state.h"
#include "shell/list_box_view.h"
#include "ui/dialog_controls.h"
#include "ui/window_base.h"

namespace rimfold::shell {

class ExclusionsView {
 public:
  ExclusionsView(ui::DialogControls& controls, ProgramState& state);

  // The page's rows of the dialog's control table, in a language.
  static std::span<const ui::ControlDef> controlTable(Language language);

  // At FormCreate: the clear button off and no selection.
  void reset();
  // The controls exist: both lists filled, their extents and the buttons set.
  void controlsMade();
  // The switches and the splitter's height as the state has them.
  void mirror();
  // The exclusions keep what the splitter leaves them, whatever height was stored (or came
  // with another DPI) and however small the dialog is made; the limited height is saved.
  // After the dialog's layout; true when the page was laid out again.
  bool fitSplitter();
  // The splitter's height into the state; without controls the height read at start stands.
  void readSplitter();

  // The engine changed a list while the dialog may be open.
  void processedListChanged();
  void exclusionListChanged();

  // WM_COMMAND and WM_NOTIFY of the page's controls; false when not theirs.
  bool command(WPARAM wParam);
  bool notify(ui::Message& m);

  const app::ExclusionPage& page() const noexcept { return exclusionPage_; }

 private:
  void showButtons();
  void ListBoxEClick();
  void ListBoxEExit();
  void ListBoxDClick();
  void ListBoxDExit();
  void TBExeAddClick();
  void TBExeDelClick();
  void TBListEClearClick();
  void TBMAXDisableClick();
  void TBDisableDeskTopClick();
  void SplitterBegin(NMHDR& header, LRESULT& result);
  void SplitterMove(NMHDR& header, LRESULT& result);

  ui::DialogControls& controls_;
  ProgramState& state_;
  app::ExclusionPage exclusionPage_;
  ListBoxView processed_;   // ListBoxE
  ListBoxView exclusions_;  // ListBoxD
  int splitStartHeight_ = 0;
};

}  // namespace rimfold::shell
