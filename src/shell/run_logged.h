// The saves of a close, each on its own: a failure goes to the error log.
#pragma once

#include <exception>
#include <utility>

#include "settings/error_log.h"
#include "ui/exception_guard.h"

namespace rimfold::shell {

// Runs body; an exception is written straight to the error log and gives false. For the
// saves of a close: one file that cannot be written must not keep the others, or the
// close itself, from going on, and the handler's pause and timer restart do not belong
// there.
template <typename F>
bool runLogged(Platform& p, F&& body) noexcept {
  try {
    std::forward<F>(body)();
    return true;
  } catch (const std::exception& e) {
    try {
      appendErrorLog(p, ui::exceptionMessage(e.what()));
    } catch (...) {  // out of memory while logging: nothing left to say
    }
  } catch (...) {
    try {
      appendErrorLog(p, ui::kUnknownExceptionText);
    } catch (...) {
    }
  }
  return false;
}

}  // namespace rimfold::shell
