#include "system/elevation.h"

#include <gtest/gtest.h>

#include "fake/fake_desktop.h"
#include "system/uac_check.h"

namespace rimfold {
namespace {

using test::FakeDesktop;

TEST(Elevation, ExecuteElevatedPassesRunasAndShowNormal) {
  for (bool ok : {true, false}) {
    FakeDesktop d;
    Platform p = d.platform();
    d.setShellExecuteExResult(ok);
    EXPECT_EQ(ExecuteElevated(p, 0x10, u"C:\\a b\\x.exe", u"/Q"), ok);
    ASSERT_EQ(d.shellExecuteLog().size(), 1u);
    const test::ShellExecuteCall& c = d.shellExecuteLog()[0];
    EXPECT_TRUE(c.ex);
    EXPECT_EQ(c.owner, 0x10u);
    EXPECT_EQ(c.verb, u"runas");
    EXPECT_EQ(c.file, u"C:\\a b\\x.exe");
    EXPECT_EQ(c.parameters, u"/Q");
    EXPECT_EQ(c.showCommand, 1);
  }
}

TEST(Elevation, AdminQClickUsesTheRunningExecutable) {
  FakeDesktop d;
  Platform p = d.platform();
  d.setModuleFileName(u"C:\\Program Files (x86)\\Rimfold\\Rimfold.exe");
  PPAdminQClick(p, 0x20);
  ASSERT_EQ(d.shellExecuteLog().size(), 1u);
  EXPECT_EQ(d.shellExecuteLog()[0].file, u"C:\\Program Files (x86)\\Rimfold\\Rimfold.exe");
  EXPECT_EQ(d.shellExecuteLog()[0].parameters, u"/Q");
}

TEST(Elevation, OfferedOnVistaOnWithUacForAStandardUser) {
  struct Case {
    std::uint32_t major, minor;
    bool uac, admin, offered;
  } cases[] = {
      {6, 0, true, false, true}, {10, 0, true, false, true}, {6, 0, false, false, false},
      {6, 1, true, true, false}, {5, 1, true, false, false},
  };
  for (const auto& c : cases) {
    FakeDesktop d;
    Platform p = d.platform();
    d.setVersion(c.major, c.minor);
    d.setUserIsAdmin(c.admin);
    EXPECT_EQ(adminQOffered(p, c.uac), c.offered)
        << c.major << "." << c.minor << " uac " << c.uac << " admin " << c.admin;
  }
}

}  // namespace
}  // namespace rimfold
