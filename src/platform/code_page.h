// The system ANSI code page conversion.
#pragma once

#include <string>
#include <string_view>

namespace rimfold {

class ICodePage {
 public:
  virtual ~ICodePage() = default;
  virtual std::u16string ansiToUtf16(std::string_view bytes) const = 0;
  // Characters the code page cannot represent become its default character.
  virtual std::string utf16ToAnsi(std::u16string_view text) const = 0;
};

}  // namespace rimfold
