// The data folder and the file helpers that never raise system error dialogs.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "rtl/text_codec.h"

namespace rimfold {

// The per-user data folder with a trailing backslash; empty before Func_CreateDataDir.
extern std::u16string DataDir;

std::u16string GetSpecialFolderPath(Platform& p, int csidl);
// AppData + "\Quenbrook" + "\" + name + "\"; true when that folder exists afterwards.
bool Func_CreateDataDir(Platform& p, const std::u16string& name);

bool DriveReady(Platform& p, char16_t firstCharacter);
bool FileExistsOnReadyDrive(Platform& p, const std::u16string& path);

// encoding nullopt: a BOM selects UTF-8 / UTF-16 LE / BE, ANSI without one.
// The current directory is the executable's folder afterwards. Returns the line count.
// readFailed, when given, tells whether the file exists but could not be read.
int LoadStringsFromFile(Platform& p, StringList& lines, const std::u16string& path,
                        std::optional<TextEncoding> encoding, bool* readFailed = nullptr);
// Refuses (false) when the file exists but another process holds it open; otherwise
// writes the BOM (if the encoding has one) and every line with CR LF, replacing the file
// atomically. The current directory is the executable's folder afterwards.
bool SaveStringsToFile(Platform& p, const StringList& lines, const std::u16string& path,
                       TextEncoding encoding);

// The folder part of the running executable's path, with no trailing backslash.
std::u16string ExecutableFolder(Platform& p);

// ShellExecute with the main form as owner and the default verb; texts cut to 260.
void ExecuteProgram(Platform& p, Hwnd owner, const std::u16string& file,
                    const std::u16string& parameters, const std::u16string& directory,
                    int showCommand);

}  // namespace rimfold
