// The dialog under Wine: the time from the tray menu's command to the dialog's first paint,
// and the cost of recording a corrected window in a processed list of 10 and of 5,000
// entries (list, list box and extent), with the two forms as the program builds them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "shell/app_host.h"
#include "shell/config_form.h"
#include "settings/window_lists.h"
#include "platform/win32/win32_convert.h"
#include "platform/win32/win32_platform.h"
#include "system/data_dir.h"

namespace {

using namespace rimfold;

LARGE_INTEGER gStart{};
double gOpenMs = 0;
bool gPainted = false;
HWND gDialog = nullptr;

double msSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{}, frequency{};
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

// The first WM_PAINT taken from the queue for the dialog or one of its controls ends the
// measurement and closes the dialog again.
LRESULT CALLBACK watchPaint(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && !gPainted && msg->message == WM_PAINT &&
      (msg->hwnd == gDialog || ::IsChild(gDialog, msg->hwnd))) {
    gPainted = true;
    gOpenMs = msSince(gStart);
    ::PostMessageW(gDialog, WM_CLOSE, 0, 0);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Microseconds per recorded window with `entries` already in the processed list.
double recordingMicros(shell::TConfigForm& config, WindowLists& c, int entries) {
  c.ListBoxE.clear();
  for (int i = 0; i < entries; ++i) {
    c.ListBoxE.insertUnique(u"PROGRAM" + win32::fromWide(std::to_wstring(i)) + u".EXE,Class,Title");
  }
  config.processedListChanged();
  constexpr int kRecords = 300;
  LARGE_INTEGER start{};
  ::QueryPerformanceCounter(&start);
  for (int i = 0; i < kRecords; ++i) {
    const std::u16string n = win32::fromWide(std::to_wstring(i));
    recordProcessed(c.ListBoxE,
                    WindowIdentity{u"Title " + n, u"Class" + n, u"C:\\Apps\\app" + n + u".exe"});
    config.processedListChanged();
  }
  return msSince(start) * 1000.0 / kRecords;
}

}  // namespace

int wmain() {
  wchar_t temp[MAX_PATH]{};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring dir = std::wstring(temp) + L"rimfold-dialog-bench\\";
  ::CreateDirectoryW(dir.c_str(), nullptr);

  win32::Win32Platform system;
  Platform p = system.platform();
  p.data.dir = win32::fromWide(dir);
  shell::AppHost host(p, false);
  if (!host.start()) return 1;
  shell::TConfigForm& config = host.configForm();
  gDialog = config.handle();

  std::vector<double> opens;
  HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, &watchPaint, nullptr, ::GetCurrentThreadId());
  for (int run = 0; run < 7; ++run) {
    gPainted = false;
    ::QueryPerformanceCounter(&gStart);
    // What a click on 設定(&C) does: the command, run from the message loop.
    ::SendMessageW(host.mainForm().handle(), WM_COMMAND, app::PPConfig, 0);
    if (gPainted) opens.push_back(gOpenMs);
  }
  ::UnhookWindowsHookEx(hook);

  const double small = recordingMicros(config, host.state().lists, 10);
  const double large = recordingMicros(config, host.state().lists, 5000);
  std::printf("dialog open, command to first paint: %.1f ms (median of %zu)\n", median(opens),
              opens.size());
  std::printf("recording a corrected window, 10 entries:    %.1f us\n", small);
  std::printf("recording a corrected window, 5,000 entries: %.1f us (%.2f times)\n", large,
              large / small);
  host.Close();
  return opens.empty() ? 1 : 0;
}
