#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/core/clock.h"
#include "framework/core/date_time.h"
#include "framework/core/exceptions.h"
#include "framework/core/format.h"

using namespace trx;

namespace {

// 2024-03-05 (a Tuesday) at 14:07:09.045.
TDateTime Sample() { return EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45); }

std::string ConvertMessage(TDateTime (*Fn)(std::string_view), std::string_view Text) {
    try {
        Fn(Text);
    } catch (const EConvertError& e) {
        return e.Message;
    }
    return "(no error)";
}

} // namespace

TEST(DateTime, EncodeCountsDaysFromTheEndOf1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(EncodeDate(2024, 2, 29), 45351);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
}

TEST(DateTime, EncodeRejectsWhatIsNoDateOrTime) {
    TDateTime d = 123;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, d));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, d));
    EXPECT_FALSE(TryEncodeDate(2024, 13, 1, d));
    EXPECT_FALSE(TryEncodeDate(2024, 4, 31, d));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, d));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, d));
    EXPECT_FALSE(TryEncodeDate(2024, 1, 0, d));
    EXPECT_EQ(d, 123);
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, d));
    try {
        EncodeDate(2023, 2, 29);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Invalid argument to date encode");
    }
    try {
        EncodeTime(24, 0, 0, 0);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Invalid argument to time encode");
    }
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    EXPECT_THROW(EncodeTime(-1, 0, 0, 0), EConvertError);
}

TEST(DateTime, LeapYears) {
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(1600));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_FALSE(IsLeapYear(2023));
}

TEST(DateTime, ValidDatesAndTheirTextsFromTheirParts) {
    EXPECT_TRUE(IsValidDate(2024, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29));
    EXPECT_TRUE(IsValidDate(1, 1, 1));
    EXPECT_TRUE(IsValidDate(9999, 12, 31));
    EXPECT_FALSE(IsValidDate(0, 1, 1));
    EXPECT_FALSE(IsValidDate(10000, 1, 1));
    EXPECT_FALSE(IsValidDate(2024, 13, 1));
    EXPECT_FALSE(IsValidDate(2024, 4, 31));
    EXPECT_FALSE(IsValidDate(2024, 4, 0));

    // A date's text from its parts is the text of the encoded date, for
    // numeric formats and for any other (names, times, the default).
    TFormatSettingsOverride keep;
    std::string text = "left over";
    for (const char* format : {"m/d/yyyy", "dd.mm.yy", "yyyy-mm-dd", "d/m", "'on' d-m-yyyy", "ddddd", "c", "",
                               "dddd d mmmm yyyy", "hh:nn ampm", "yymmdd"}) {
        for (int year : {1, 9, 99, 999, 1899, 1900, 2000, 2024, 9999}) {
            for (auto [month, day] : {std::pair{1, 1}, {2, 28}, {10, 9}, {12, 31}}) {
                DateToString(text, format, year, month, day);
                ASSERT_EQ(text, FormatDateTime(format, EncodeDate(year, month, day)))
                    << format << " " << year << "-" << month << "-" << day;
                const int len = DateTextLength(format, year, month, day);
                if (len >= 0) {
                    ASSERT_EQ(static_cast<std::size_t>(len), text.size()) << format;
                }
            }
        }
    }
    // Three numbers and two separators, as short date formats are: "/" is
    // the date separator, any other character itself.
    for (auto [format, want] : {std::pair{"m/d/yyyy", "3/5/2024"},
                                {"dd.mm.yy", "05.03.24"},
                                {"yyyy-mm-dd", "2024-03-05"},
                                {"d/m/y", "5/3/24"},
                                {"mm'x'dd'y'yyyy", "03x05y2024"},
                                {"m/d/yyyy/", "3/5/2024/"}}) {
        DateToString(text, format, 2024, 3, 5);
        EXPECT_EQ(text, want) << format;
    }
    // Lengths are known for formats of numbers that begin and end with one.
    EXPECT_EQ(DateTextLength("m/d/yyyy", 2024, 3, 5), 8);
    EXPECT_EQ(DateTextLength("dd.mm.yy", 2024, 3, 5), 8);
    EXPECT_EQ(DateTextLength("yyyy", 99, 3, 5), 4);
    EXPECT_EQ(DateTextLength("yyyymmdd", 12345, 3, 5), 9);
    EXPECT_EQ(DateTextLength("'on' d-m-yyyy", 2024, 3, 5), -1);
    EXPECT_EQ(DateTextLength("m/d/", 2024, 3, 5), -1);
    EXPECT_EQ(DateTextLength("c", 2024, 3, 5), -1);
    EXPECT_EQ(DateTextLength("", 2024, 3, 5), -1);
    FormatSettings().DateSeparator = '\0';
    EXPECT_EQ(DateTextLength("m/d/yyyy", 2024, 3, 5), 6);
    DateToString(text, "m/d/yyyy", 2024, 3, 5);
    EXPECT_EQ(text, "352024");
}

