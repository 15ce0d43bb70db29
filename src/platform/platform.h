// The bundle of platform services handed to the core.
#pragma once

#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/data_folder.h"
#include "platform/input.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/window_manager.h"

namespace rimfold {

struct Platform {
  IWindowManager& windows;
  IInput& input;
  IShell& shell;
  ISystem& system;
  IClock& clock;
  ICodePage& codePage;
  DataFolder& data;
};

}  // namespace rimfold
