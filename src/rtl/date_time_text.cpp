#include "rtl/date_time_text.h"

namespace rimfold {

std::u16string logTimestamp(IClock& clock, const LocalTime& t) {
  std::u16string text = clock.formatShortDate(t);
  // Midnight carries the date alone, as the regional date-time text does.
  if (t.hour != 0 || t.minute != 0 || t.second != 0) {
    text += u' ';
    text += clock.formatLongTime(t);
  }
  return text;
}

}  // namespace rimfold
