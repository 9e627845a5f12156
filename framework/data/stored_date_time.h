// How dates and times are stored in a database: as ISO text or as a
// number of days.
#pragma once

#include <string_view>

#include "framework/core/date_time.h"

namespace trx {

// Reads a stored date or time. Accepted, with blanks around:
//   "2024-03-01"                        a date (midnight)
//   "2024-03-01 13:45", "2024-03-01 13:45:00", "2024-03-01 13:45:00.250"
//                                       a date and time ("T" may stand for the blank)
//   "13:45", "13:45:00", "13:45:00.250" a time of day (day 0)
//   a number ("45352.5")                TDateTime days
// False for anything else, including dates and times out of range (a number
// of days too, when it lies beyond the years 1 to 9999: DateTimeInRange).
bool ParseStoredDateTime(std::string_view Text, TDateTime& Value);

// A stored date alone, exactly "YYYY-MM-DD" with nothing around it, as its
// parts (the date ParseStoredDateTime reads from it); false for any other
// text and for a date that does not exist.
bool ParseStoredDate(std::string_view Text, int& Year, int& Month, int& Day);

} // namespace trx
