// The work-area page of the dialog: the selected monitor's four edits and edge captions,
// and apply, defaults and presets on them. The window mirrors edits and captions.
#pragma once

#include <array>
#include <string>

#include "settings/monitor_tables.h"
#include "engine/monitor_list.h"
#include "platform/platform.h"
#include "workarea/work_area.h"

namespace rimfold {

// The numeric edits hold four integer digits.
inline constexpr std::int32_t kEdgeEditLimit = 9999;

struct WorkAreaPage {
  int selected = 0;
  EdgeTexts edits;  // EditTop, EditBottom, EditLeft, EditRight
  std::array<std::u16string, 4>
      captions;  // GroupBoxTop, GroupBoxBottom, GroupBoxLeft, GroupBoxRight
  // The monitor's edges do not fit the edits: shown whole but read-only, so nothing typed
  // can be applied (defaults and presets still can, where they fit).
  bool readOnly = false;

  void CBMonitorChange(const MonitorTables& c, int s);
  void refreshCaptions(const MonitorTables& c);

  // Each returns false when nothing was stored (apply on a read-only monitor, or a preset
  // whose edges would not fit the edits); an edit that is not an integer throws ConversionError.
  bool TBWorkAreaApplyClick(Platform& p, MonitorTables& c, const MonitorList& monitors,
                            bool ctrlDown);
  bool TBWorkAreaDefClick(Platform& p, MonitorTables& c, const MonitorList& monitors,
                          bool ctrlDown);
  bool PPDefBorderClick(Platform& p, MonitorTables& c, const MonitorList& monitors, bool ctrlDown);
  bool PPDefBorderNClick(Platform& p, MonitorTables& c, const MonitorList& monitors, bool ctrlDown,
                         int n);

 private:
  bool outset(Platform& p, MonitorTables& c, const MonitorList& monitors, bool ctrlDown, int n);
};

}  // namespace rimfold
