// ICodePage over the system ANSI code page (CP_ACP).
#pragma once

#include "platform/code_page.h"

namespace rimfold::win32 {

class Win32CodePage final : public ICodePage {
 public:
  std::u16string ansiToUtf16(std::string_view bytes) const override;
  std::string utf16ToAnsi(std::u16string_view text) const override;
};

}  // namespace rimfold::win32
