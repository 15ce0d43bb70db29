#include "settings/window_lists.h"

#include <algorithm>

#include "rtl/text_utils.h"
#include "settings/data_files.h"
#include "system/data_dir.h"

namespace rimfold {

namespace {

bool isValidIndex(const WindowList& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

}  // namespace

bool isExcluded(const WindowList& exclusions, const WindowIdentity& id) {
  // Broadest key first: a program entry covers every class and title of that program.
  return exclusions.contains(programKey(id)) || exclusions.contains(classKey(id)) ||
         exclusions.contains(windowKey(id));
}

void recordProcessed(WindowList& processed, const WindowIdentity& id) {
  insertUnique(processed, programKey(id));
  insertUnique(processed, classKey(id));
  insertUnique(processed, windowKey(id));
  processed.keepNewest(kMaxProcessedEntries);
}

StringList loadDisableLog(Platform& p, const std::u16string& path, ReadResult* result) {
  StringList lines;
  LoadStringsFromFile(p, lines, path, std::nullopt, result, kListFileLimit);
  // Every key form holds a comma; anything else is not an entry the program wrote.
  std::erase_if(lines,
                [](const std::u16string& line) { return line.find(u',') == std::u16string::npos; });
  return lines;
}

bool saveDisableLog(Platform& p, const WindowList& exclusions, const std::u16string& path,
                    ReadResult loaded) {
  // A list that was not read at start is not the user's list.
  if (loaded == ReadResult::TooLarge || loaded == ReadResult::Failed) return false;
  return SaveStringsToFile(p, exclusions.toStringList(), path, TextEncoding::Utf16LE);
}

void selectMatchingExclusion(const WindowList& processed, const WindowList& exclusions,
                             ListSelection& sel) {
  if (!isValidIndex(processed, sel.processed) || exclusions.empty()) return;
  sel.exclusion = exclusions.indexOf(processed[static_cast<std::size_t>(sel.processed)]);
}

bool addSelectedToExclusions(const WindowList& processed, WindowList& exclusions,
                             const ListSelection& sel) {
  if (!isValidIndex(processed, sel.processed)) return false;
  return exclusions.insertUnique(processed[static_cast<std::size_t>(sel.processed)]);
}

bool deleteSelectedExclusion(WindowList& exclusions, ListSelection& sel) {
  if (!isValidIndex(exclusions, sel.exclusion)) return false;
  exclusions.erase(static_cast<std::size_t>(sel.exclusion));
  sel.exclusion = -1;
  return true;
}

void clearProcessed(WindowList& processed, ListSelection& sel) {
  processed.clear();
  sel.processed = -1;
}

}  // namespace rimfold
