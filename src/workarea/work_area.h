// The per-monitor allowed areas, WorkArea.dat, and apply / defaults / presets.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <optional>
#include <string>
#include <vector>

#include "engine/monitor_list.h"
#include "platform/platform.h"
#include "rtl/ini_file.h"

namespace rimfold {

struct ConfigState;

inline constexpr int kMaxMonitors = 10;
using WorkAreaTable = std::array<TWorkAreaEdges, kMaxMonitors>;
// The monitor (bounds and work area) each table entry was read for.
using MonitorTable = std::array<MonitorInfo, kMaxMonitors>;

// The number of monitors at the last count (start-up, fresh enumerations).
extern int GMonitorCount;

// The tables hold an area for this monitor index: counted at the last enumeration and
// within the ten entries. Windows on any other monitor are left where they are.
inline bool hasAllowedArea(int index) {
  return index >= 0 && index < kMaxMonitors && index < GMonitorCount;
}

TWorkAreaEdges edgesOf(const TRect& r);
TRect rectOf(const TWorkAreaEdges& e);

// "#1 (0,0) - (1920,1080) : (0,0) - (1920,1040)"
std::u16string monitorSectionName(int index, const MonitorInfo& m);
// "モニタ #1 [(0,0)-(1920,1080)]"
std::u16string monitorItemText(int index, const MonitorInfo& m);
enum class Edge { Top, Bottom, Left, Right };
// "上(&T) [0]", "下(B) [1040]", "左(&L) [0]", "右(&R) [1920]"
std::u16string edgeCaption(Edge edge, std::int32_t value);

std::u16string workAreaPath();  // DataDir + "WorkArea.dat"

// Reads a whole INI file; a missing, unreadable or oversized file gives an empty one.
IniFile loadIniFile(Platform& p, const std::u16string& path);
// The file as it is to be changed and saved; nullopt for a file over kSettingsFileLimit or
// one that could not be read (now or earlier in this run), which is left as it is on disk.
std::optional<IniFile> loadIniFileForRewrite(Platform& p, const std::u16string& path);
// Writes it back whole, never losing the previous content; throws IoError on failure.
void saveIniFile(Platform& p, const IniFile& ini, const std::u16string& path);

class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
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
MonitorPage Proc_MonitorInitial(Platform& p, ConfigState& c, const MonitorList& longLived);

// Writes every monitor's section, the switches and the Window section (dialog close). An
// entry goes under its live monitor's section, or under the one it was read from when the
// monitor at its index now has other bounds (a display change not yet taken in).
void saveWorkAreaFile(Platform& p, const ConfigState& c, const MonitorList& longLived);

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
void applyWorkArea(Platform& p, ConfigState& c, const MonitorList& longLived, int s,
                   EdgeTexts& edits, bool ctrlDown);
// Defaults: the edits become MDesktop[s], then apply.
void applyDefaults(Platform& p, ConfigState& c, const MonitorList& longLived, int s,
                   EdgeTexts& edits, bool ctrlDown);
// Border preset: w from the non-client metrics on Windows 8 and later, else SPI_GETBORDER.
int presetBorderWidth(Platform& p);
// Every edge n pixels outside MDesktop[s], then apply.
void applyOutset(Platform& p, ConfigState& c, const MonitorList& longLived, int s,
                 EdgeTexts& edits, bool ctrlDown, int n);

}  // namespace rimfold
