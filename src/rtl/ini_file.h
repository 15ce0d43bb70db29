// An in-memory INI file: the whole file read, changed in memory and written back whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/code_page.h"
#include "rtl/text_codec.h"

namespace rimfold {

class IniFile {
 public:
  // A new file: ANSI without a BOM.
  IniFile() = default;
  // Parses bytes; the BOM selects the encoding that serialize() writes back.
  static IniFile parse(std::string_view bytes, const ICodePage& codePage);

  // Section and key names match regardless of letter case.
  std::u16string readString(std::u16string_view section, std::u16string_view key,
                            std::u16string_view defaultValue) const;
  // Decimal or "0x" hexadecimal; anything else, or a value beyond 32 bits, gives the default.
  std::int32_t readInteger(std::u16string_view section, std::u16string_view key,
                           std::int32_t defaultValue) const;
  // Read as an integer; any value other than 0 is true.
  bool readBool(std::u16string_view section, std::u16string_view key, bool defaultValue) const;
  bool sectionExists(std::u16string_view section) const;

  // Existing keys keep their place; new sections and keys are appended.
  void writeString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  void writeInteger(std::u16string_view section, std::u16string_view key, std::int32_t value);
  void writeBool(std::u16string_view section, std::u16string_view key, bool value);

  // Each section: "[name]", its "key=value" lines, one empty line; CR LF line ends.
  std::string serialize(const ICodePage& codePage) const;

  TextEncoding encoding() const { return encoding_; }
  bool hasBom() const { return hasBom_; }

  struct Entry {
    std::u16string key;
    std::u16string value;
  };
  struct Section {
    std::u16string name;
    std::vector<Entry> entries;
  };
  const std::vector<Section>& sections() const { return sections_; }

 private:
  const Section* findSection(std::u16string_view name) const;
  std::size_t sectionForWrite(std::u16string_view name);
  const std::u16string* findValue(std::u16string_view section, std::u16string_view key) const;
  // Appends unless the key exists; the first occurrence keeps its value.
  void addEntry(std::size_t section, std::u16string_view key, std::u16string_view value);

  // Case-folded names to indexes, so that parsing a large file stays linear.
  using NameIndex = std::unordered_map<std::u16string, std::size_t>;
  NameIndex sectionIndex_;
  std::vector<NameIndex> keyIndex_;  // one per section, the first occurrence of each key
  std::vector<Section> sections_;
  TextEncoding encoding_ = TextEncoding::Ansi;
  bool hasBom_ = false;
};

}  // namespace rimfold
