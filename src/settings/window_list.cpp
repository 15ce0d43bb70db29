#include "settings/window_list.h"

#include <algorithm>

#include "rtl/text_utils.h"

namespace rimfold {

WindowList::WindowList(const StringList& topFirst) { *this = topFirst; }

WindowList& WindowList::operator=(const StringList& topFirst) {
  clear();
  bottomFirst_.assign(topFirst.rbegin(), topFirst.rend());
  for (const std::u16string& entry : bottomFirst_) index(entry);
  return *this;
}

void WindowList::index(const std::u16string& entry) { ++folded_[foldCase(entry)]; }

bool WindowList::contains(std::u16string_view entry) const {
  return folded_.find(foldCase(entry)) != folded_.end();
}

int WindowList::indexOf(std::u16string_view entry) const {
  if (!contains(entry)) return -1;
  for (std::size_t i = 0; i < size(); ++i) {
    if (equalsIgnoreCase((*this)[i], entry)) return static_cast<int>(i);
  }
  return -1;
}

bool WindowList::insertUnique(const std::u16string& entry) {
  std::u16string key = foldCase(entry);
  const auto [it, inserted] = folded_.try_emplace(std::move(key), 1);
  if (!inserted) return false;
  bottomFirst_.push_back(entry);
  return true;
}

void WindowList::erase(std::size_t index) {
  if (index >= size()) return;
  const auto at = bottomFirst_.begin() + static_cast<std::ptrdiff_t>(size() - 1 - index);
  const auto key = folded_.find(foldCase(*at));
  if (key != folded_.end() && --key->second == 0) folded_.erase(key);
  bottomFirst_.erase(at);
}

void WindowList::keepNewest(std::size_t n) {
  if (size() <= n) return;
  const std::size_t drop = size() - n;
  for (std::size_t i = 0; i < drop; ++i) {
    const auto key = folded_.find(foldCase(bottomFirst_[i]));
    if (key != folded_.end() && --key->second == 0) folded_.erase(key);
  }
  bottomFirst_.erase(bottomFirst_.begin(),
                     bottomFirst_.begin() + static_cast<std::ptrdiff_t>(drop));
  dropped_ += drop;
}

void WindowList::clear() noexcept {
  bottomFirst_.clear();
  folded_.clear();
}

}  // namespace rimfold
