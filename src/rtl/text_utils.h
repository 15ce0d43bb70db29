// Small text helpers: conversions, case-insensitive comparison and list search.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rtl/string_list.h"

namespace rimfold {

// Lossless UTF-8 <-> UTF-16 for valid input. Bad UTF-8 sequences and unpaired
// surrogates become U+FFFD; a leading U+FEFF is kept (it is not taken for a BOM).
std::u16string utf8ToUtf16(std::string_view s);
std::string utf16ToUtf8(std::u16string_view s);

// Upper case in the ASCII letters a to z only.
std::u16string upperAscii(std::u16string_view s);
// Whole-string comparison without regard to letter case, as the system compares (the list
// box's exact search, CompareStringOrdinal): each UTF-16 code unit taken to its simple
// uppercase mapping of Unicode (tools/make_case_table.py), every other must be equal.
bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);
// The same folding to upper case, for keys of case-insensitive lookups.
char16_t foldCaseChar(char16_t c);
std::u16string foldCase(std::u16string_view s);
// Index of the first entry equal to s ignoring case, or -1.
int indexOfIgnoreCase(const StringList& list, std::u16string_view s);

// Decimal with optional sign, or hexadecimal after "0x"/"$"; nullopt when the text is
// not an integer or does not fit 32 bits. No blanks allowed. Hexadecimal is taken as a
// 32-bit pattern (up to 0xFFFFFFFF, so "0xFFFFFFFF" is -1), then the sign applies.
std::optional<std::int32_t> parseInteger(std::u16string_view s);
// Decimal with optional sign, nullopt when not an integer or out of range.
std::optional<std::int64_t> parseInteger64(std::u16string_view s);
std::u16string toDecimal(std::int64_t v);

}  // namespace rimfold
