// The exclusions page of the dialog: what its list clicks, focus losses and buttons do to
// the two lists and to the buttons' enabled states. The window only mirrors the result.
#pragma once

#include "settings/config_state.h"
#include "settings/window_lists.h"

namespace rimfold {

struct ExclusionPage {
  ListSelection sel;
  bool TBExeAddEnabled = false;
  bool TBExeDelEnabled = false;

  void ListBoxEClick(const ConfigState& c, int index);
  void ListBoxEExit();
  void ListBoxDClick(int index);
  void ListBoxDExit();
  // True when an entry went to the top of the exclusion list.
  bool TBExeAddClick(ConfigState& c);
  // True when the selected exclusion entry was deleted.
  bool TBExeDelClick(ConfigState& c);
  void TBListEClearClick(ConfigState& c);
};

}  // namespace rimfold
