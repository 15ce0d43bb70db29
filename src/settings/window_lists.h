// The exclusion list and the processed-window list, and Disable.log.
#pragma once

#include <string>

#include "settings/window_list.h"
#include "settings/data_files.h"
#include "settings/window_keys.h"
#include "platform/platform.h"
#include "rtl/text_codec.h"

namespace rimfold {

// The program key, then the class key, then the window key: the first found excludes.
bool isExcluded(const WindowList& exclusions, const WindowIdentity& id);

// Inserts at index 0 unless an entry equal ignoring case exists; true when inserted.
inline bool insertUnique(WindowList& list, const std::u16string& entry) {
  return list.insertUnique(entry);
}

// Program, class and window key, each at the top unless already present.
// The processed-window list keeps the newest entries, a thousand windows' keys: over a long
// run with many windows it would otherwise grow without end.
inline constexpr std::size_t kMaxProcessedEntries = 3000;
void recordProcessed(WindowList& processed, const WindowIdentity& id);

// Lines of the file in order, untrimmed, with every line holding no comma removed.
// A missing file gives an empty list.
// result, when given: how reading the file went; over kListFileLimit it is not read.
StringList loadDisableLog(Platform& p, const std::u16string& path, ReadResult* result = nullptr);
// UTF-16 LE with BOM, every entry followed by CR LF.
// loaded: how the load went. A file that could not be read at start, or an oversized one,
// is never replaced in this run: its entries survive until it can be read again.
bool saveDisableLog(Platform& p, const WindowList& exclusions, const std::u16string& path,
                    ReadResult loaded = ReadResult::Ok);

// The dialog's operations on the two lists. Selections are indexes, -1 for none.
struct ListSelection {
  int processed = -1;  // ListBoxE
  int exclusion = -1;  // ListBoxD
};
// ListBoxE click: the exclusion selection moves to the entry equal to the processed one.
void selectMatchingExclusion(const WindowList& processed, const WindowList& exclusions,
                             ListSelection& sel);
// TBExeAdd: the selected processed entry to the top of the exclusions unless present.
bool addSelectedToExclusions(const WindowList& processed, WindowList& exclusions,
                             const ListSelection& sel);
// TBExeDel: deletes the selected exclusion entry; the selection becomes none.
bool deleteSelectedExclusion(WindowList& exclusions, ListSelection& sel);
// TBListEClear.
void clearProcessed(WindowList& processed, ListSelection& sel);

}  // namespace rimfold
