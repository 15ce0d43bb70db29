#include "platform/win32/win32_code_page.h"

#include <windows.h>

#include <limits>

namespace rimfold::win32 {

std::u16string Win32CodePage::ansiToUtf16(std::string_view bytes) const {
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return {};
  }
  const int length = static_cast<int>(bytes.size());
  int needed = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::u16string out(static_cast<std::size_t>(needed), u'\0');
  int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length,
                                reinterpret_cast<wchar_t*>(out.data()), needed);
  if (n <= 0) return {};
  out.resize(static_cast<std::size_t>(n));
  return out;
}

std::string Win32CodePage::utf16ToAnsi(std::u16string_view text) const {
  if (text.empty() || text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return {};
  }
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  // No default character given: the code page's own stands in for what it cannot hold.
  int needed = ::WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string out(static_cast<std::size_t>(needed), '\0');
  int n = ::WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), needed, nullptr, nullptr);
  if (n <= 0) return {};
  out.resize(static_cast<std::size_t>(n));
  return out;
}

}  // namespace rimfold::win32
