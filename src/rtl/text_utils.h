// Small text helpers: conversions, case-insensitive comparison and list search.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rtl/text_codec.h"

namespace rimfold {

// Lossless UTF-8 <-> UTF-16 for the core's own literals and for tests.
std::u16string utf8ToUtf16(std::string_view s);
std::string utf16ToUtf8(std::u16string_view s);

// Upper case in the ASCII letters a to z only.
std::u16string upperAscii(std::u16string_view s);
// Whole-string comparison without regard to letter case (as the list box's exact search).
bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);
// Index of the first entry equal to s ignoring case, or -1.
int indexOfIgnoreCase(const StringList& list, std::u16string_view s);

// Decimal with optional sign, or hexadecimal after "0x"/"$"; nullopt when the text is
// not an integer or does not fit 32 bits.
std::optional<std::int32_t> parseInteger(std::u16string_view s);
// Decimal 64-bit, nullopt when not an integer.
std::optional<std::int64_t> parseInteger64(std::u16string_view s);
std::u16string toDecimal(std::int64_t v);

}  // namespace rimfold
