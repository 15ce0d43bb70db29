#include "settings/error_log.h"

#include "rtl/date_time_text.h"
#include "rtl/text_codec.h"
#include "system/data_dir.h"

namespace rimfold {

bool appendErrorLog(Platform& p, const std::u16string& message) {
  // Read and written here directly, not through the data-file helpers, which report their
  // own failures in this log.
  const std::u16string path = errorLogPath(p);
  const bool exists = FileExistsOnReadyDrive(p, path);
  StringList lines;
  bool written = false;
  std::string bytes;
  // Unreadable, or held open by another program: it keeps its lines and this one is lost.
  if (!exists || p.system.readFile(path, bytes, ~std::uint64_t{0}) == ReadResult::Ok) {
    if (exists) lines = splitLines(decodeTextAs(bytes, TextEncoding::Ansi, p.codePage));
    // The message goes in unchanged; its own line breaks become further lines of the file.
    lines.push_back(logTimestamp(p.clock, p.clock.localTime()) + u" : " + message);
    written = (!exists || p.system.canOpenExclusive(path)) &&
              p.system.writeFileReplacing(
                  path, encodeText(joinLines(lines), TextEncoding::Ansi, false, p.codePage));
  }
  p.system.setCurrentDirectory(ExecutableFolder(p));
  return written;
}

}  // namespace rimfold
