#include "ui/model/list_extent.h"

namespace rimfold {

void ListExtent::insertTop(int width) {
  bottomFirst_.push_back(width);
  ++counts_[width];
}

void ListExtent::erase(std::size_t index) {
  if (index >= bottomFirst_.size()) return;
  const auto at = bottomFirst_.end() - 1 - static_cast<std::ptrdiff_t>(index);
  const auto count = counts_.find(*at);
  if (count != counts_.end() && --count->second == 0) counts_.erase(count);
  bottomFirst_.erase(at);
}

void ListExtent::clear() noexcept {
  bottomFirst_.clear();
  counts_.clear();
}

int ListExtent::widest() const noexcept { return counts_.empty() ? 0 : counts_.rbegin()->first; }

}  // namespace rimfold
