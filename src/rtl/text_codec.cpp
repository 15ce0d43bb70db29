#include "rtl/text_codec.h"

#include "rtl/text_utils.h"

namespace rimfold {

namespace {

constexpr std::string_view kBomUtf8 = "\xEF\xBB\xBF";
constexpr std::string_view kBomUtf16LE = "\xFF\xFE";
constexpr std::string_view kBomUtf16BE = "\xFE\xFF";

std::string_view bomOf(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8: return kBomUtf8;
    case TextEncoding::Utf16LE: return kBomUtf16LE;
    case TextEncoding::Utf16BE: return kBomUtf16BE;
    case TextEncoding::Ansi: break;
  }
  return {};
}

// Unpaired surrogates become U+FFFD so that later conversions never see them.
std::u16string decodeUtf16(std::string_view bytes, bool bigEndian) {
  const std::size_t units = bytes.size() / 2;  // a trailing odd byte is dropped
  std::u16string out;
  out.reserve(units);
  auto unitAt = [&](std::size_t i) {
    const auto a = static_cast<unsigned char>(bytes[2 * i]);
    const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
    return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t c = unitAt(i);
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 < units) {
        const char16_t next = unitAt(i + 1);
        if (next >= 0xDC00 && next <= 0xDFFF) {
          out.push_back(c);
          out.push_back(next);
          ++i;
          continue;
        }
      }
      out.push_back(u'\uFFFD');
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      out.push_back(u'\uFFFD');
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string encodeUtf16(std::u16string_view text, bool bigEndian) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    const auto hi = static_cast<char>(c >> 8);
    const auto lo = static_cast<char>(c & 0xFF);
    out.push_back(bigEndian ? hi : lo);
    out.push_back(bigEndian ? lo : hi);
  }
  return out;
}

}  // namespace

DecodedText decodeText(std::string_view bytes, const ICodePage& codePage) {
  DecodedText result;
  if (bytes.starts_with(kBomUtf8)) {
    result.encoding = TextEncoding::Utf8;
  } else if (bytes.starts_with(kBomUtf16LE)) {
    result.encoding = TextEncoding::Utf16LE;
  } else if (bytes.starts_with(kBomUtf16BE)) {
    result.encoding = TextEncoding::Utf16BE;
  }
  result.text = decodeTextAs(bytes, result.encoding, codePage);
  return result;
}

std::u16string decodeTextAs(std::string_view bytes, TextEncoding encoding,
                            const ICodePage& codePage) {
  const std::string_view bom = bomOf(encoding);
  if (!bom.empty() && bytes.starts_with(bom)) bytes.remove_prefix(bom.size());
  switch (encoding) {
    case TextEncoding::Utf8: return utf8ToUtf16(bytes);
    case TextEncoding::Utf16LE: return decodeUtf16(bytes, false);
    case TextEncoding::Utf16BE: return decodeUtf16(bytes, true);
    case TextEncoding::Ansi: break;
  }
  return codePage.ansiToUtf16(bytes);
}

std::string encodeText(std::u16string_view text, TextEncoding encoding, bool withBom,
                       const ICodePage& codePage) {
  std::string out;
  if (withBom) out = bomOf(encoding);
  switch (encoding) {
    case TextEncoding::Utf8: out += utf16ToUtf8(text); break;
    case TextEncoding::Utf16LE: out += encodeUtf16(text, false); break;
    case TextEncoding::Utf16BE: out += encodeUtf16(text, true); break;
    case TextEncoding::Ansi: out += codePage.utf16ToAnsi(text); break;
  }
  return out;
}

StringList splitLines(std::u16string_view text) {
  StringList lines;
  std::size_t start = 0;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.emplace_back(text.substr(start));
  return lines;
}

std::u16string joinLines(const StringList& lines) {
  std::size_t total = 0;
  for (const auto& line : lines) total += line.size() + 2;
  std::u16string out;
  out.reserve(total);
  for (const auto& line : lines) {
    out += line;
    out += u"\r\n";
  }
  return out;
}

}  // namespace rimfold
