#include "shell/list_box_view.h"

#include <algorithm>

#include "platform/win32/win32_convert.h"

namespace rimfold::shell {

int ListBoxView::entryWidth(const std::u16string& entry) const {
  return controls_.textWidth(win32::toWide(entry));
}

void ListBoxView::fill() {
  droppedSeen_ = list_.droppedFromBottom();
  extent_.clear();
  for (auto it = list_.end(); it != list_.begin();) extent_.insertTop(entryWidth(*--it));
  HWND b = box();
  if (b == nullptr) return;
  ::SendMessageW(b, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(b, LB_RESETCONTENT, 0, 0);
  ::SendMessageW(b, LB_INITSTORAGE, list_.size(), 0);
  for (const std::u16string& entry : list_) {
    ::SendMessageW(b, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::toWide(entry).c_str()));
  }
  ::SendMessageW(b, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(b, nullptr, TRUE);
}

void ListBoxView::syncTopInsertions() {
  HWND b = box();
  if (b == nullptr) return;
  auto shown = static_cast<std::size_t>(std::max<LRESULT>(::SendMessageW(b, LB_GETCOUNT, 0, 0), 0));
  // Behind the dialog's back the engine inserts at the top and drops the oldest at the
  // bottom; the newest is at index 0.
  const std::uint64_t dropped = list_.droppedFromBottom() - droppedSeen_;
  if (dropped > shown || extent_.size() != shown) {
    fill();
    return;
  }
  for (std::uint64_t i = 0; i < dropped; ++i) {
    --shown;
    ::SendMessageW(b, LB_DELETESTRING, shown, 0);
    extent_.erase(shown);
  }
  droppedSeen_ = list_.droppedFromBottom();
  if (shown > list_.size()) {
    fill();
    return;
  }
  for (std::size_t k = list_.size() - shown; k-- > 0;) {
    ::SendMessageW(b, LB_INSERTSTRING, 0,
                   reinterpret_cast<LPARAM>(win32::toWide(list_[k]).c_str()));
    extent_.insertTop(entryWidth(list_[k]));
  }
}

void ListBoxView::setExtent() {
  HWND b = box();
  if (b == nullptr) return;
  // Setting it redoes the scroll bar, which costs more than the rest of a recording.
  const auto wanted = static_cast<LRESULT>(2 * extent_.widest());
  if (::SendMessageW(b, LB_GETHORIZONTALEXTENT, 0, 0) != wanted) {
    ::SendMessageW(b, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(wanted), 0);
  }
}

void ListBoxView::erase(int index) {
  ::SendMessageW(box(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  extent_.erase(static_cast<std::size_t>(index));
}

void ListBoxView::clear() {
  ::SendMessageW(box(), LB_RESETCONTENT, 0, 0);
  extent_.clear();
}

int ListBoxView::selectedIndex() const {
  return static_cast<int>(::SendMessageW(box(), LB_GETCURSEL, 0, 0));
}

void ListBoxView::select(int index) {
  ::SendMessageW(box(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

}  // namespace rimfold::shell