TEST(DateTime, DecodeRoundTripsEveryDayAcrossCenturyBoundaries) {
    for (int year : {1, 4, 100, 1600, 1899, 1900, 2000, 2023, 2024, 2100, 9999}) {
        TDateTime prev = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                TDateTime d = 0;
                if (!TryEncodeDate(year, month, day, d)) continue;
                // The days of a year follow each other without a gap.
                if (month > 1 || day > 1) {
                    ASSERT_EQ(d, prev + 1) << year << "-" << month << "-" << day;
                }
                prev = d;
                int y, m, dd;
                // Before 1899-12-30 a time of day is subtracted.
                DecodeDate(d >= 0 ? d + 0.75 : d - 0.75, y, m, dd);
                ASSERT_EQ(y * 10000 + m * 100 + dd, year * 10000 + month * 100 + day) << d;
            }
        }
    }
}

TEST(DateTime, DecodeHandlesNegativeValuesRoundingAndNonsense) {
    int y, m, d, h, n, s, ms;
    // Before 1899-12-30 the fraction still counts forward from midnight.
    DecodeDate(-1.25, y, m, d);
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
    EXPECT_EQ(h, 6);
    // The value is taken to the millisecond before splitting.
    TDateTime almost = EncodeDate(2024, 12, 31) + 0.99999999999;
    DecodeDate(almost, y, m, d);
    DecodeTime(almost, h, n, s, ms);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20250101);
    EXPECT_EQ(h + n + s + ms, 0);
    DecodeTime(Sample(), h, n, s, ms);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 140709045);
    uint16_t wy, wm, wd;
    DecodeDate(Sample(), wy, wm, wd);
    EXPECT_EQ(wy * 10000 + wm * 100 + wd, 20240305);
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -1e300, -693594.0}) {
        DecodeDate(bad, y, m, d);
        EXPECT_EQ(y + m + d, 0) << bad;
    }
}

TEST(DateTime, DayOfWeekStartsOnSunday) {
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1); // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 1)), 2); // Monday
    EXPECT_EQ(DayOfWeek(EncodeDate(2000, 1, 1)), 7); // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(1800, 1, 1)), 4); // Wednesday
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1) - 0.5), 2);
}

TEST(DateTime, NowDateAndTimeFollowTheClockInForce) {
    TFakeClock clock(EncodeDate(2025, 12, 9) + EncodeTime(12, 0, 0, 0));
    TClockOverride use(clock);
    EXPECT_EQ(Date(), EncodeDate(2025, 12, 9));
    EXPECT_DOUBLE_EQ(Time(), 0.5);
    clock.Advance(90 * 60 * 1000);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", Now()), "2025-12-09 13:30");
}

TEST(FormatDateTime, NumbersNamesAndSeparators) {
    TDateTime v = Sample();
    EXPECT_EQ(FormatDateTime("d/m/yy", v), "5/3/24");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", v), "05/03/2024");
    EXPECT_EQ(FormatDateTime("ddd dddd", v), "Tue Tuesday");
    EXPECT_EQ(FormatDateTime("mmm mmmm MMMMM", v), "Mar March March");
    EXPECT_EQ(FormatDateTime("y yyy yyyyy", v), "24 2024 2024");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz z", v), "14:07:09.045 45");
    EXPECT_EQ(FormatDateTime("h n s", EncodeTime(3, 4, 5, 0)), "3 4 5");
    EXPECT_EQ(FormatDateTime("ddddd", v), "3/5/2024");
    EXPECT_EQ(FormatDateTime("dddddd", v), "Tuesday, March 5, 2024");
    EXPECT_EQ(FormatDateTime("t", v), "2:07 PM");
    EXPECT_EQ(FormatDateTime("tt", v), "2:07:09 PM");
    EXPECT_EQ(FormatDateTime("aaa aaaa", v), "Tue Tuesday");
    TFormatSettingsOverride keep;
    FormatSettings().DateSeparator = '.';
    FormatSettings().TimeSeparator = '-';
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", v), "05.03.2024 14-07");
    // A format used before follows the separators of the moment too.
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", v), "05.03.2024");
    FormatSettings().DateSeparator = '\0';
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", v), "05032024");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd", std::nan("")), "00000000");
    // Years of five digits and more come out whole.
    EXPECT_EQ(FormatDateTime("yyyy/m/d", 3e6) + " 0", FormatDateTime("yyyy/m/d h", 3e6));
    EXPECT_EQ(FormatDateTime("yyyy", 3e6).size(), 5u);
}

