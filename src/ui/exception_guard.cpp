#include "ui/exception_guard.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/win32_convert.h"

namespace rimfold::ui {

namespace {

IExceptionSink* gSink = nullptr;

std::u16string decode(UINT codePage, DWORD flags, const char* text, int length) {
  const int needed = ::MultiByteToWideChar(codePage, flags, text, length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  ::MultiByteToWideChar(codePage, flags, text, length, wide.data(), needed);
  return win32::fromWide(wide);
}

}  // namespace

void setExceptionSink(IExceptionSink* sink) noexcept { gSink = sink; }

IExceptionSink* exceptionSink() noexcept { return gSink; }

std::u16string exceptionMessage(const char* what) {
  if (what == nullptr || *what == '\0') return {};
  const int length = static_cast<int>(std::strlen(what));
  // Our own messages are UTF-8; the runtime's and the system's are in the ANSI code page.
  std::u16string text = decode(CP_UTF8, MB_ERR_INVALID_CHARS, what, length);
  if (text.empty()) text = decode(CP_ACP, 0, what, length);
  return text;
}

void reportException(const std::u16string& message) noexcept {
  if (gSink == nullptr) return;
  try {
    gSink->ApplicationEventsException(message);
  } catch (...) {  // the handler failing must not turn into a second failure
  }
}

}  // namespace rimfold::ui
