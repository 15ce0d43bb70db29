// The data files as the program reads and writes them: size limits, a short wait for a
// file another program holds, and the per-run record of files that must not be written.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/platform.h"
#include "settings/data_paths.h"
#include "rtl/text_codec.h"

namespace rimfold {

// A data file that could not be written.
class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  static IoError cannotCreate(const std::u16string& path);
};

// Size limits of the data files: a larger file is taken to be damaged. It is not read (the
// program starts from its defaults), logged once, and never written over.
inline constexpr std::uint64_t kSettingsFileLimit = std::uint64_t{1} << 20;  // INI files
inline constexpr std::uint64_t kListFileLimit = std::uint64_t{16} << 20;     // Disable.log
inline constexpr std::uint64_t kNoFileLimit = ~std::uint64_t{0};

// Reads a data file; a file over maxBytes is logged once in the error log and left. A file
// that another program holds is read again a few times within kReadRetryBudgetMs; when it
// still cannot be read it is logged once and blocked for writing: what the program uses
// instead is not the user's, and must not replace it.
inline constexpr std::uint32_t kReadRetryBudgetMs = 200;
ReadResult readDataFile(Platform& p, const std::u16string& path, std::string& bytes,
                        std::uint64_t maxBytes);
// The file could not be read in this run and is not to be written.
bool writeBlocked(const Platform& p, const std::u16string& path);

// encoding nullopt: a BOM selects UTF-8 / UTF-16 LE / BE, ANSI without one.
// The current directory is the executable's folder afterwards. Returns the line count.
// result, when given, tells how the read went (an empty list unless Ok).
int LoadStringsFromFile(Platform& p, StringList& lines, const std::u16string& path,
                        std::optional<TextEncoding> encoding, ReadResult* result = nullptr,
                        std::uint64_t maxBytes = kNoFileLimit);
// Refuses (false) when the file exists but another process holds it open, or when it is
// blocked for writing; otherwise
// writes the BOM (if the encoding has one) and every line with CR LF, replacing the file
// atomically. The current directory is the executable's folder afterwards.
bool SaveStringsToFile(Platform& p, const StringList& lines, const std::u16string& path,
                       TextEncoding encoding);

}  // namespace rimfold