TEST(FormatDateTime, MonthAfterAnHourMeansMinutes) {
    TDateTime v = Sample();
    EXPECT_EQ(FormatDateTime("h:m", v), "14:7");
    EXPECT_EQ(FormatDateTime("hh:mm", v), "14:07");
    EXPECT_EQ(FormatDateTime("hh 'at' mm", v), "14 at 07");
    // Only the letter right after the hour: a later m is the month again.
    EXPECT_EQ(FormatDateTime("hh:mm:ss mm", v), "14:07:09 03");
    EXPECT_EQ(FormatDateTime("mm hh", v), "03 14");
}

TEST(FormatDateTime, AmPmMarkersMakeTheHourTwelveHour) {
    TDateTime pm = Sample();
    TDateTime midnight = EncodeDate(2024, 3, 5);
    TDateTime noon = midnight + 0.5;
    EXPECT_EQ(FormatDateTime("h:nn am/pm", pm), "2:07 pm");
    EXPECT_EQ(FormatDateTime("h:nn AM/PM", midnight), "12:00 AM");
    EXPECT_EQ(FormatDateTime("h:nn Am/pM", noon), "12:00 pM");
    EXPECT_EQ(FormatDateTime("hh a/p", pm), "02 p");
    EXPECT_EQ(FormatDateTime("hh A/P", midnight), "12 A");
    EXPECT_EQ(FormatDateTime("h ampm", pm), "2 PM");
    // The marker may come first; an hour after it stays twelve-hour.
    EXPECT_EQ(FormatDateTime("ampm h", pm), "PM 2");
    // A marker past the next hour letter, or quoted, does not count.
    EXPECT_EQ(FormatDateTime("h h am/pm", pm), "14 2 pm");
    EXPECT_EQ(FormatDateTime("h 'am/pm'", pm), "14 am/pm");
    EXPECT_EQ(FormatDateTime("h a", pm), "14 a");
    TFormatSettingsOverride keep;
    FormatSettings().TimeAMString = "vorm.";
    FormatSettings().TimePMString = "nachm.";
    EXPECT_EQ(FormatDateTime("h:nn ampm", pm), "2:07 nachm.");
}

TEST(FormatDateTime, QuotesAndTheDefaultFormat) {
    TDateTime v = Sample();
    EXPECT_EQ(FormatDateTime("\"Date:\" d", v), "Date: 5");
    EXPECT_EQ(FormatDateTime("'It''s' d", v), "Its 5");
    EXPECT_EQ(FormatDateTime("'open", v), "open");
    EXPECT_EQ(FormatDateTime("x#-% d", v), "x#-% 5");
    EXPECT_EQ(FormatDateTime("", v), "3/5/2024 2:07:09 PM");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "3/5/2024");
    // Unquoted letters are read as tokens, as the framework reads them.
    EXPECT_EQ(FormatDateTime("Date", v), "5a2:07 PMe");
}

TEST(FormatDateTime, NeverFailsOnGarbageOrSelfReferringSettings) {
    TFormatSettingsOverride keep;
    FormatSettings().ShortDateFormat = "ddddd c";
    FormatSettings().LongTimeFormat = "tt";
    std::string r = FormatDateTime("ddddd", Sample());
    EXPECT_EQ(r, "  ");
    for (double v : {std::nan(""), std::numeric_limits<double>::infinity(), -1e300, 1e300, -693594.5, 3e6}) {
        for (const char* f : {"c", "dddd mmmm yyyy hh:nn:ss.zzz ampm", "ddd mmm aaa", "\"", "%s%d"}) {
            EXPECT_NO_THROW(FormatDateTime(f, v)) << f << " " << v;
        }
    }
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd ddd", std::nan("")), "0000/00/00 ");
    EXPECT_EQ(FormatDateTime("yyyy", EncodeDate(9999, 12, 31) + 400), "10001");
}

TEST(DateToStr, ShortDateLongTimeAndTheTimeOnlyWhenNotMidnight) {
    EXPECT_EQ(DateToStr(Sample()), "3/5/2024");
    EXPECT_EQ(TimeToStr(Sample()), "2:07:09 PM");
    EXPECT_EQ(DateTimeToStr(Sample()), "3/5/2024 2:07:09 PM");
    EXPECT_EQ(DateTimeToStr(EncodeDate(1980, 1, 1)), "1/1/1980");
    EXPECT_EQ(TimeToStr(0), "12:00:00 AM");
    EXPECT_EQ(DateTimeToStr(0.5), "12/30/1899 12:00:00 PM");
}

