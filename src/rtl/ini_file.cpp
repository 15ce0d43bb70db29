#include "rtl/ini_file.h"

#include "rtl/text_utils.h"

namespace rimfold {

namespace {

// Blanks and control characters, as a line's surroundings are trimmed.
std::u16string_view trimBlanks(std::u16string_view s) {
  while (!s.empty() && s.front() <= u' ') s.remove_prefix(1);
  while (!s.empty() && s.back() <= u' ') s.remove_suffix(1);
  return s;
}

}  // namespace

IniFile IniFile::parse(std::string_view bytes, const ICodePage& codePage) {
  IniFile ini;
  const DecodedText decoded = decodeText(bytes, codePage);
  ini.encoding_ = decoded.encoding;
  ini.hasBom_ = decoded.encoding != TextEncoding::Ansi;

  const std::u16string_view text = decoded.text;
  const std::size_t n = text.size();
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t current = kNone;  // lines before the first section are ignored
  std::size_t start = 0;
  while (start < n) {
    std::size_t end = start;
    while (end < n && text[end] != u'\r' && text[end] != u'\n') ++end;
    const std::u16string_view line = trimBlanks(text.substr(start, end - start));
    start = end;
    if (start < n && text[start] == u'\r') ++start;
    if (start < n && text[start] == u'\n') ++start;

    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
      current = ini.sectionForWrite(trimBlanks(line.substr(1, line.size() - 2)));
      continue;
    }
    if (current == kNone) continue;
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) continue;
    ini.addEntry(current, trimBlanks(line.substr(0, equals)), trimBlanks(line.substr(equals + 1)));
  }
  return ini;
}

const IniFile::Section* IniFile::findSection(std::u16string_view name) const {
  const auto it = sectionIndex_.find(foldCase(name));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

std::size_t IniFile::sectionForWrite(std::u16string_view name) {
  auto [it, inserted] = sectionIndex_.try_emplace(foldCase(name), sections_.size());
  if (inserted) {
    sections_.push_back(Section{std::u16string(name), {}});
    keyIndex_.emplace_back();
  }
  return it->second;
}

const std::u16string* IniFile::findValue(std::u16string_view section,
                                         std::u16string_view key) const {
  const auto s = sectionIndex_.find(foldCase(section));
  if (s == sectionIndex_.end()) return nullptr;
  const NameIndex& keys = keyIndex_[s->second];
  const auto k = keys.find(foldCase(key));
  if (k == keys.end()) return nullptr;
  return &sections_[s->second].entries[k->second].value;
}

void IniFile::addEntry(std::size_t section, std::u16string_view key, std::u16string_view value) {
  std::vector<Entry>& entries = sections_[section].entries;
  // A repeated key stays in the file as it was, but only the first one is read.
  keyIndex_[section].try_emplace(foldCase(key), entries.size());
  entries.push_back(Entry{std::u16string(key), std::u16string(value)});
}

std::u16string IniFile::readString(std::u16string_view section, std::u16string_view key,
                                   std::u16string_view defaultValue) const {
  const std::u16string* value = findValue(section, key);
  return value ? *value : std::u16string(defaultValue);
}

std::int32_t IniFile::readInteger(std::u16string_view section, std::u16string_view key,
                                  std::int32_t defaultValue) const {
  const std::u16string* value = findValue(section, key);
  if (!value) return defaultValue;
  return parseInteger(*value).value_or(defaultValue);
}

bool IniFile::readBool(std::u16string_view section, std::u16string_view key,
                       bool defaultValue) const {
  return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::sectionExists(std::u16string_view section) const {
  return findSection(section) != nullptr;
}

void IniFile::writeString(std::u16string_view section, std::u16string_view key,
                          std::u16string_view value) {
  const std::size_t s = sectionForWrite(section);
  const NameIndex& keys = keyIndex_[s];
  const auto k = keys.find(foldCase(key));
  if (k != keys.end()) {
    sections_[s].entries[k->second].value = std::u16string(value);
  } else {
    addEntry(s, key, value);
  }
}

void IniFile::writeInteger(std::u16string_view section, std::u16string_view key,
                           std::int32_t value) {
  writeString(section, key, toDecimal(value));
}

void IniFile::writeBool(std::u16string_view section, std::u16string_view key, bool value) {
  writeString(section, key, value ? u"1" : u"0");
}

std::string IniFile::serialize(const ICodePage& codePage) const {
  std::u16string text;
  for (const Section& section : sections_) {
    text += u'[';
    text += section.name;
    text += u"]\r\n";
    for (const Entry& entry : section.entries) {
      text += entry.key;
      text += u'=';
      text += entry.value;
      text += u"\r\n";
    }
    text += u"\r\n";
  }
  return encodeText(text, encoding_, hasBom_, codePage);
}

}  // namespace rimfold
