// Where the four data files are: all in the data folder, under the names they have always
// had. Beside the helpers that read and write them (data_files.h), which include this.
#pragma once

#include <string>

#include "platform/platform.h"

namespace rimfold {

inline std::u16string settingsPath(const Platform& p) { return p.data.dir + u"Rimfold.ini"; }
inline std::u16string workAreaPath(const Platform& p) { return p.data.dir + u"WorkArea.dat"; }
inline std::u16string disableLogPath(const Platform& p) { return p.data.dir + u"Disable.log"; }
inline std::u16string errorLogPath(const Platform& p) { return p.data.dir + u"Rimfold_Error.log"; }

}  // namespace rimfold
