#include "display/monitor_switch.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fake/fake_desktop.h"
#include "system/wow64.h"

namespace rimfold {
namespace {

using test::FakeDesktop;
using test::Op;

TEST(MonitorSwitch, SwitchByTag) {
  const struct {
    int tag;
    const char16_t* arg;
  } cases[] = {{0, u"/internal"}, {1, u"/clone"}, {2, u"/extend"},
               {3, u"/external"}, {4, u""},       {-1, u""}};
  for (const auto& c : cases) EXPECT_EQ(displaySwitchArgument(c.tag), c.arg) << c.tag;
}

TEST(MonitorSwitch, TheToolIsStartedFromTheRealSystemFolder) {
  const std::u16string system32 = u"C:\\windows\\system32\\DisplaySwitch.exe";
  const std::u16string sysnative = u"C:\\windows\\Sysnative\\DisplaySwitch.exe";
  struct Case {
    const char* name;
    bool wow64;
    bool toolExists;
    std::optional<std::u16string> started;
  } cases[] = {
      {"64-bit process", false, true, system32},
      {"32-bit on 64-bit", true, true, sysnative},
      {"tool missing", false, false, std::nullopt},
      {"tool missing, 32-bit on 64-bit", true, false, std::nullopt},
  };
  for (const auto& c : cases) {
    FakeDesktop d;
    Platform p = d.platform();
    d.setWow64Process(c.wow64);
    const bool wow64 = InitWow64(p);
    if (c.toolExists) {
      d.addFile(system32, "MZ");
      // What a 32-bit process sees through the alias.
      if (c.wow64) d.addFile(sysnative, "MZ");
    }
    PPDisplayChangeClick(p, wow64, 0x3030, 0);
    if (!c.started) {
      EXPECT_TRUE(d.shellExecuteLog().empty()) << c.name;
      continue;
    }
    ASSERT_EQ(d.shellExecuteLog().size(), 1u) << c.name;
    const test::ShellExecuteCall& call = d.shellExecuteLog()[0];
    EXPECT_FALSE(call.ex) << c.name;
    EXPECT_EQ(call.owner, 0x3030u) << c.name;
    EXPECT_EQ(call.file, *c.started) << c.name;
    EXPECT_EQ(call.parameters, u"/internal") << c.name;
    EXPECT_EQ(call.directory, u"") << c.name;
    EXPECT_EQ(call.showCommand, 5) << c.name;
    // The existence test looked past the redirection and restored it.
    EXPECT_EQ(d.calls(Op::DisableFsRedirection), c.wow64 ? 1u : 0u) << c.name;
    EXPECT_FALSE(d.fsRedirectionDisabled()) << c.name;
  }
}

TEST(MonitorSwitch, ToolPathFollowsTheSystemDirectory) {
  FakeDesktop d;
  d.setSystemDirectory(u"D:\\WINNT\\System32");
  EXPECT_EQ(displaySwitchToolPath(d), u"D:\\WINNT\\System32\\DisplaySwitch.exe");
}

}  // namespace
}  // namespace rimfold
