// The per-monitor allowed areas, WorkArea.dat, and apply / defaults / presets.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/monitor_list.h"
#include "settings/ini_store.h"
#include "settings/monitor_tables.h"
#include "settings/program_state.h"
#include "platform/platform.h"
#include "settings/data_paths.h"
#include "rtl/ini_file.h"

namespace rimfold {

// "#1 (0,0) - (1920,1080) : (0,0) - (1920,1040)"
std::u16string monitorSectionName(int index, const MonitorInfo& m);
// "モニタ #1 [(0,0)-(1920,1080)]"
std::u16string monitorItemText(int index, const MonitorInfo& m);
enum class Edge { Top, Bottom, Left, Right };
// "上(&T) [0]", "下(B) [1040]", "左(&L) [0]", "右(&R) [1920]"
std::u16string edgeCaption(Edge edge, std::int32_t value);

// The text of an edit is not an integer.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The page's monitor choices after Proc_MonitorInitial.
struct MonitorPage {
  std::vector<std::u16string> items;  // CBMonitor
  int selected = 0;                   // the primary monitor
};

// Fresh enumeration, tables from WorkArea.dat with the system work area as default,
// the switches and the dialog size; GMonitorCount follows the enumeration.
MonitorPage Proc_MonitorInitial(Platform& p, const WorkAreaFileState& c,
                                const MonitorList& longLived);

// Writes every monitor's section, the switches and the Window section (dialog close). An
// entry goes under its live monitor's section, or under the one it was read from when the
// monitor at its index now has other bounds (a display change not yet taken in).
void saveWorkAreaFile(Platform& p, const WorkAreaFileState& c, const MonitorList& longLived);

// The same monitors as the tables were built for, one of them with another work area now:
// after a display change the taskbar takes its new place a moment later.
bool workAreasMovedSince(Platform& p, const MonitorTables& c);

// The four edits of the selected monitor, as text (numeric edits may hold "-", "1.5", "").
struct EdgeTexts {
  std::u16string Top, Bottom, Left, Right;
  friend bool operator==(const EdgeTexts&, const EdgeTexts&) = default;
};
EdgeTexts edgeTextsOf(const TWorkAreaEdges& e);

// Apply for monitor s: unless ctrlDown, limit each edit to within 20 % of the system work
// area (text written back); then validate all four, and only if all are integers store
// them into MWorkArea[s] and write the monitor's section. Throws ConversionError (and
// stores nothing) when one is not an integer.
void applyWorkArea(Platform& p, MonitorTables& c, const MonitorList& longLived, int s,
                   EdgeTexts& edits, bool ctrlDown);
// Defaults: the edits become MDesktop[s], then apply.
void applyDefaults(Platform& p, MonitorTables& c, const MonitorList& longLived, int s,
                   EdgeTexts& edits, bool ctrlDown);
// Border preset: w from the non-client metrics on Windows 8 and later, else SPI_GETBORDER.
int presetBorderWidth(Platform& p);
// Every edge n pixels outside MDesktop[s], then apply.
void applyOutset(Platform& p, MonitorTables& c, const MonitorList& longLived, int s,
                 EdgeTexts& edits, bool ctrlDown, int n);

}  // namespace rimfold
