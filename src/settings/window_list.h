// An ordered list of window keys with a case-insensitive index, so that the lookups every
// corrected window makes cost the same however long the list has grown. Entries are kept
// bottom first internally, so that the insertion at the top is an append.
#pragma once

#include <cstdint>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>

#include "rtl/text_codec.h"

namespace rimfold {

class WindowList {
 public:
  using const_iterator = StringList::const_reverse_iterator;  // top first

  WindowList() = default;
  WindowList(const StringList& topFirst);  // NOLINT(google-explicit-constructor): a list is a list
  WindowList& operator=(const StringList& topFirst);

  std::size_t size() const noexcept { return bottomFirst_.size(); }
  bool empty() const noexcept { return bottomFirst_.empty(); }
  // Index 0 is the top line.
  const std::u16string& operator[](std::size_t index) const {
    return bottomFirst_[bottomFirst_.size() - 1 - index];
  }
  const_iterator begin() const noexcept { return bottomFirst_.rbegin(); }
  const_iterator end() const noexcept { return bottomFirst_.rend(); }
  StringList toStringList() const { return StringList(begin(), end()); }

  // Whole-string comparison without regard to letter case.
  bool contains(std::u16string_view entry) const;
  // The first equal entry from the top, -1 when there is none.
  int indexOf(std::u16string_view entry) const;
  // At the top unless an equal entry exists; true when inserted.
  bool insertUnique(const std::u16string& entry);
  void erase(std::size_t index);
  void clear() noexcept;
  // Drops the oldest entries (from the bottom) beyond the newest n.
  void keepNewest(std::size_t n);
  // How many entries keepNewest has dropped in the list's life: a view of the list that
  // knows how many it saw dropped removes as many from its bottom.
  std::uint64_t droppedFromBottom() const noexcept { return dropped_; }

  friend bool operator==(const WindowList& a, const StringList& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
  }

 private:
  void index(const std::u16string& entry);
  StringList bottomFirst_;
  std::uint64_t dropped_ = 0;
  // Case-folded entry -> how many entries fold to it (a loaded file may repeat one).
  std::unordered_map<std::u16string, int> folded_;
};

}  // namespace rimfold
