#include "settings/data_files.h"

#include "rtl/text_utils.h"
#include "settings/error_log.h"
#include "system/data_dir.h"

namespace rimfold {

namespace {

constexpr int kReadAttempts = 5;

// Every file helper leaves the current directory at the executable's folder, whatever
// the path of the file and however the helper ends.
class CurrentDirectoryReset {
 public:
  explicit CurrentDirectoryReset(Platform& p) : p_(p) {}
  ~CurrentDirectoryReset() { p_.system.setCurrentDirectory(ExecutableFolder(p_)); }
  CurrentDirectoryReset(const CurrentDirectoryReset&) = delete;
  CurrentDirectoryReset& operator=(const CurrentDirectoryReset&) = delete;

 private:
  Platform& p_;
};

}  // namespace

ReadResult readDataFile(Platform& p, const std::u16string& path, std::string& bytes,
                        std::uint64_t maxBytes) {
  ReadResult result = p.system.readFile(path, bytes, maxBytes);
  // A backup or sync program holds a file for a moment; wait a little before giving up.
  for (int attempt = 1; result == ReadResult::Failed && attempt < kReadAttempts; ++attempt) {
    p.clock.sleep(kReadRetryBudgetMs / (kReadAttempts - 1));
    result = p.system.readFile(path, bytes, maxBytes);
  }
  // Logged once per file and run: the settings are read again after display changes.
  if (result == ReadResult::Failed && p.data.unreadable.insert(path).second) {
    appendErrorLog(p, path +
                          u" cannot be read (held by another program?): "
                          u"left as it is for the rest of this run");
  }
  if (result == ReadResult::TooLarge && p.data.oversized.insert(path).second) {
    appendErrorLog(p, path + u" is larger than " + toDecimal(static_cast<std::int64_t>(maxBytes)) +
                          u" bytes: not read, defaults used, the file is kept as it is");
  }
  return result;
}

IoError IoError::cannotCreate(const std::u16string& path) {
  return IoError("Cannot create file \"" + utf16ToUtf8(path) + "\"");
}

bool writeBlocked(const Platform& p, const std::u16string& path) {
  return p.data.unreadable.contains(path);
}

int LoadStringsFromFile(Platform& p, StringList& lines, const std::u16string& path,
                        std::optional<TextEncoding> encoding, ReadResult* result,
                        std::uint64_t maxBytes) {
  CurrentDirectoryReset reset(p);
  lines.clear();
  ReadResult read = ReadResult::Missing;
  if (FileExistsOnReadyDrive(p, path)) {
    // An unreadable file loads as empty rather than throwing: the error log loads its
    // file from inside the exception handler.
    std::string bytes;
    read = readDataFile(p, path, bytes, maxBytes);
    if (read == ReadResult::Ok) {
      const std::u16string text = encoding ? decodeTextAs(bytes, *encoding, p.codePage)
                                           : decodeText(bytes, p.codePage).text;
      lines = splitLines(text);
    }
  }
  if (result != nullptr) *result = read;
  return static_cast<int>(lines.size());
}

bool SaveStringsToFile(Platform& p, const StringList& lines, const std::u16string& path,
                       TextEncoding encoding) {
  CurrentDirectoryReset reset(p);
  if (writeBlocked(p, path)) return false;
  // Another process holding the file open (an editor, a second instance) keeps it.
  const bool heldElsewhere = FileExistsOnReadyDrive(p, path) && !p.system.canOpenExclusive(path);
  if (heldElsewhere) return false;
  const std::string bytes = encodeText(joinLines(lines), encoding, true, p.codePage);
  return p.system.writeFileReplacing(path, bytes);
}

}  // namespace rimfold
