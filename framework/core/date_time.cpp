#include "framework/core/date_time.h"

#include <cmath>
#include <string>
#include <vector>

#include "framework/core/clock.h"
#include "framework/core/exceptions.h"
#include "framework/core/format.h"
#include "framework/core/strings.h"

namespace trx {

namespace {

// Days from 1 January of year 1 (day 1) to 30 December 1899.
constexpr long long DateDelta = 693594;

int DaysInMonth(int Year, int Month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (Month == 2 && IsLeapYear(Year)) ? 29 : days[Month - 1];
}

// Days of a year before the first of each month, and of the whole year.
constexpr int DaysBefore[2][13] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
                                   {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};

// A value split into whole days (days since 1 January of year 1, that day
// being 1) and milliseconds of the day, rounded to the millisecond.
struct TTimeStamp {
    long long Day = 0;
    int MSec = 0;
};

TTimeStamp ToTimeStamp(TDateTime Value) {
    TTimeStamp t;
    // About 270,000 years either way; beyond that (or not a number) there
    // is no date to show.
    if (!std::isfinite(Value) || std::fabs(Value) > 1e8) return t;
    long long ms = std::llround(std::fabs(Value) * MSecsPerDay);
    long long days = ms / MSecsPerDay;
    t.MSec = static_cast<int>(ms % MSecsPerDay);
    t.Day = (Value < 0 ? -days : days) + DateDelta;
    return t;
}

void DecodeDay(long long Day, int& Year, int& Month, int& Day0) {
    if (Day <= 0) {
        Year = Month = Day0 = 0;
        return;
    }
    long long t = Day - 1;
    long long y = 1;
    y += (t / 146097) * 400;
    t %= 146097;
    long long n = t / 36524;
    if (n == 4) n = 3;
    y += n * 100;
    t -= n * 36524;
    y += (t / 1461) * 4;
    t %= 1461;
    n = t / 365;
    if (n == 4) n = 3;
    y += n;
    t -= n * 365;
    Year = static_cast<int>(y);
    const int* before = DaysBefore[IsLeapYear(Year) ? 1 : 0];
    // No month is longer than 32 days: the month of t is this one or the next.
    int m = static_cast<int>(t / 32) + 1;
    if (t >= before[m]) ++m;
    Month = m;
    Day0 = static_cast<int>(t - before[m - 1]) + 1;
}

} // namespace

bool DateTimeInRange(TDateTime Value) {
    // Day 1 is 1 January of the year 1; this is 31 December 9999.
    constexpr long long LastDay = 3652059;
    if (!std::isfinite(Value) || std::fabs(Value) > 1e8) return false;
    const long long day = ToTimeStamp(Value).Day;
    return day >= 1 && day <= LastDay;
}

bool IsValidDate(int Year, int Month, int Day) {
    return Year >= 1 && Year <= 9999 && Month >= 1 && Month <= 12 && Day >= 1 && Day <= DaysInMonth(Year, Month);
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
    if (!IsValidDate(Year, Month, Day)) return false;
    long long y = Year - 1;
    long long days = y * 365 + y / 4 - y / 100 + y / 400 + Day;
    days += DaysBefore[IsLeapYear(Year) ? 1 : 0][Month - 1];
    Date = static_cast<double>(days - DateDelta);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
    TDateTime d = 0;
    if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError("Invalid argument to date encode");
    return d;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time) {
    if (Hour < 0 || Hour >= 24 || Min < 0 || Min >= 60 || Sec < 0 || Sec >= 60 || MSec < 0 || MSec >= 1000)
        return false;
    Time = (Hour * 3600000.0 + Min * 60000.0 + Sec * 1000.0 + MSec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
    TDateTime t = 0;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, t)) throw EConvertError("Invalid argument to time encode");
    return t;
}

void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day) { DecodeDay(ToTimeStamp(Date).Day, Year, Month, Day); }

void DecodeDate(TDateTime Date, uint16_t& Year, uint16_t& Month, uint16_t& Day) {
    int y, m, d;
    DecodeDate(Date, y, m, d);
    Year = static_cast<uint16_t>(y);
    Month = static_cast<uint16_t>(m);
    Day = static_cast<uint16_t>(d);
}

void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec) {
    int ms = ToTimeStamp(Time).MSec;
    Hour = ms / 3600000;
    Min = ms / 60000 % 60;
    Sec = ms / 1000 % 60;
    MSec = ms % 1000;
}

