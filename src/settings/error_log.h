// Rimfold_Error.log: one line per unexpected failure, in the ANSI code page.
#pragma once

#include <string>

#include "platform/platform.h"

namespace rimfold {

std::u16string errorLogPath(const Platform& p);  // data folder + "Rimfold_Error.log"

// Appends "timestamp : message"; a file held open by another process costs the line
// (false).
bool appendErrorLog(Platform& p, const std::u16string& message);

}  // namespace rimfold
