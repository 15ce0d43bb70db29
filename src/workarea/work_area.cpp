#include "workarea/work_area.h"

#include <algorithm>
#include <optional>

#include "rtl/text_utils.h"
#include "rtl/ui_text.h"
#include "settings/data_files.h"
#include "system/version.h"

namespace rimfold {

namespace {

constexpr char16_t kTop[] = u"Top";
constexpr char16_t kBottom[] = u"Bottom";
constexpr char16_t kLeft[] = u"Left";
constexpr char16_t kRight[] = u"Right";

// Appended piece by piece: GCC 12 warns falsely (-Wrestrict, its bug 105329) about
// a literal put in front of a temporary string.
std::u16string pointText(std::int32_t x, std::int32_t y) {
  std::u16string text = u"(";
  text += toDecimal(x);
  text += u",";
  text += toDecimal(y);
  text += u")";
  return text;
}

TWorkAreaEdges readEdges(const IniFile& ini, const std::u16string& section,
                         const TWorkAreaEdges& defaults) {
  return {ini.readInteger(section, kTop, defaults.Top),
          ini.readInteger(section, kBottom, defaults.Bottom),
          ini.readInteger(section, kLeft, defaults.Left),
          ini.readInteger(section, kRight, defaults.Right)};
}

void writeEdges(IniFile& ini, const std::u16string& section, const TWorkAreaEdges& e) {
  ini.writeInteger(section, kTop, e.Top);
  ini.writeInteger(section, kBottom, e.Bottom);
  ini.writeInteger(section, kLeft, e.Left);
  ini.writeInteger(section, kRight, e.Right);
}

bool validIndex(int s) { return s >= 0 && s < kMaxMonitors; }

// 20 % of an extent, truncated toward zero; integer arithmetic keeps 1040 -> 208 exact.
std::int64_t fifthOf(std::int32_t low, std::int32_t high) {
  return (static_cast<std::int64_t>(high) - low) * 2 / 10;
}

// A text that is not an integer counts as 0 for the range test only.
void limitEdit(std::u16string& text, std::int32_t centre, std::int64_t margin) {
  const std::int64_t value = parseInteger(text).value_or(0);
  const std::int64_t lower = centre - margin;
  const std::int64_t upper = centre + margin;
  if (value > upper) {
    text = toDecimal(upper);
  } else if (value < lower) {
    text = toDecimal(lower);
  }
}

std::int32_t toInteger(const std::u16string& text) {
  const std::optional<std::int32_t> v = parseInteger(text);
  if (!v) {
    throw ConversionError("'" + utf16ToUtf8(text) + "' is not a valid integer value");
  }
  return *v;
}

}  // namespace

std::u16string monitorSectionName(int index, const MonitorInfo& m) {
  const std::u16string parts[] = {u"#",   toDecimal(index + 1),
                                  u" ",   pointText(m.bounds.Left, m.bounds.Top),
                                  u" - ", pointText(m.bounds.Right, m.bounds.Bottom),
                                  u" : ", pointText(m.work.Left, m.work.Top),
                                  u" - ", pointText(m.work.Right, m.work.Bottom)};
  std::u16string name;
  for (const std::u16string& part : parts) name += part;
  return name;
}

std::u16string monitorItemText(int index, const MonitorInfo& m) {
  return uiText(UiText::MonitorNumber) + toDecimal(index + 1) + u" [" +
         pointText(m.bounds.Left, m.bounds.Top) + u"-" +
         pointText(m.bounds.Right, m.bounds.Bottom) + u"]";
}

std::u16string edgeCaption(Edge edge, std::int32_t value) {
  UiText name = UiText::EdgeTop;
  switch (edge) {
    case Edge::Top: name = UiText::EdgeTop; break;
    case Edge::Bottom: name = UiText::EdgeBottom; break;
    case Edge::Left: name = UiText::EdgeLeft; break;
    case Edge::Right: name = UiText::EdgeRight; break;
  }
  return uiText(name) + (u" [" + toDecimal(value) + u"]");
}

namespace {

// A taskbar that moved keeps the entry and renames its section; a monitor that now has
// other bounds is not the one the entry was read for.
std::u16string tableSection(const MonitorTables& c, const MonitorList& longLived, int i) {
  const MonitorInfo& built = c.tabledFor[static_cast<size_t>(i)];
  MonitorInfo live;
  if (longLived.info(i, live) && live.bounds == built.bounds) return monitorSectionName(i, live);
  return monitorSectionName(i, built);
}

}  // namespace

MonitorPage Proc_MonitorInitial(Platform& p, const WorkAreaFileState& c,
                                const MonitorList& longLived) {
  const MonitorList fresh(p.windows);
  c.tables.GMonitorCount = fresh.count();
  const IniFile ini = loadIniFile(p, workAreaPath(p));

  MonitorPage page;
  // The tables hold kMaxMonitors entries; monitors beyond them are not offered on the page
  // either, so a selection always has its table entries.
  const int tabled = std::min(fresh.count(), kMaxMonitors);
  for (int i = 0; i < tabled; ++i) {
    MonitorInfo m;
    if (!fresh.info(i, m)) {
      m = MonitorInfo{};
    }
    const TWorkAreaEdges system = edgesOf(m.work);
    const std::u16string section = monitorSectionName(i, m);
    c.tables.MWorkArea[static_cast<size_t>(i)] = readEdges(ini, section, system);
    c.tables.standIn[static_cast<size_t>(i)] = !ini.sectionExists(section);
    c.tables.MDesktop[static_cast<size_t>(i)] = system;
    c.tables.tabledFor[static_cast<size_t>(i)] = m;
    page.items.push_back(monitorItemText(i, m));
  }

  c.watch.CHKMessage = ini.readBool(u"Message", u"Enabled", c.watch.CHKMessage);
  c.switches.TBMAXDisable = ini.readBool(u"MAX", u"Disable", true);
  c.switches.TBDisableDeskTop = ini.readBool(u"DeskTop", u"Disable", false);
  c.geometry.windowHeight = ini.readInteger(u"Window", u"Height", c.geometry.windowHeight);
  c.geometry.windowWidth = ini.readInteger(u"Window", u"Width", c.geometry.windowWidth);
  c.geometry.groupBoxEHeight = ini.readInteger(u"Window", u"GroupBoxE", c.geometry.groupBoxEHeight);

  const int primary = Func_PrimaryMonitorIndex(longLived);
  page.selected = primary < static_cast<int>(page.items.size()) ? primary : 0;
  return page;
}

void saveWorkAreaFile(Platform& p, const WorkAreaFileState& c, const MonitorList& longLived) {
  const std::u16string path = workAreaPath(p);
  std::optional<IniFile> loaded = loadIniFileForRewrite(p, path);
  if (!loaded) return;
  IniFile& ini = *loaded;
  const int count = std::min(c.tables.GMonitorCount, kMaxMonitors);
  for (int i = 0; i < count; ++i) {
    const auto k = static_cast<size_t>(i);
    if (c.tables.standIn[k]) {
      // A default read while the work area was still settling (a display change confirmed
      // at once) must not replace the user's section once it has settled: it goes only under
      // the section it was read for, and only where the file holds none.
      const std::u16string own = monitorSectionName(i, c.tables.tabledFor[k]);
      if (!ini.sectionExists(own)) writeEdges(ini, own, c.tables.MWorkArea[k]);
      continue;
    }
    writeEdges(ini, tableSection(c.tables, longLived, i), c.tables.MWorkArea[k]);
  }
  ini.writeBool(u"Message", u"Enabled", c.watch.CHKMessage);
  ini.writeBool(u"MAX", u"Disable", c.switches.TBMAXDisable);
  ini.writeBool(u"DeskTop", u"Disable", c.switches.TBDisableDeskTop);
  ini.writeInteger(u"Window", u"Height", c.geometry.windowHeight);
  ini.writeInteger(u"Window", u"Width", c.geometry.windowWidth);
  ini.writeInteger(u"Window", u"GroupBoxE", c.geometry.groupBoxEHeight);
  saveIniFile(p, ini, path);
}

bool workAreasMovedSince(Platform& p, const MonitorTables& c) {
  const MonitorList fresh(p.windows);
  if (fresh.count() != c.GMonitorCount) return false;  // another change, which is announced
  for (int i = 0; i < std::min(fresh.count(), kMaxMonitors); ++i) {
    MonitorInfo m;
    const MonitorInfo& built = c.tabledFor[static_cast<size_t>(i)];
    if (fresh.info(i, m) && m.bounds == built.bounds && m.work != built.work) return true;
  }
  return false;
}

EdgeTexts edgeTextsOf(const TWorkAreaEdges& e) {
  return {toDecimal(e.Top), toDecimal(e.Bottom), toDecimal(e.Left), toDecimal(e.Right)};
}

void applyWorkArea(Platform& p, MonitorTables& c, const MonitorList& longLived, int s,
                   EdgeTexts& edits, bool ctrlDown) {
  if (!validIndex(s)) {
    return;
  }
  const TWorkAreaEdges& desk = c.MDesktop[static_cast<size_t>(s)];
  if (!ctrlDown) {
    const std::int64_t a = fifthOf(desk.Top, desk.Bottom);
    limitEdit(edits.Top, desk.Top, a);
    limitEdit(edits.Bottom, desk.Bottom, a);
    const std::int64_t b = fifthOf(desk.Left, desk.Right);
    limitEdit(edits.Left, desk.Left, b);
    limitEdit(edits.Right, desk.Right, b);
  }
  // All four are converted before any is stored, so a bad edit leaves the setting whole.
  const TWorkAreaEdges stored{toInteger(edits.Top), toInteger(edits.Bottom), toInteger(edits.Left),
                              toInteger(edits.Right)};
  c.MWorkArea[static_cast<size_t>(s)] = stored;
  c.standIn[static_cast<size_t>(s)] = false;

  MonitorInfo m;
  if (s >= longLived.count() || !longLived.info(s, m)) {
    return;  // the monitor is gone; the next Proc_MonitorInitial rebuilds the page
  }
  const std::u16string path = workAreaPath(p);
  std::optional<IniFile> ini = loadIniFileForRewrite(p, path);
  if (!ini) return;
  writeEdges(*ini, tableSection(c, longLived, s), stored);
  saveIniFile(p, *ini, path);
}

void applyDefaults(Platform& p, MonitorTables& c, const MonitorList& longLived, int s,
                   EdgeTexts& edits, bool ctrlDown) {
  applyOutset(p, c, longLived, s, edits, ctrlDown, 0);
}

int presetBorderWidth(Platform& p) {
  int width = 0;
  if (IsWindows8OrLater(p.system)) {
    // NONCLIENTMETRICSW grew by iPaddedBorderWidth in Vista; older systems reject 504.
    const std::uint32_t size = p.system.getVersion().major >= 6 ? 504u : 500u;
    if (!p.input.getNonClientBorderWidth(size, width)) {
      width = 0;
    }
  } else if (!p.input.getBorder(width)) {
    width = 0;
  }
  return width;
}

void applyOutset(Platform& p, MonitorTables& c, const MonitorList& longLived, int s,
                 EdgeTexts& edits, bool ctrlDown, int n) {
  if (!validIndex(s)) {
    return;
  }
  const TWorkAreaEdges& desk = c.MDesktop[static_cast<size_t>(s)];
  edits = edgeTextsOf({desk.Top - n, desk.Bottom + n, desk.Left - n, desk.Right + n});
  applyWorkArea(p, c, longLived, s, edits, ctrlDown);
}

}  // namespace rimfold
