// What the configuration dialog owns and the engine reads live: the two window lists,
// the exclusion switches, the per-monitor tables and the work-area watch state.
#pragma once

#include <cstdint>

#include "settings/window_list.h"
#include "platform/system.h"
#include "settings/monitor_tables.h"

namespace rimfold {

// Lets the dialog refresh its list boxes when the engine changes a list.
class IConfigView {
 public:
  virtual ~IConfigView() = default;
  virtual void processedListChanged() = 0;   // ListBoxE: re-measure the horizontal extent
  virtual void exclusionListChanged() = 0;   // ListBoxD: refresh only, extent kept
};

struct ConfigState {
  WindowList ListBoxD;  // exclusion list, top entry first
  ReadResult disableLogRead = ReadResult::Missing;  // how Disable.log was read at start
  WindowList ListBoxE;  // processed-window list, top entry first
  bool TBListEClearEnabled = false;
  bool TBMAXDisable = true;       // maximized windows are left alone
  bool TBDisableDeskTop = false;  // windows no monitor can hold whole are left alone
  bool CHKMessage = false;        // work-area change notification
  WorkAreaTable MWorkArea{};
  WorkAreaTable MDesktop{};
  MonitorTable tabledFor{};
  std::int32_t MMonNo = 0;
  bool FWMGETMINMAXINFO = false;
  // The dialog's outer size and the processed-window group box height.
  std::int32_t windowWidth = 0;
  std::int32_t windowHeight = 0;
  std::int32_t groupBoxEHeight = 100;
  IConfigView* view = nullptr;
};

}  // namespace rimfold
