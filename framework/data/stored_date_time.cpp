#include "framework/data/stored_date_time.h"

#include <algorithm>
#include <charconv>


namespace trx {

namespace {

// Exactly Count digits at Pos.
bool Digits(std::string_view S, std::size_t& Pos, std::size_t Count, int& Value) {
    if (Pos + Count > S.size()) return false;
    Value = 0;
    for (std::size_t i = 0; i < Count; ++i) {
        const char c = S[Pos + i];
        if (c < '0' || c > '9') return false;
        Value = Value * 10 + (c - '0');
    }
    Pos += Count;
    return true;
}

bool Expect(std::string_view S, std::size_t& Pos, char C) {
    if (Pos >= S.size() || S[Pos] != C) return false;
    ++Pos;
    return true;
}

// "HH:MM[:SS[.fff]]" from Pos to the end.
bool ParseTime(std::string_view S, std::size_t Pos, TDateTime& Value) {
    int h = 0, n = 0, sec = 0, ms = 0;
    if (!Digits(S, Pos, 2, h) || !Expect(S, Pos, ':') || !Digits(S, Pos, 2, n)) return false;
    if (Pos < S.size()) {
        if (!Expect(S, Pos, ':') || !Digits(S, Pos, 2, sec)) return false;
        if (Pos < S.size()) {
            if (!Expect(S, Pos, '.')) return false;
            // Up to three digits count; further ones are dropped.
            int scale = 100;
            std::size_t digits = 0;
            for (; Pos < S.size(); ++Pos, ++digits) {
                const char c = S[Pos];
                if (c < '0' || c > '9') return false;
                if (digits < 3) {
                    ms += (c - '0') * scale;
                    scale /= 10;
                }
            }
            if (digits == 0) return false;
        }
    }
    return TryEncodeTime(h, n, sec, ms, Value);
}

} // namespace

bool ParseStoredDate(std::string_view Text, int& Year, int& Month, int& Day) {
    if (Text.size() != 10 || Text[4] != '-' || Text[7] != '-') return false;
    const auto* c = reinterpret_cast<const unsigned char*>(Text.data());
    const unsigned y0 = c[0] - 48u, y1 = c[1] - 48u, y2 = c[2] - 48u, y3 = c[3] - 48u;
    const unsigned m0 = c[5] - 48u, m1 = c[6] - 48u, d0 = c[8] - 48u, d1 = c[9] - 48u;
    // A character that is no digit is above 9 here (below '0' it wraps round).
    if (y0 > 9 || y1 > 9 || y2 > 9 || y3 > 9 || m0 > 9 || m1 > 9 || d0 > 9 || d1 > 9) return false;
    const int y = static_cast<int>(y0 * 1000 + y1 * 100 + y2 * 10 + y3);
    const int m = static_cast<int>(m0 * 10 + m1);
    const int d = static_cast<int>(d0 * 10 + d1);
    if (!IsValidDate(y, m, d)) return false;
    Year = y;
    Month = m;
    Day = d;
    return true;
}

bool ParseStoredDateTime(std::string_view Text, TDateTime& Value) {
    std::string_view s = Text;
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    if (s.empty()) return false;

    // A number of days; an ISO date starts with four digits and a dash,
    // which no number does.
    const bool isoDate = s.size() >= 5 && s[4] == '-' &&
                         std::all_of(s.begin(), s.begin() + 4, [](char c) { return c >= '0' && c <= '9'; });
    if (!isoDate) {
        const char* first = s.data();
        if (*first == '+') ++first;
        double d = 0;
        const auto [end, ec] = std::from_chars(first, s.data() + s.size(), d);
        if (ec == std::errc() && end == s.data() + s.size()) {
            if (!DateTimeInRange(d)) return false;
            Value = d;
            return true;
        }
    }

    std::size_t pos = 0;
    if (s.size() >= 3 && s[2] == ':') return ParseTime(s, 0, Value);

    int y = 0, m = 0, d = 0;
    if (!Digits(s, pos, 4, y) || !Expect(s, pos, '-') || !Digits(s, pos, 2, m) || !Expect(s, pos, '-') ||
        !Digits(s, pos, 2, d))
        return false;
    TDateTime date = 0;
    if (!TryEncodeDate(y, m, d, date)) return false;
    if (pos == s.size()) {
        Value = date;
        return true;
    }
    if (s[pos] != ' ' && s[pos] != 'T' && s[pos] != 't') return false;
    std::size_t timeAt = pos + 1;
    while (timeAt < s.size() && s[timeAt] == ' ') ++timeAt;
    TDateTime time = 0;
    if (!ParseTime(s, timeAt, time)) return false;
    // Before 30 December 1899 the time still counts forward from midnight.
    Value = date < 0 ? date - time : date + time;
    return true;
}

} // namespace trx
