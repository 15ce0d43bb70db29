// One of the dialog's list boxes as a view of a window list: filled whole, kept in step
// with the entries the engine inserts at the top (and the oldest it drops at the bottom),
// and its horizontal extent following the widest entry.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "settings/window_list.h"
#include "ui/dialog_controls.h"
#include "ui/model/list_extent.h"

namespace rimfold::shell {

class ListBoxView {
 public:
  // The box is looked up by its id each time: it exists only once the controls are made.
  ListBoxView(const ui::DialogControls& controls, int id, const WindowList& list)
      : controls_(controls), id_(id), list_(list) {}

  // Every entry anew, and the extent measured again.
  void fill();
  // The entries inserted at the top since the box was last in step, and those dropped from
  // the bottom; a box that cannot be brought in step so is filled anew.
  void syncTopInsertions();
  // Proc_SetListExtent: twice the widest entry, set only when it changed.
  void setExtent();
  // The entry at index removed from the box (the list has removed it already).
  void erase(int index);
  // Emptied, with the extent as it was until the next fill sets it.
  void clear();

  int selectedIndex() const;  // -1 for none
  void select(int index);

 private:
  HWND box() const { return controls_[id_]; }
  int entryWidth(const std::u16string& entry) const;

  const ui::DialogControls& controls_;
  const int id_;
  const WindowList& list_;
  ListExtent extent_;
  // How many entries the list had dropped from its bottom when the box was last in step.
  std::uint64_t droppedSeen_ = 0;
};

}  // namespace rimfold::shell
