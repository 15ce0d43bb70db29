#include "app/model/error_log.h"

#include "rtl/date_time_text.h"
#include "rtl/text_codec.h"
#include "system/data_dir.h"

namespace rimfold {

std::u16string errorLogPath() { return DataDir + u"Rimfold_Error.log"; }

bool appendErrorLog(Platform& p, const std::u16string& message) {
  const std::u16string path = errorLogPath();
  StringList lines;
  if (FileExistsOnReadyDrive(p, path)) {
    ReadResult read = ReadResult::Ok;
    LoadStringsFromFile(p, lines, path, TextEncoding::Ansi, &read);
    // Unreadable, it keeps its lines and this one is lost.
    if (read == ReadResult::Failed) return false;
  }
  // The message goes in unchanged; its own line breaks become further lines of the file.
  lines.push_back(logTimestamp(p.clock, p.clock.localTime()) + u" : " + message);
  return SaveStringsToFile(p, lines, path, TextEncoding::Ansi);
}

}  // namespace rimfold