void DecodeTime(TDateTime Time, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec) {
    int h, m, s, ms;
    DecodeTime(Time, h, m, s, ms);
    Hour = static_cast<uint16_t>(h);
    Min = static_cast<uint16_t>(m);
    Sec = static_cast<uint16_t>(s);
    MSec = static_cast<uint16_t>(ms);
}

int DayOfWeek(TDateTime Date) {
    long long day = ToTimeStamp(Date).Day;
    return static_cast<int>(((day % 7) + 7) % 7) + 1;
}

TDateTime Now() { return Clock().LocalDateTime(); }
TDateTime Date() { return std::floor(Now()); }
TDateTime Time() {
    TDateTime n = Now();
    return n - std::floor(n);
}

// ---------------------------------------------------------------------------
// FormatDateTime

namespace {

class TDateTimeWriter {
public:
    TDateTimeWriter(TDateTime Value, std::string& Out) : out_(Out) {
        TTimeStamp t = ToTimeStamp(Value);
        DecodeDay(t.Day, year_, month_, day_);
        hour_ = t.MSec / 3600000;
        min_ = t.MSec / 60000 % 60;
        sec_ = t.MSec / 1000 % 60;
        msec_ = t.MSec % 1000;
        dow_ = year_ == 0 ? 0 : static_cast<int>(t.Day % 7) + 1;
    }

    // Formats and the formats of the settings nest at most two deep, so a
    // setting that names itself cannot loop.
    void Append(std::string_view F) {
        if (level_ >= 2) return;
        ++level_;
        const TFormatSettings& fs = FormatSettings();
        char lastToken = ' ';
        bool use12Hour = false;
        std::size_t i = 0;
        while (i < F.size()) {
            char starter = F[i++];
            char token = UpCase(starter);
            bool letter = token >= 'A' && token <= 'Z';
            if (letter) {
                if (token == 'M' && lastToken == 'H') token = 'N';
                lastToken = token;
            }
            // Count of the same character in a row, the first included.
            auto run = [&]() {
                int n = 1;
                while (i < F.size() && F[i] == starter) {
                    ++i;
                    ++n;
                }
                return n;
            };
            switch (token) {
            case 'Y': {
                int n = run();
                if (n <= 2)
                    Number(year_ % 100, 2);
                else
                    Number(year_, 4);
                break;
            }
            case 'M': {
                int n = run();
                if (n <= 2)
                    Number(month_, n);
                else
                    Name(n == 3 ? fs.ShortMonthNames : fs.LongMonthNames, month_);
                break;
            }
            case 'D': {
                int n = run();
                if (n <= 2)
                    Number(day_, n);
                else if (n == 3)
                    Name(fs.ShortDayNames, dow_);
                else if (n == 4)
                    Name(fs.LongDayNames, dow_);
                else if (n == 5)
                    Append(fs.ShortDateFormat);
                else
                    Append(fs.LongDateFormat);
                break;
            }
            case 'H': {
                int n = run();
                if (AmPmFollows(F, i)) use12Hour = true;
                int h = hour_;
                if (use12Hour) {
                    if (h == 0)
                        h = 12;
                    else if (h > 12)
                        h -= 12;
                }
                Number(h, n > 2 ? 2 : n);
                break;
            }
            case 'N': {
                int n = run();
                Number(min_, n > 2 ? 2 : n);
                break;
            }
            case 'S': {
                int n = run();
                Number(sec_, n > 2 ? 2 : n);
                break;
            }
            case 'Z': {
                int n = run();
                Number(msec_, n > 3 ? 3 : n);
                break;
            }
            case 'T': {
                int n = run();
                Append(n == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat);
                break;
            }
            case 'A': {
                std::string_view rest = F.substr(i - 1);
                if (StartsText(rest, "am/pm")) {
                    out_.append(rest.substr(hour_ >= 12 ? 3 : 0, 2));
                    i += 4;
                    use12Hour = true;
                } else if (StartsText(rest, "a/p")) {
                    out_ += rest[hour_ >= 12 ? 2 : 0];
                    i += 2;
                    use12Hour = true;
                } else if (StartsText(rest, "ampm")) {
                    out_ += hour_ < 12 ? fs.TimeAMString : fs.TimePMString;
                    i += 3;
                    use12Hour = true;
                } else if (StartsText(rest, "aaaa")) {
                    Name(fs.LongDayNames, dow_);
                    i += 3;
                } else if (StartsText(rest, "aaa")) {
                    Name(fs.ShortDayNames, dow_);
                    i += 2;
                } else {
                    out_ += starter;
                }
                break;
            }
            case 'C': {
                run();
                Append(fs.ShortDateFormat);
                if (hour_ != 0 || min_ != 0 || sec_ != 0) {
                    out_ += ' ';
                    Append(fs.LongTimeFormat);
                }
                break;
            }
            case '/':
                if (fs.DateSeparator != '\0') out_ += fs.DateSeparator;
                break;
            case ':':
                if (fs.TimeSeparator != '\0') out_ += fs.TimeSeparator;
                break;
            case '\'':
            case '"': {
                std::size_t end = F.find(starter, i);
                if (end == std::string_view::npos) end = F.size();
                out_.append(F.substr(i, end - i));
                i = end < F.size() ? end + 1 : end;
                break;
            }
            default: out_ += starter;
            }
        }
        --level_;
    }

private:
    static bool StartsText(std::string_view s, std::string_view prefix) {
        return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
    }

