// The widest entry of a list box, kept in step with the list so that a change measures
// only the entries it adds: the horizontal extent of a list of thousands of processed
// windows is refreshed at the cost of one text measurement.
#pragma once

#include <cstddef>
#include <map>
#include <vector>

namespace rimfold {

class ListExtent {
 public:
  // Widths in the list's own order, index 0 at the top.
  void insertTop(int width);
  void erase(std::size_t index);
  void clear() noexcept;
  std::size_t size() const noexcept { return bottomFirst_.size(); }
  // The widest entry's width; 0 for an empty list.
  int widest() const noexcept;

 private:
  std::vector<int> bottomFirst_;
  std::map<int, int> counts_;  // width -> entries of that width
};

}  // namespace rimfold
