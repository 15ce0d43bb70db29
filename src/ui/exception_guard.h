// The one application-wide exception handler and the guard that every Win32 callback
// (window procedure, timer, win-event hook) runs its body in: no exception may unwind
// through a system frame, and none may end the program.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace rimfold::ui {

// Implemented by the application host (ApplicationEventsException).
class IExceptionSink {
 public:
  virtual ~IExceptionSink() = default;
  virtual void ApplicationEventsException(const std::u16string& message) = 0;
};

// The sink that receives every caught exception; null drops them.
void setExceptionSink(IExceptionSink* sink) noexcept;
IExceptionSink* exceptionSink() noexcept;

// What is logged for an exception that is not a std::exception.
inline constexpr char16_t kUnknownExceptionText[] = u"Unknown exception";

// e.what() as UTF-16: read as UTF-8 when it is valid UTF-8, else in the ANSI code page.
std::u16string exceptionMessage(const char* what);

// Hands the message to the sink; a failure inside the sink itself is swallowed.
void reportException(const std::u16string& message) noexcept;

// Runs body; an exception becomes a report and a false result.
template <typename F>
bool runGuarded(F&& body) noexcept {
  try {
    std::forward<F>(body)();
    return true;
  } catch (const std::exception& e) {
    try {
      reportException(exceptionMessage(e.what()));
    } catch (...) {  // the message conversion ran out of memory: nothing left to say
    }
  } catch (...) {
    reportException(kUnknownExceptionText);
  }
  return false;
}

}  // namespace rimfold::ui
