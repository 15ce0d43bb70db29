// The Wine-run tests of the Win32 platform. Started with the child switch, the same
// program plays the second process some tests need.
#include <windows.h>

#include <cwchar>

#include <gtest/gtest.h>

#include "win32/child_process.h"

int wmain(int argc, wchar_t** argv) {
  if (argc >= 2 && std::wcscmp(argv[1], rimfold::win32::test::kChildSwitch) == 0) {
    return rimfold::win32::test::runChildMode(argc, argv);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
