// The hidden hotkey window for tests: RegisterHotKey's calls in order, and its rules.
#pragma once

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "widgets/model/hook_hot_key.h"

namespace rimfold::test {

// RegisterHotKey's rules: an id registers once, a combination taken elsewhere fails.
class FakeHotKeyWindow final : public IHotKeyWindow {
 public:
  bool registerHotKey(int id, std::uint32_t modifiers, std::uint32_t key) override {
    log.push_back({id, modifiers, key});
    if (taken.count({modifiers, key}) != 0 || registered.count(id) != 0) return false;
    registered.insert(id);
    return true;
  }
  bool unregisterHotKey(int id) override {
    ++unregisters;
    return registered.erase(id) != 0;
  }
  void activateOwner() override { ++activations; }

  struct Call {
    int id;
    std::uint32_t modifiers, key;
  };
  std::vector<Call> log;
  std::set<int> registered;
  std::set<std::pair<std::uint32_t, std::uint32_t>> taken;
  int activations = 0;
  int unregisters = 0;
};

}  // namespace rimfold::test
