// What both fuzz targets share: a lossy Latin-1 code page and an abort-on-failure check.
#pragma once

#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace rimfold::fuzz {

// Latin-1 with "?" for what it cannot hold: a lossy code page, as real ANSI pages are.
class Latin1CodePage final : public ICodePage {
 public:
  std::u16string ansiToUtf16(std::string_view bytes) const override {
    std::u16string out(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) out[i] = static_cast<unsigned char>(bytes[i]);
    return out;
  }
  std::string utf16ToAnsi(std::u16string_view text) const override {
    std::string out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
      out[i] = text[i] <= 0xFF ? static_cast<char>(text[i]) : '?';
    return out;
  }
};

// A broken invariant must stop the fuzzer, not just a crash.
inline void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace rimfold::fuzz