    // Whether an am/pm marker comes after position i, before the next hour
    // letter; the first "a" outside quotes decides.
    static bool AmPmFollows(std::string_view F, std::size_t i) {
        char quote = 0;
        for (; i < F.size(); ++i) {
            char c = F[i];
            if (quote) {
                if (c == quote) quote = 0;
                continue;
            }
            if (c == '\'' || c == '"') {
                quote = c;
            } else if (c == 'h' || c == 'H') {
                return false;
            } else if (c == 'a' || c == 'A') {
                std::string_view rest = F.substr(i);
                return StartsText(rest, "am/pm") || StartsText(rest, "a/p") || StartsText(rest, "ampm");
            }
        }
        return false;
    }

    void Number(int Value, int Digits) {
        char buf[16];
        char* end = buf + sizeof buf;
        char* p = end;
        unsigned v = Value < 0 ? 0U - static_cast<unsigned>(Value) : static_cast<unsigned>(Value);
        do {
            *--p = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        if (Value < 0) *--p = '-';
        while (end - p < Digits) *--p = '0';
        out_.append(p, static_cast<std::size_t>(end - p));
    }

    template <class TNames>
    void Name(const TNames& Names, int Index) {
        if (Index >= 1 && Index <= TNames::Count) out_ += Names[Index];
    }

    std::string& out_;
    int year_ = 0, month_ = 0, day_ = 0, dow_ = 0;
    int hour_ = 0, min_ = 0, sec_ = 0, msec_ = 0;
    int level_ = 0;
};

// A format of day, month and year numbers, separators and quoted text only
// (as short date formats are), read once and then filled in for every value
// it formats. Any other format is read by TDateTimeWriter each time.
class TNumericDateFormat {
private:
    enum class TKind : uint8_t { Literal, Year2, Year4, Month, Day, DateSep, TimeSep };
    struct TOp {
        TKind Kind;
        char Arg; // the literal character, or the digits of a month or day
    };

public:
    // Whether Format is such a format; reads it when it is another one than
    // the last.
    bool Read(std::string_view Format) {
        if (Format == format_) return usable_;
        format_.assign(Format);
        ops_.clear();
        usable_ = true;
        std::size_t i = 0;
        while (i < Format.size() && usable_) {
            const char starter = Format[i++];
            int n = 1;
            auto run = [&] {
                while (i < Format.size() && Format[i] == starter) {
                    ++i;
                    ++n;
                }
            };
            switch (UpCase(starter)) {
            case 'Y':
                run();
                ops_.push_back({n <= 2 ? TKind::Year2 : TKind::Year4, 0});
                break;
            case 'M':
            case 'D':
                run();
                if (n > 2)
                    usable_ = false;
                else
                    ops_.push_back({UpCase(starter) == 'M' ? TKind::Month : TKind::Day, static_cast<char>(n)});
                break;
            case '/': ops_.push_back({TKind::DateSep, 0}); break;
            case ':': ops_.push_back({TKind::TimeSep, 0}); break;
            case '\'':
            case '"': {
                std::size_t end = Format.find(starter, i);
                if (end == std::string_view::npos) end = Format.size();
                for (char c : Format.substr(i, end - i)) ops_.push_back({TKind::Literal, c});
                i = end < Format.size() ? end + 1 : end;
                break;
            }
            default:
                // Other letters are names, times and markers.
                if ((starter >= 'A' && starter <= 'Z') || (starter >= 'a' && starter <= 'z'))
                    usable_ = false;
                else
                    ops_.push_back({TKind::Literal, starter});
            }
        }
        // Day, month and year with a separator between each two, the shape of
        // nearly every short date format, are written without the loop.
        auto number = [](const TOp& Op) { return Op.Kind >= TKind::Year2 && Op.Kind <= TKind::Day; };
        threeNumbers_ = usable_ && ops_.size() == 5 && number(ops_[0]) && !number(ops_[1]) && number(ops_[2]) &&
                        !number(ops_[3]) && number(ops_[4]);
        return usable_;
    }

