// A function of a system library that older Windows versions lack, looked up at run time.
#pragma once

#include <windows.h>

namespace rimfold::win32 {

// nullptr when the library or the function is missing.
template <typename Function>
Function procAddress(HMODULE module, const char* name) noexcept {
  if (module == nullptr) return nullptr;
  // GetProcAddress returns a generic function pointer; the cast goes through void(*)().
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace rimfold::win32
