#include "engine/event_hooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rimfold {
namespace {

// Refuses each range as often as told, then installs it.
struct Installer : IHookInstaller {
  std::array<int, kHookedEvents.size()> refusals{};
  std::array<bool, kHookedEvents.size()> live{};
  std::vector<std::size_t> asked;
  std::vector<std::u16string> logged;
  bool installHook(std::size_t i, const EventRange&) override {
    asked.push_back(i);
    if (refusals[i] != 0) {
      if (refusals[i] > 0) --refusals[i];
      return false;
    }
    EXPECT_FALSE(live[i]) << "installed twice";
    return live[i] = true;
  }
  void removeHook(std::size_t i) override { live[i] = false; }
  void logHookFailure(const std::u16string& message) override { logged.push_back(message); }
};

TEST(EventHooks, RefusedRangesAreLoggedOnceAndAskedForAgainAtEachTick) {
  struct Case {
    const char* name;
    std::array<int, 4> refusals;  // -1: always
    int ticks;
    bool complete;
    std::size_t asked;  // installHook calls over two set() and the ticks
    std::size_t logged;
  };
  const Case cases[] = {
      {"all installed at once", {0, 0, 0, 0}, 3, true, 4, 0},
      {"location change refused once", {0, 0, 1, 0}, 3, true, 5, 1},
      {"two ranges refused for two ticks", {2, 0, 2, 0}, 3, true, 8, 1},
      {"refused for good: logged once", {-1, 0, 0, 0}, 5, false, 10, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Installer in;
    in.refusals = c.refusals;
    EventHooks hooks(in);
    hooks.set();
    hooks.set();  // a second set never installs twice
    for (int t = 0; t < c.ticks; ++t) hooks.retry();
    EXPECT_EQ(hooks.complete(), c.complete);
    EXPECT_EQ(in.asked.size(), c.asked);
    EXPECT_EQ(in.logged.size(), c.logged);
  }
}

TEST(EventHooks, AfterUnhookNothingIsRetriedAndTheNextFailureIsLoggedAgain) {
  Installer in;
  in.refusals = {1, 0, 0, 0};
  EventHooks hooks(in);
  hooks.set();
  hooks.retry();
  ASSERT_TRUE(hooks.complete());
  hooks.unhook();
  EXPECT_EQ(in.live, (std::array<bool, 4>{}));
  in.refusals = {0, -1, 0, 0};
  const std::size_t before = in.asked.size();
  hooks.retry();
  EXPECT_EQ(in.asked.size(), before);
  hooks.set();
  EXPECT_EQ(in.logged.size(), 2u);
  EXPECT_NE(in.logged.back().find(u"0xA..0xB"), std::u16string::npos);
}

}  // namespace
}  // namespace rimfold