    void Write(TDateTime Value, std::string& Out) const {
        int year = 0, month = 0, day = 0;
        DecodeDay(ToTimeStamp(Value).Day, year, month, day);
        Write(year, month, day, Out);
    }

    // The length of Write's text when the format begins and ends with a
    // number; -1 otherwise.
    int Length(int year, int month, int day) const {
        if (ops_.empty() || ops_.front().Kind < TKind::Year2 || ops_.front().Kind > TKind::Day ||
            ops_.back().Kind < TKind::Year2 || ops_.back().Kind > TKind::Day)
            return -1;
        const TFormatSettings& fs = FormatSettings();
        int n = 0;
        for (const TOp& op : ops_) {
            switch (op.Kind) {
            case TKind::Literal: ++n; break;
            case TKind::Year2: n += NumberLength(year % 100, 2); break;
            case TKind::Year4: n += NumberLength(year, 4); break;
            case TKind::Month: n += NumberLength(month, op.Arg); break;
            case TKind::Day: n += NumberLength(day, op.Arg); break;
            case TKind::DateSep: n += fs.DateSeparator != '\0' ? 1 : 0; break;
            case TKind::TimeSep: n += fs.TimeSeparator != '\0' ? 1 : 0; break;
            }
        }
        return n;
    }

    void Write(int year, int month, int day, std::string& Out) const {
        const TFormatSettings& fs = FormatSettings();
        char buf[64];
        char* p = buf;
        if (threeNumbers_) {
            p = Put(p, ops_[0], year, month, day, fs);
            p = Put(p, ops_[1], year, month, day, fs);
            p = Put(p, ops_[2], year, month, day, fs);
            p = Put(p, ops_[3], year, month, day, fs);
            p = Put(p, ops_[4], year, month, day, fs);
            Out.append(buf, static_cast<std::size_t>(p - buf));
            return;
        }
        // A short format (as date formats are) cannot fill the buffer: no
        // op writes more than 12 characters.
        const bool roomy = ops_.size() * 12 <= sizeof buf;
        for (const TOp& op : ops_) {
            if (!roomy && p + 12 > buf + sizeof buf) {
                Out.append(buf, static_cast<std::size_t>(p - buf));
                p = buf;
            }
            p = Put(p, op, year, month, day, fs);
        }
        Out.append(buf, static_cast<std::size_t>(p - buf));
    }

private:
    // One op's text at P; the end of it (at most 12 characters).
    [[gnu::always_inline]] static char* Put(char* P, const TOp& Op, int year, int month, int day,
                                            const TFormatSettings& fs) {
        switch (Op.Kind) {
        case TKind::Literal: *P++ = Op.Arg; break;
        case TKind::Year2: P = Number(P, year % 100, 2); break;
        case TKind::Year4: P = Number(P, year, 4); break;
        case TKind::Month: P = Number(P, month, Op.Arg); break;
        case TKind::Day: P = Number(P, day, Op.Arg); break;
        case TKind::DateSep:
            if (fs.DateSeparator != '\0') *P++ = fs.DateSeparator;
            break;
        case TKind::TimeSep:
            if (fs.TimeSeparator != '\0') *P++ = fs.TimeSeparator;
            break;
        }
        return P;
    }

    // The length of Number's text.
    static int NumberLength(int Number, int Digits) {
        const unsigned v = static_cast<unsigned>(Number);
        int count = 1;
        for (unsigned rest = v; rest >= 10; rest /= 10) ++count;
        return count > Digits ? count : Digits;
    }

    // The two digits of V (below 100) at P; the end of them.
    static char* Pair(char* P, unsigned V) {
        P[0] = static_cast<char>('0' + V / 10);
        P[1] = static_cast<char>('0' + V % 10);
        return P + 2;
    }

