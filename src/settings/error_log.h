// Rimfold_Error.log: one line per unexpected failure, in the ANSI code page.
#pragma once

#include <string>

#include "platform/platform.h"
#include "settings/data_paths.h"

namespace rimfold {

// Appends "timestamp : message"; a file held open by another process costs the line
// (false).
bool appendErrorLog(Platform& p, const std::u16string& message);

}  // namespace rimfold
