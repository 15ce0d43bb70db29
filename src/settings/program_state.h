// The program's state in its parts, each handed only to what reads or writes it: the
// window lists, the filter switches, the per-monitor tables (settings/monitor_tables.h),
// the work-area watch's state and the dialog's geometry. The application host owns them.
#pragma once

#include <cstdint>

#include "platform/system.h"
#include "settings/monitor_tables.h"
#include "settings/window_list.h"

namespace rimfold {

// Told when the engine changes a list, so that what shows the lists can follow.
class IListObserver {
 public:
  virtual ~IListObserver() = default;
  virtual void processedListChanged() = 0;  // ListBoxE: re-measure the horizontal extent
  virtual void exclusionListChanged() = 0;  // ListBoxD: refresh only, extent kept
};

struct WindowLists {
  WindowList ListBoxD;                              // exclusion list, top entry first
  ReadResult disableLogRead = ReadResult::Missing;  // how Disable.log was read at start
  WindowList ListBoxE;                              // processed-window list, top entry first
  bool TBListEClearEnabled = false;
  IListObserver* observer = nullptr;
};

struct FilterSwitches {
  bool TBMAXDisable = true;       // maximized windows are left alone
  bool TBDisableDeskTop = false;  // windows no monitor can hold whole are left alone
};

struct WatchState {
  bool CHKMessage = false;        // work-area change notification
  bool FWMGETMINMAXINFO = false;  // a size or work-area change to look into
};

// The dialog's outer size and the processed-window group box height, in 96-DPI units.
struct DialogGeometry {
  std::int32_t windowWidth = 0;
  std::int32_t windowHeight = 0;
  std::int32_t groupBoxEHeight = 100;
};

// What WorkArea.dat carries: everything but the lists.
struct WorkAreaFileState {
  MonitorTables& tables;
  FilterSwitches& switches;
  WatchState& watch;
  DialogGeometry& geometry;
};

struct ProgramState {
  WindowLists lists;
  FilterSwitches switches;
  MonitorTables tables;
  WatchState watch;
  DialogGeometry geometry;

  WorkAreaFileState workAreaFile() { return {tables, switches, watch, geometry}; }
};

}  // namespace rimfold
