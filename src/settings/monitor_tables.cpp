#include "settings/monitor_tables.h"

namespace rimfold {

TWorkAreaEdges edgesOf(const TRect& r) { return {r.Top, r.Bottom, r.Left, r.Right}; }

TRect rectOf(const TWorkAreaEdges& e) { return {e.Left, e.Top, e.Right, e.Bottom}; }

}  // namespace rimfold
