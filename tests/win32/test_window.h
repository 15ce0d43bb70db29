// Top-level windows of the test process itself, destroyed with their owner.
#pragma once

#include <windows.h>

#include <string>

#include "platform/types.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_convert.h"

namespace rimfold::win32::test {

inline constexpr wchar_t kOwnWindowClass[] = L"RimfoldTestOwnWindow";

struct OwnWindowDesc {
  std::wstring title = L"Rimfold own test window";
  RECT rect{100, 100, 500, 400};  // left, top, right, bottom
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  int show = SW_SHOWNORMAL;  // -1: leave hidden
};

class OwnWindow {
 public:
  explicit OwnWindow(const OwnWindowDesc& desc = {});
  HWND hwnd() const { return window_.get(); }
  Hwnd handle() const { return fromHwnd(window_.get()); }

 private:
  UniqueWindow window_;
};

// Lets the windows of this thread handle what the calls above queued.
void pumpMessages();

}  // namespace rimfold::win32::test
