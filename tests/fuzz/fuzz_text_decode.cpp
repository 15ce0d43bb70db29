// Arbitrary bytes through BOM detection, every decoder, line splitting and re-encoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rtl/text_codec.h"
#include "rtl/text_utils.h"

#include "fuzz_support.h"

namespace {

using rimfold::fuzz::check;
using rimfold::fuzz::Latin1CodePage;

bool hasUnpairedSurrogate(std::u16string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF) return true;
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rimfold;
  const Latin1CodePage codePage;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const DecodedText decoded = decodeText(bytes, codePage);
  // The decoders never hand on what later conversions could not encode.
  check(!hasUnpairedSurrogate(decoded.text));
  for (TextEncoding e :
       {TextEncoding::Ansi, TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
    check(!hasUnpairedSurrogate(decodeTextAs(bytes, e, codePage)));
  }

  // Whatever was decoded survives encoding and decoding again in every Unicode form.
  for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
    const std::string encoded = encodeText(decoded.text, e, true, codePage);
    const DecodedText again = decodeText(encoded, codePage);
    check(again.encoding == e);
    check(again.text == decoded.text);
  }

  // Lines joined with CR LF split back into the same lines when none holds a line break.
  const StringList lines = splitLines(decoded.text);
  for (const auto& line : lines) {
    check(line.find(u'\r') == std::u16string::npos && line.find(u'\n') == std::u16string::npos);
  }
  check(splitLines(joinLines(lines)) == lines);

  // The raw bytes, taken as UTF-16 text, round-trip through UTF-8 when well formed.
  std::u16string units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  if (!hasUnpairedSurrogate(units)) check(utf8ToUtf16(utf16ToUtf8(units)) == units);

  (void)parseInteger(decoded.text);
  (void)parseInteger64(decoded.text);
  return 0;
}
