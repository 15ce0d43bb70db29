// The real platform: one of each Win32 service, handed to the core as a Platform.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_window_manager.h"

namespace rimfold::win32 {

class Win32Platform {
 public:
  Win32Platform() = default;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  [[nodiscard]] Platform platform() noexcept {
    return Platform{windows_, input_, shell_, system_, clock_, codePage_, data_};
  }

 private:
  Win32WindowManager windows_;
  Win32Input input_;
  Win32Shell shell_;
  Win32System system_;
  Win32Clock clock_;
  Win32CodePage codePage_;
  DataFolder data_;
};

}  // namespace rimfold::win32
