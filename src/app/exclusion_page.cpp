#include "app/exclusion_page.h"

namespace rimfold::app {

void ExclusionPage::ListBoxEClick(const WindowLists& c, int index) {
  sel.processed = index;
  TBExeAddEnabled = index >= 0;
  // Moves the exclusion selection to the same entry, without touching the delete button.
  selectMatchingExclusion(c.ListBoxE, c.ListBoxD, sel);
}

void ExclusionPage::ListBoxEExit() {
  sel.processed = -1;
  TBExeAddEnabled = false;
}

void ExclusionPage::ListBoxDClick(int index) {
  sel.exclusion = index;
  TBExeDelEnabled = index >= 0;
}

void ExclusionPage::ListBoxDExit() {
  sel.exclusion = -1;
  TBExeDelEnabled = false;
}

bool ExclusionPage::TBExeAddClick(WindowLists& c) {
  return addSelectedToExclusions(c.ListBoxE, c.ListBoxD, sel);
}

bool ExclusionPage::TBExeDelClick(WindowLists& c) {
  const bool deleted = deleteSelectedExclusion(c.ListBoxD, sel);
  if (deleted) TBExeDelEnabled = sel.exclusion >= 0;
  return deleted;
}

void ExclusionPage::TBListEClearClick(WindowLists& c) {
  clearProcessed(c.ListBoxE, sel);
  c.TBListEClearEnabled = false;
  TBExeAddEnabled = false;
}

}  // namespace rimfold::app