TEST(StrToDate, ReadsTheOrderOfTheShortDateFormat) {
    TFakeClock clock(EncodeDate(2025, 6, 15));
    TClockOverride use(clock);
    EXPECT_EQ(StrToDate("3/5/2024"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate(" 3 / 5 / 2024 "), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate("3/5"), EncodeDate(2025, 3, 5));
    EXPECT_EQ(StrToDate("2/29/2024"), EncodeDate(2024, 2, 29));
    // Two-digit years fall within the hundred years from 50 years ago.
    EXPECT_EQ(StrToDate("1/1/24"), EncodeDate(2024, 1, 1));
    EXPECT_EQ(StrToDate("1/1/75"), EncodeDate(1975, 1, 1));
    EXPECT_EQ(StrToDate("1/1/74"), EncodeDate(2074, 1, 1));
    TFormatSettingsOverride keep;
    FormatSettings().ShortDateFormat = "dd.mm.yyyy";
    FormatSettings().DateSeparator = '.';
    EXPECT_EQ(StrToDate("05.03.2024"), EncodeDate(2024, 3, 5));
    FormatSettings().ShortDateFormat = "yyyy-mm-dd";
    FormatSettings().DateSeparator = '-';
    EXPECT_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
    FormatSettings().TwoDigitYearCenturyWindow = 0;
    EXPECT_EQ(StrToDate("99-03-05"), EncodeDate(2099, 3, 5));
}

TEST(StrToDate, RejectsWhatIsNoDate) {
    EXPECT_EQ(ConvertMessage(StrToDate, "2/30/2024"), "'2/30/2024' is not a valid date");
    for (const char* bad : {"", "3", "3/", "3/5/", "3/5/2024x", "a/b/c", "13/1/2024", "3-5-2024", "3/5/12345"}) {
        TDateTime v = 7;
        EXPECT_FALSE(TryStrToDate(bad, v)) << bad;
        EXPECT_EQ(v, 7) << bad;
    }
}

TEST(StrToTime, HoursMinutesSecondsAndMarkers) {
    EXPECT_DOUBLE_EQ(StrToTime("14:07:09"), EncodeTime(14, 7, 9, 0));
    EXPECT_DOUBLE_EQ(StrToTime("14:07:09.045"), EncodeTime(14, 7, 9, 45));
    EXPECT_DOUBLE_EQ(StrToTime("14"), EncodeTime(14, 0, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("2:07 PM"), EncodeTime(14, 7, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("2:07pm"), EncodeTime(14, 7, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("12:30 AM"), EncodeTime(0, 30, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("12:30 PM"), EncodeTime(12, 30, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("PM 1:00"), EncodeTime(13, 0, 0, 0));
    EXPECT_EQ(ConvertMessage(StrToTime, "13:00 PM"), "'13:00 PM' is not a valid time");
    for (const char* bad : {"", "0 AM", "24:00", "1:60", "1:", "1:2:", "x", "1:00 XM", "1:00:00.1000"}) {
        TDateTime v = 7;
        EXPECT_FALSE(TryStrToTime(bad, v)) << bad;
        EXPECT_EQ(v, 7) << bad;
    }
}

TEST(StrToDateTime, ReadsWhatDateTimeToStrWrites) {
    TDateTime v = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(v)), v);
    EXPECT_EQ(StrToDateTime("1/1/1980"), EncodeDate(1980, 1, 1));
    EXPECT_DOUBLE_EQ(StrToDateTime("6:00"), 0.25);
    // Before 1899-12-30 the time counts forward from midnight of that day.
    TDateTime old = StrToDateTime("12/29/1899 6:00");
    EXPECT_DOUBLE_EQ(old, -1.25);
    EXPECT_EQ(DateTimeToStr(old), "12/29/1899 6:00:00 AM");
    TDateTime early = StrToDateTime(DateTimeToStr(EncodeDate(1800, 1, 1) - 0.75));
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", early), "1800-01-01 18:00");
    EXPECT_EQ(ConvertMessage(StrToDateTime, "3/5/2024 25:00"), "'3/5/2024 25:00' is not a valid date and time");
    // Text after the time is refused, not ignored.
    EXPECT_THROW(StrToDateTime("3/5/2024 2:00 PM tomorrow"), EConvertError);
}
