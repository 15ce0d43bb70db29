// The timestamp of an error-log line.
#pragma once

#include <string>

#include "platform/clock.h"

namespace rimfold {

// Short date, then a blank and the long time unless hour, minute and second are all 0.
std::u16string logTimestamp(IClock& clock, const LocalTime& t);

}  // namespace rimfold
