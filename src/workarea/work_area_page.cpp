#include "workarea/work_area_page.h"

namespace rimfold {

namespace {

bool fitsEdit(std::int64_t v) { return v >= -kEdgeEditLimit && v <= kEdgeEditLimit; }

bool fitsEdits(const TWorkAreaEdges& e, std::int64_t outsetBy = 0) {
  return fitsEdit(e.Top - outsetBy) && fitsEdit(e.Bottom + outsetBy) &&
         fitsEdit(e.Left - outsetBy) && fitsEdit(e.Right + outsetBy);
}

bool validIndex(int s) { return s >= 0 && s < kMaxMonitors; }

}  // namespace

void WorkAreaPage::CBMonitorChange(const MonitorTables& c, int s) {
  if (!validIndex(s)) return;
  selected = s;
  const auto i = static_cast<std::size_t>(s);
  edits = edgeTextsOf(c.MWorkArea[i]);
  readOnly = !fitsEdits(c.MWorkArea[i]) || !fitsEdits(c.MDesktop[i]);
  refreshCaptions(c);
}

void WorkAreaPage::refreshCaptions(const MonitorTables& c) {
  if (!validIndex(selected)) return;
  const TWorkAreaEdges& d = c.MDesktop[static_cast<std::size_t>(selected)];
  captions = {edgeCaption(Edge::Top, d.Top), edgeCaption(Edge::Bottom, d.Bottom),
              edgeCaption(Edge::Left, d.Left), edgeCaption(Edge::Right, d.Right)};
}

bool WorkAreaPage::TBWorkAreaApplyClick(Platform& p, MonitorTables& c, const MonitorList& monitors,
                                        bool ctrlDown) {
  if (readOnly || !validIndex(selected)) return false;
  applyWorkArea(p, c, monitors, selected, edits, ctrlDown);
  return true;
}

bool WorkAreaPage::TBWorkAreaDefClick(Platform& p, MonitorTables& c, const MonitorList& monitors,
                                      bool ctrlDown) {
  return outset(p, c, monitors, ctrlDown, 0);
}

bool WorkAreaPage::PPDefBorderClick(Platform& p, MonitorTables& c, const MonitorList& monitors,
                                    bool ctrlDown) {
  return outset(p, c, monitors, ctrlDown, presetBorderWidth(p));
}

bool WorkAreaPage::PPDefBorderNClick(Platform& p, MonitorTables& c, const MonitorList& monitors,
                                     bool ctrlDown, int n) {
  return outset(p, c, monitors, ctrlDown, n);
}

bool WorkAreaPage::outset(Platform& p, MonitorTables& c, const MonitorList& monitors, bool ctrlDown,
                          int n) {
  // A stored area beyond the edits does not stop the way back: the preset's edges are
  // what the edits will show.
  if (!validIndex(selected)) return false;
  const auto i = static_cast<std::size_t>(selected);
  if (!fitsEdits(c.MDesktop[i], n)) return false;
  applyOutset(p, c, monitors, selected, edits, ctrlDown, n);
  readOnly = !fitsEdits(c.MWorkArea[i]);
  return true;
}

}  // namespace rimfold
