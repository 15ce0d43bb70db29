#include "config/window_lists.h"

#include <algorithm>

#include "rtl/text_utils.h"
#include "system/data_dir.h"

namespace rimfold {

namespace {

bool isValidIndex(const StringList& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

}  // namespace

bool isExcluded(const StringList& exclusions, const WindowIdentity& id) {
  // Broadest key first: a program entry covers every class and title of that program.
  return indexOfIgnoreCase(exclusions, programKey(id)) >= 0 ||
         indexOfIgnoreCase(exclusions, classKey(id)) >= 0 ||
         indexOfIgnoreCase(exclusions, windowKey(id)) >= 0;
}

bool insertUnique(StringList& list, const std::u16string& entry) {
  if (indexOfIgnoreCase(list, entry) >= 0) return false;
  list.insert(list.begin(), entry);
  return true;
}

void recordProcessed(StringList& processed, const WindowIdentity& id) {
  insertUnique(processed, programKey(id));
  insertUnique(processed, classKey(id));
  insertUnique(processed, windowKey(id));
}

StringList LoadDisableLog(Platform& p, const std::u16string& path, bool* readFailed) {
  StringList lines;
  LoadStringsFromFile(p, lines, path, std::nullopt, readFailed);
  // Every key form holds a comma; anything else is not an entry the program wrote.
  std::erase_if(lines, [](const std::u16string& line) {
    return line.find(u',') == std::u16string::npos;
  });
  return lines;
}

bool SaveDisableLog(Platform& p, const StringList& exclusions, const std::u16string& path,
                    bool loadFailed) {
  if (loadFailed && exclusions.empty()) return false;
  return SaveStringsToFile(p, exclusions, path, TextEncoding::Utf16LE);
}

void selectMatchingExclusion(const StringList& processed, const StringList& exclusions,
                             ListSelection& sel) {
  if (!isValidIndex(processed, sel.processed) || exclusions.empty()) return;
  sel.exclusion = indexOfIgnoreCase(exclusions, processed[static_cast<std::size_t>(sel.processed)]);
}

bool addSelectedToExclusions(const StringList& processed, StringList& exclusions,
                             const ListSelection& sel) {
  if (!isValidIndex(processed, sel.processed)) return false;
  return insertUnique(exclusions, processed[static_cast<std::size_t>(sel.processed)]);
}

bool deleteSelectedExclusion(StringList& exclusions, ListSelection& sel) {
  if (!isValidIndex(exclusions, sel.exclusion)) return false;
  exclusions.erase(exclusions.begin() + sel.exclusion);
  sel.exclusion = -1;
  return true;
}

void clearProcessed(StringList& processed, ListSelection& sel) {
  processed.clear();
  sel.processed = -1;
}

}  // namespace rimfold
