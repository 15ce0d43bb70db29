// Process entry: data folder, instance rules, the two forms, the message loop.
#include <windows.h>

#include "shell/instance_mutex.h"
#include "shell/main_form.h"
#include "ui/message_loop.h"
#include "settings/error_log.h"
#include "app/instance_rules.h"
#include "settings/program_state.h"
#include "settings/settings_file.h"
#include "shell/config_form.h"
#include "engine/monitor_list.h"
#include "platform/win32/win32_platform.h"
#include "system/data_dir.h"
#include "workarea/work_area.h"

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

  const bool adminRunning = app::mutexExists(kMutexAdmin);
  const bool normalRunning = !adminRunning && app::mutexExists(kMutexNormal);
  const std::u16string first = app::firstArgument(::GetCommandLineW());
  const bool nonResident = isNonResidentArgument(first.c_str());
  const bool isAdmin = p.shell.isUserAnAdmin();
  const InstanceDecision decision =
      decideInstance(adminRunning, normalRunning, isAdmin, nonResident);
  if (!decision.run) return 0;

  // Held, not owned, until the message loop has ended: its existence is the signal.
  bool alreadyExisted = false;
  win32::UniqueMutex instance = app::createInstanceMutex(decision.mutexName, alreadyExisted);
  if (alreadyExisted) {
    const bool createdAdmin = decision.mutexName == kMutexAdmin;
    const bool otherRunning = app::mutexExists(createdAdmin ? kMutexNormal : kMutexAdmin);
    if (!decideOnExistingMutex(decision, otherRunning, isAdmin, nonResident).run) return 0;
  }

  // Alone, this instance may clear what a save cut short left behind; beside the other
  // instance that one might be saving right now.
  if (!adminRunning && !normalRunning) {
    removeStaleSaveFiles(p, {settingsPath(p), workAreaPath(p), app::disableLogPath(p), errorLogPath(p)});
  }

  // The application root: the state, then what reads and writes it, in the order each needs
  // the others. The dialog's window and FormCreate follow the main form's, which it needs
  // set up.
  ProgramState state;
  MonitorList monitors(p.windows);
  app::TConfigForm configForm(p, state, monitors);
  app::TMainForm mainForm(p, state, monitors, configForm, nonResident);
  if (!mainForm.create()) return 0;
  app::runGuarded([&] {
    configForm.create(mainForm.hasMenu() ? mainForm.hotKeyStop() : std::u16string());
  });

  app::runMessageLoop([&] { return mainForm.closed(); });
  instance.reset();
  return 0;
}
