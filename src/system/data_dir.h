// The data folder and the file helpers that never raise system error dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "rtl/text_codec.h"

namespace rimfold {

std::u16string GetSpecialFolderPath(Platform& p, int csidl);
// Makes AppData + "\Quenbrook" + "\" + name + "\" and sets p.data.dir to it; true when that
// folder exists afterwards, false when the shell names no AppData folder.
bool Func_CreateDataDir(Platform& p, const std::u16string& name);

bool DriveReady(Platform& p, char16_t firstCharacter);
bool FileExistsOnReadyDrive(Platform& p, const std::u16string& path);

// Removes what interrupted saves left in the data folder: the temporary file of each of
// files, and the randomly named "rfXXXX.tmp" files that earlier versions saved through.
void removeStaleSaveFiles(Platform& p, const std::vector<std::u16string>& files);

// The folder part of the running executable's path, with no trailing backslash.
std::u16string ExecutableFolder(Platform& p);

// ShellExecute with the main form as owner and the default verb; texts cut to 260.
void ExecuteProgram(Platform& p, Hwnd owner, const std::u16string& file,
                    const std::u16string& parameters, const std::u16string& directory,
                    int showCommand);

}  // namespace rimfold
