// Dates and times as TDateTime values, their text forms and the format
// language of FormatDateTime.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trx {

// Days since 30 December 1899; the fraction is the time of day. For a date
// before that day the integer part is negative and the fraction still counts
// forward from midnight: -1.25 is 29 December 1899, 6:00.
using TDateTime = double;

inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerDay = HoursPerDay * 60;
inline constexpr int SecsPerDay = MinsPerDay * 60;
inline constexpr int MSecsPerDay = SecsPerDay * 1000;

inline bool IsLeapYear(int Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }
// Year 1 to 9999, month 1 to 12, day within the month.
bool IsValidDate(int Year, int Month, int Day);

// Year 1 to 9999, month 1 to 12, day within the month. EncodeDate raises
// EConvertError "Invalid argument to date encode" for anything else.
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
TDateTime EncodeDate(int Year, int Month, int Day);
// Hour below 24, minute and second below 60, millisecond below 1000.
// EncodeTime raises EConvertError "Invalid argument to time encode".
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);

// True when the value is a moment from 1 January of the year 1 to the end of
// 31 December 9999, taken to the nearest millisecond: the dates that can be
// shown. False for anything else, and for a value that is not a number.
bool DateTimeInRange(TDateTime Value);

// The value is taken to the nearest millisecond first, so 23:59:59.9999
// decodes as midnight of the next day. A value before year 1, or one that is
// not a number, decodes as all zeros.
void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day);
void DecodeDate(TDateTime Date, uint16_t& Year, uint16_t& Month, uint16_t& Day);
void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec);
void DecodeTime(TDateTime Time, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec);
// 1 for Sunday to 7 for Saturday.
int DayOfWeek(TDateTime Date);

// The current date and time of the clock in force (framework/core/clock.h).
TDateTime Now();
TDateTime Date();
TDateTime Time();

// FormatDateTime with "ddddd" (the short date), "tt" (the long time) and
// "c" (the short date, then the long time unless the time is midnight).
std::string DateToStr(TDateTime Date);
std::string TimeToStr(TDateTime Time);
std::string DateTimeToStr(TDateTime DateTime);

// Text to values, in the order of the short date format and with the date
// and time separators of the format settings. A date gives two or three
// numbers (a missing year is the current one; a year of one or two digits is
// placed by TwoDigitYearCenturyWindow); a time gives hours, optional minutes,
// seconds and milliseconds, with an optional AM or PM marker before or after.
// Blanks may stand around every part. Failures raise EConvertError
// "'<S>' is not a valid date" (time, date and time).
TDateTime StrToDate(std::string_view S);
TDateTime StrToTime(std::string_view S);
TDateTime StrToDateTime(std::string_view S);
bool TryStrToDate(std::string_view S, TDateTime& Value);
bool TryStrToTime(std::string_view S, TDateTime& Value);
bool TryStrToDateTime(std::string_view S, TDateTime& Value);

// Formats a date and time. Letters are read in either case:
//   c       the short date format, then a blank and the long time format
//           unless the time is midnight
//   d dd    day without / with a leading zero
//   ddd     short day name       dddd    long day name
//   ddddd   short date format    dddddd  long date format
//   m mm    month (minutes when it follows an hour letter)
//   mmm     short month name     mmmm    long month name
//   yy      two-digit year       yyyy    four-digit year
//   h hh    hour (12-hour when an am/pm letter follows before another hour)
//   n nn    minute               s ss    second
//   z zzz   millisecond          t tt    short / long time format
//   am/pm   "am" or "pm" in the letters' case
//   a/p     "a" or "p" in the letter's case
//   ampm    TimeAMString or TimePMString
//   /  :    the date and time separators of the settings
//   "x" 'x' the quoted text as it stands
// Any other character stands as it is. An empty format means "c". It never
// fails: a value out of range shows zeros.
std::string FormatDateTime(std::string_view Format, TDateTime DateTime);
void DateTimeToString(std::string& Result, std::string_view Format, TDateTime DateTime);
// DateTimeToString of the date Year-Month-Day at midnight (one that
// TryEncodeDate takes); a format of day, month and year numbers only is
// filled in from the parts without a TDateTime between.
void DateToString(std::string& Result, std::string_view Format, int Year, int Month, int Day);
// The length of DateToString's text when it is known without the text: for
// a format of numbers that begins and ends with a number; -1 otherwise.
int DateTextLength(std::string_view Format, int Year, int Month, int Day);

} // namespace trx
