// The exclusions page of the dialog: what its list clicks, focus losses and buttons do to
// the two lists and to the buttons' enabled states. The window only mirrors the result.
#pragma once

#include "settings/program_state.h"
#include "settings/window_lists.h"

namespace rimfold::app {

struct ExclusionPage {
  ListSelection sel;
  bool TBExeAddEnabled = false;
  bool TBExeDelEnabled = false;

  void ListBoxEClick(const WindowLists& c, int index);
  void ListBoxEExit();
  void ListBoxDClick(int index);
  void ListBoxDExit();
  // True when an entry went to the top of the exclusion list.
  bool TBExeAddClick(WindowLists& c);
  // True when the selected exclusion entry was deleted.
  bool TBExeDelClick(WindowLists& c);
  void TBListEClearClick(WindowLists& c);
};

}  // namespace rimfold::app
