// Process entry: the data folder, the instance rules, the two forms and the message loop.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "app/main_form.h"
#include "app/message_loop.h"
#include "app/model/instance_rules.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_convert.h"
#include "platform/win32/win32_platform.h"
#include "system/data_dir.h"

namespace {

bool mutexExists(const char16_t* name) {
  rimfold::win32::UniqueMutex m(::OpenMutexW(MUTEX_ALL_ACCESS, FALSE, rimfold::win32::wide(name)));
  return m.valid();
}

bool firstArgumentIsQ() {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argv == nullptr) return false;
  const bool q = argc > 1 && rimfold::isNonResidentArgument(reinterpret_cast<const char16_t*>(argv[1]));
  ::LocalFree(argv);
  return q;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  rimfold::win32::Win32Platform win32Platform;
  rimfold::Platform p = win32Platform.platform();

  if (!rimfold::Func_CreateDataDir(p, u"Rimfold")) return 0;

  const bool nonResident = firstArgumentIsQ();
  const bool isAdmin = ::IsUserAnAdmin() != FALSE;
  const bool adminRunning = mutexExists(rimfold::kMutexAdmin);
  const bool normalRunning = !adminRunning && mutexExists(rimfold::kMutexNormal);
  const rimfold::InstanceDecision decision =
      rimfold::decideInstance(adminRunning, normalRunning, isAdmin, nonResident);
  if (!decision.run) return 0;

  rimfold::win32::UniqueMutex instance(
      ::CreateMutexW(nullptr, FALSE, rimfold::win32::wide(decision.mutexName)));

  int exitCode = 0;
  {
    rimfold::app::TMainForm mainForm(p, nonResident);
    if (!mainForm.create()) return 0;
    exitCode = rimfold::app::runMessageLoop();
  }
  return exitCode;
}