    // Number with at least Digits digits at P; the end of it. Days and months
    // have two digits at most, years mostly four.
    [[gnu::always_inline]] static char* Number(char* P, int Number, int Digits) {
        const unsigned v = static_cast<unsigned>(Number);
        if (v < 10 && Digits <= 1) {
            *P++ = static_cast<char>('0' + v);
            return P;
        }
        if (v < 100) {
            for (int k = 2; k < Digits; ++k) *P++ = '0';
            return Pair(P, v);
        }
        if (v < 10000) {
            const unsigned high = v / 100;
            for (int k = high >= 10 ? 4 : 3; k < Digits; ++k) *P++ = '0';
            if (high >= 10)
                P = Pair(P, high);
            else
                *P++ = static_cast<char>('0' + high);
            return Pair(P, v % 100);
        }
        return LongNumber(P, v, Digits);
    }

    // Number for 10000 and more (a year out of the usual range).
    [[gnu::noinline]] static char* LongNumber(char* P, unsigned V, int Digits) {
        const std::string all = std::to_string(V);
        for (int k = static_cast<int>(all.size()); k < Digits; ++k) *P++ = '0';
        return P + all.copy(P, all.size());
    }

    std::string format_;
    bool usable_ = false;
    bool threeNumbers_ = false;
    std::vector<TOp> ops_;
};

// The numeric format read last.
TNumericDateFormat& NumericDateFormat() {
    thread_local TNumericDateFormat numeric;
    return numeric;
}

} // namespace

void DateTimeToString(std::string& Result, std::string_view Format, TDateTime DateTime) {
    Result.clear();
    if (Format.empty()) Format = "c";
    TNumericDateFormat& numeric = NumericDateFormat();
    if (numeric.Read(Format))
        numeric.Write(DateTime, Result);
    else
        TDateTimeWriter(DateTime, Result).Append(Format);
}

int DateTextLength(std::string_view Format, int Year, int Month, int Day) {
    TNumericDateFormat& numeric = NumericDateFormat();
    return !Format.empty() && numeric.Read(Format) ? numeric.Length(Year, Month, Day) : -1;
}

void DateToString(std::string& Result, std::string_view Format, int Year, int Month, int Day) {
    TNumericDateFormat& numeric = NumericDateFormat();
    TDateTime date = 0;
    if (!Format.empty() && numeric.Read(Format)) {
        Result.clear();
        numeric.Write(Year, Month, Day, Result);
    } else if (TryEncodeDate(Year, Month, Day, date)) {
        DateTimeToString(Result, Format, date);
    } else {
        DateTimeToString(Result, Format, 0);
    }
}

std::string FormatDateTime(std::string_view Format, TDateTime DateTime) {
    std::string r;
    DateTimeToString(r, Format, DateTime);
    return r;
}

std::string DateToStr(TDateTime Date) { return FormatDateTime(FormatSettings().ShortDateFormat, Date); }
std::string TimeToStr(TDateTime Time) { return FormatDateTime(FormatSettings().LongTimeFormat, Time); }
std::string DateTimeToStr(TDateTime DateTime) { return FormatDateTime("c", DateTime); }

// ---------------------------------------------------------------------------
// Reading dates and times

namespace {

class TDateTimeScanner {
public:
    explicit TDateTimeScanner(std::string_view S) : s_(S) {}

    bool AtEnd() const { return pos_ >= s_.size(); }
    void Rewind() { pos_ = 0; }

    bool Date(TDateTime& Value) {
        const TFormatSettings& fs = FormatSettings();
        int n1, n2, n3, l1, l2, l3;
        if (!Number(n1, l1) || !Char(fs.DateSeparator) || !Number(n2, l2)) return false;
        int y, m, d, yearLen = 4;
        char order = DateOrder(fs.ShortDateFormat);
        if (Char(fs.DateSeparator)) {
            if (!Number(n3, l3)) return false;
            switch (order) {
            case 'Y':
                y = n1;
                yearLen = l1;
                m = n2;
                d = n3;
                break;
            case 'D':
                y = n3;
                yearLen = l3;
                m = n2;
                d = n1;
                break;
            default:
                y = n3;
                yearLen = l3;
                m = n1;
                d = n2;
            }
        } else {
            int unused;
            DecodeDate(trx::Date(), y, unused, unused);
            if (order == 'D') {
                d = n1;
                m = n2;
            } else {
                m = n1;
                d = n2;
            }
        }
        Char(fs.DateSeparator);
        Blanks();
        if (yearLen <= 2) {
            int current, unused;
            DecodeDate(trx::Date(), current, unused, unused);
            int window = fs.TwoDigitYearCenturyWindow;
            int base = current - window;
            y += base / 100 * 100;
            if (window > 0 && y < base) y += 100;
        }
        return TryEncodeDate(y, m, d, Value);
    }

