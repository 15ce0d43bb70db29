// Process entry: data folder, instance rules, the application host, the message loop.
#include <windows.h>

#include "app/instance_rules.h"
#include "platform/win32/win32_platform.h"
#include "settings/data_paths.h"
#include "shell/app_host.h"
#include "shell/instance_mutex.h"
#include "system/data_dir.h"
#include "ui/message_loop.h"

#include <cstdlib>

// The runtime's default terminate handler prints the exception's demangled type to stderr,
// which a GUI program does not have, and its demangler was 45 KB of the exe. No exception
// leaves a callback here (every one runs guarded), so this only ever ends a broken state.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace rimfold;

  win32::Win32Platform system;
  Platform p = system.platform();

  if (!Func_CreateDataDir(p, u"Rimfold")) return 0;

  const bool adminRunning = shell::mutexExists(app::kMutexAdmin);
  const bool normalRunning = !adminRunning && shell::mutexExists(app::kMutexNormal);
  const std::u16string first = shell::firstArgument(::GetCommandLineW());
  const bool nonResident = app::isNonResidentArgument(first.c_str());
  const bool isAdmin = p.shell.isUserAnAdmin();
  const app::InstanceDecision decision =
      app::decideInstance(adminRunning, normalRunning, isAdmin, nonResident);
  if (!decision.run) return 0;

  // Held, not owned, until the message loop has ended: its existence is the signal.
  bool alreadyExisted = false;
  win32::UniqueMutex instance = shell::createInstanceMutex(decision.mutexName, alreadyExisted);
  if (alreadyExisted) {
    const bool createdAdmin = decision.mutexName == app::kMutexAdmin;
    const bool otherRunning =
        shell::mutexExists(createdAdmin ? app::kMutexNormal : app::kMutexAdmin);
    if (!app::decideOnExistingMutex(decision, otherRunning, isAdmin, nonResident).run) return 0;
  }

  // Alone, this instance may clear what a save cut short left behind; beside the other
  // instance that one might be saving right now.
  if (!adminRunning && !normalRunning) {
    removeStaleSaveFiles(p, {settingsPath(p), workAreaPath(p), disableLogPath(p), errorLogPath(p)});
  }

  // The application host owns the program and builds it in the order each part needs.
  shell::AppHost host(p, nonResident);
  if (!host.start()) return 0;
  ui::runMessageLoop([&] { return host.closed(); });
  instance.reset();
  return 0;
}
