// The contract suite over a desktop kind; each test program instantiates it with its own.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "contract/desktop_contract.h"

namespace rimfold::contract {

class WindowManagerContract : public ::testing::TestWithParam<DesktopKind> {
 protected:
  void SetUp() override;
  IWindowManager& windows() { return desktop_->windows(); }
  ContractDesktop& desktop() { return *desktop_; }

  struct Monitor {
    Hmonitor handle;
    MonitorInfo info;
  };
  std::vector<Monitor> monitors;  // as the desktop reports them

 private:
  std::unique_ptr<ContractDesktop> desktop_;
};

std::string kindName(const ::testing::TestParamInfo<DesktopKind>& info);

}  // namespace rimfold::contract
