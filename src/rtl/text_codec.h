// Text files: encoding detection by byte-order mark, decoding, encoding and lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "rtl/string_list.h"

namespace rimfold {

enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

struct DecodedText {
  TextEncoding encoding = TextEncoding::Ansi;  // selected by the BOM; Ansi without one
  std::u16string text;                         // without the BOM
};

// A BOM selects UTF-8, UTF-16 LE or BE; without one the bytes are ANSI.
// Invalid sequences decode to U+FFFD; an odd trailing byte of UTF-16 is dropped.
DecodedText decodeText(std::string_view bytes, const ICodePage& codePage);
// Decodes in a given encoding, skipping that encoding's BOM when present.
std::u16string decodeTextAs(std::string_view bytes, TextEncoding encoding,
                            const ICodePage& codePage);
// The encoding's BOM (none for ANSI) when withBom, then the text.
std::string encodeText(std::u16string_view text, TextEncoding encoding, bool withBom,
                       const ICodePage& codePage);

// CR, LF and CR LF each end a line; a final line end does not start an empty line.
StringList splitLines(std::u16string_view text);
// Every line followed by CR LF, the last one too.
std::u16string joinLines(const StringList& lines);

}  // namespace rimfold