    bool Time(TDateTime& Value) {
        const TFormatSettings& fs = FormatSettings();
        int baseHour = Marker(fs);
        if (baseHour >= 0) Blanks();
        int hour, min = 0, sec = 0, msec = 0, len;
        if (!Number(hour, len)) return false;
        if (Char(fs.TimeSeparator)) {
            if (!Number(min, len)) return false;
            if (Char(fs.TimeSeparator)) {
                if (!Number(sec, len)) return false;
                if (Char(fs.DecimalSeparator) && !Number(msec, len)) return false;
            }
        }
        if (baseHour < 0) baseHour = Marker(fs);
        if (baseHour >= 0) {
            if (hour == 0 || hour > 12) return false;
            if (hour == 12) hour = 0;
            hour += baseHour;
        }
        Blanks();
        return TryEncodeTime(hour, min, sec, msec, Value);
    }

private:
    // 'D', 'M' or 'Y': the first of day, month and year in a date format.
    static char DateOrder(std::string_view F) {
        for (char c : F) {
            char u = UpCase(c);
            if (u == 'D' || u == 'M') return u;
            if (u == 'Y') return 'Y';
        }
        return 'M';
    }

    void Blanks() {
        while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
    }

    // At most four digits are read, so that no number can overflow.
    bool Number(int& Value, int& Len) {
        Blanks();
        std::size_t start = pos_;
        Value = 0;
        while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9' && Value < 1000) {
            Value = Value * 10 + (s_[pos_] - '0');
            ++pos_;
        }
        Len = static_cast<int>(pos_ - start);
        return Len > 0;
    }

    bool Char(char C) {
        Blanks();
        if (pos_ < s_.size() && s_[pos_] == C) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool Text(std::string_view T) {
        if (T.empty()) return false;
        Blanks();
        if (s_.size() - pos_ >= T.size() && SameText(s_.substr(pos_, T.size()), T)) {
            pos_ += T.size();
            return true;
        }
        return false;
    }

    // 0 after an AM marker, 12 after a PM marker, -1 without one.
    int Marker(const TFormatSettings& fs) {
        if (Text(fs.TimeAMString) || Text("AM")) return 0;
        if (Text(fs.TimePMString) || Text("PM")) return 12;
        return -1;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

[[noreturn]] void NotValid(std::string_view S, const char* What) {
    throw EConvertError("'" + std::string(S) + "' is not a valid " + What);
}

} // namespace

bool TryStrToDate(std::string_view S, TDateTime& Value) {
    TDateTimeScanner sc(S);
    TDateTime d = 0;
    if (!sc.Date(d) || !sc.AtEnd()) return false;
    Value = d;
    return true;
}

bool TryStrToTime(std::string_view S, TDateTime& Value) {
    TDateTimeScanner sc(S);
    TDateTime t = 0;
    if (!sc.Time(t) || !sc.AtEnd()) return false;
    Value = t;
    return true;
}

bool TryStrToDateTime(std::string_view S, TDateTime& Value) {
    TDateTimeScanner sc(S);
    TDateTime d = 0, t = 0;
    if (sc.Date(d) && (sc.AtEnd() || (sc.Time(t) && sc.AtEnd()))) {
        // Before 30 December 1899 the time still counts forward from midnight.
        Value = d >= 0 ? d + t : d - t;
        return true;
    }
    return TryStrToTime(S, Value);
}

TDateTime StrToDate(std::string_view S) {
    TDateTime v = 0;
    if (!TryStrToDate(S, v)) NotValid(S, "date");
    return v;
}

TDateTime StrToTime(std::string_view S) {
    TDateTime v = 0;
    if (!TryStrToTime(S, v)) NotValid(S, "time");
    return v;
}

TDateTime StrToDateTime(std::string_view S) {
    TDateTime v = 0;
    if (!TryStrToDateTime(S, v)) NotValid(S, "date and time");
    return v;
}

} // namespace trx
