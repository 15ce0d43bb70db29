// Arbitrary bytes as an INI file: parse, read, write, serialize and parse again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rtl/ini_file.h"

#include "fuzz_support.h"

using rimfold::fuzz::check;
using rimfold::fuzz::Latin1CodePage;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rimfold;
  const Latin1CodePage codePage;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  IniFile ini = IniFile::parse(bytes, codePage);
  for (const auto& section : ini.sections()) {
    check(ini.sectionExists(section.name));
    for (const auto& entry : section.entries) {
      (void)ini.readInteger(section.name, entry.key, 7);
      (void)ini.readBool(section.name, entry.key, true);
    }
  }

  // What the file read, written back and read again, reads the same.
  const std::string first = ini.serialize(codePage);
  const IniFile reread = IniFile::parse(first, codePage);
  check(reread.encoding() == ini.encoding());
  for (const auto& section : reread.sections()) {
    for (const auto& entry : section.entries) {
      check(ini.readString(section.name, entry.key, u"\uFFFF") ==
            reread.readString(section.name, entry.key, u"\uFFFF"));
    }
  }
  // Serializing is stable after one round: nothing drifts on each save.
  check(reread.sections().size() == ini.sections().size());
  check(reread.serialize(codePage) == first);

  ini.writeInteger(u"Tray", u"Constraints", 3);
  ini.writeBool(u"tray", u"STOP", true);
  ini.writeString(u"Key", u"Stop", u"Ctrl+Alt+S");
  check(ini.readInteger(u"TRAY", u"constraints", 0) == 3);
  check(ini.readBool(u"Tray", u"Stop", false));
  check(ini.readString(u"KEY", u"stop", u"") == u"Ctrl+Alt+S");
  (void)ini.serialize(codePage);
  return 0;
}
