#include "framework/core/format.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/core/exceptions.h"

namespace trx {

// ---------------------------------------------------------------------------
// Settings

TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}

TFormatSettingsOverride::TFormatSettingsOverride() : saved_(FormatSettings()) {}

TFormatSettingsOverride::TFormatSettingsOverride(const TFormatSettings& Settings) : saved_(FormatSettings()) {
    FormatSettings() = Settings;
}

TFormatSettingsOverride::~TFormatSettingsOverride() { FormatSettings() = saved_; }

// ---------------------------------------------------------------------------
// Decimal digits of a floating-point value

namespace {

constexpr int NoDecimals = 9999;

// A value as 0.Digits x 10^Exponent; Digits has no trailing zeros and is
// empty for zero. Special holds the text of an infinity or a NaN.
struct TDecimal {
    bool Negative = false;
    int Exponent = 0;
    std::string Digits;
    std::string Special;
    bool IsZero() const { return Special.empty() && Digits.empty(); }
};

// Rounds the digit string to Keep digits, halves away from zero.
void RoundDigits(TDecimal& d, int Keep) {
    if (Keep < 0) {
        d.Digits.clear();
    } else if (Keep < static_cast<int>(d.Digits.size())) {
        bool up = d.Digits[static_cast<std::size_t>(Keep)] >= '5';
        d.Digits.resize(static_cast<std::size_t>(Keep));
        if (up) {
            while (!d.Digits.empty() && d.Digits.back() == '9') d.Digits.pop_back();
            if (d.Digits.empty()) {
                d.Digits = "1";
                ++d.Exponent;
            } else {
                ++d.Digits.back();
            }
        }
    }
    while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
    if (d.Digits.empty()) {
        d.Negative = false;
        d.Exponent = 0;
    }
}

// Powers of ten that a double holds exactly.
constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The digits of a positive value from 1E-5 up to 1E15 rounded to 15
// significant digits, found by scaling the value to a whole number of 15
// digits. The product is within 0.12 of the exact one, so its rounding is
// certain unless its fraction lies near one half; then, and for any other
// value, it gives false and the digits come from the exact conversion.
// Digits gets the digits without trailing zeros (1 to 15 of them), Count
// their number and Exponent the power of ten of 0.Digits.
bool FifteenDigits(double A, char* Digits, std::size_t& Count, int& Exponent) {
    if (!(A >= 1e-5 && A < 1e15)) return false;
    // The power of ten of the first digit, from the power of two: this one
    // or one less.
    uint64_t bits = 0;
    std::memcpy(&bits, &A, sizeof bits);
    const int binary = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    int e = (binary * 1233) >> 12; // binary * log10(2), rounded down
    int k = 14 - e;
    if (k < 0 || k > 22) return false;
    double s = A * ExactPowersOfTen[k];
    if (s >= 1e15 && k > 0) {
        --k;
        ++e;
        s = A * ExactPowersOfTen[k];
    }
    if (s < 1e14 || s >= 1e15) return false;
    const double whole = std::floor(s);
    const double fraction = s - whole;
    if (fraction > 0.25 && fraction < 0.75) return false;
    uint64_t m = static_cast<uint64_t>(whole) + (fraction >= 0.75 ? 1 : 0);
    if (m == 1000000000000000ULL) {
        m = 100000000000000ULL;
        ++e;
    }
    // Fifteen digits in two halves of 32 bits, two digits at a time, without
    // the trailing zeros (a low half of zeros is not written at all).
    static constexpr char Pairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    char* digits = Digits;
    auto put = [digits](uint32_t Half, int At, int Count) {
        int i = At + Count;
        while (i - At >= 2) {
            const uint32_t pair = Half % 100;
            Half /= 100;
            i -= 2;
            digits[i] = Pairs[2 * pair];
            digits[i + 1] = Pairs[2 * pair + 1];
        }
        if (i > At) digits[At] = static_cast<char>('0' + Half);
    };
    const uint32_t high = static_cast<uint32_t>(m / 100000000);
    const uint32_t low = static_cast<uint32_t>(m % 100000000);
    put(high, 0, 7);
    std::size_t count = 7;
    if (low != 0) {
        put(low, 7, 8);
        count = 15;
    }
    while (digits[count - 1] == '0') --count; // the first digit is never 0
    Count = count;
    Exponent = e + 1;
    return true;
}

bool FifteenDigits(double A, TDecimal& D) {
    char digits[16];
    std::size_t count = 0;
    if (!FifteenDigits(A, digits, count, D.Exponent)) return false;
    D.Digits.assign(digits, count);
    return true;
}

// The value to Precision significant digits and at most Decimals decimals.
// The value is first taken to 15 significant digits (more when Precision
// asks for more), the precision of a double that survives a round trip
// through text; the result then rounds that digit string.
TDecimal FloatToDecimal(double Value, int Precision, int Decimals) {
    TDecimal d;
    if (std::isnan(Value)) {
        d.Special = "NAN";
        return d;
    }
    if (std::isinf(Value)) {
        d.Special = Value < 0 ? "-INF" : "INF";
        return d;
    }
    Precision = std::clamp(Precision, 1, 18);
    d.Negative = std::signbit(Value);
    double a = std::fabs(Value);
    if (a == 0) {
        d.Negative = false;
        return d;
    }
    int base = std::max(15, Precision);
    if (base == 15 && FifteenDigits(a, d)) {
        int keep = Precision;
        if (Decimals != NoDecimals) keep = std::min(keep, d.Exponent + Decimals);
        RoundDigits(d, keep);
        return d;
    }
    char buf[64];
    // The shortest digits that read back as the value are, when there are
    // at most 15 of them, the value rounded to 15 digits (a double is
    // nearer to them than half a unit of the 15th digit), and they come
    // much faster than digits of a given count.
    auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific);
    std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    std::size_t e = text.find('e');
    const std::size_t shortest = e > 1 ? e - 1 : e; // without the point
    if (base > 15 || shortest > 15) {
        res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, base - 1);
        text = std::string_view(buf, static_cast<std::size_t>(res.ptr - buf));
        e = text.find('e');
    }
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.') d.Digits += text[i];
    }
    int exp10 = 0;
    std::string_view expText = text.substr(e + 1);
    if (!expText.empty() && expText[0] == '+') expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exp10);
    d.Exponent = exp10 + 1;
    int keep = Precision;
    if (Decimals != NoDecimals) keep = std::min(keep, d.Exponent + Decimals);
    RoundDigits(d, keep);
    return d;
}

// Integer digits of a decimal (empty for a value below 1).
std::string IntegerDigits(const TDecimal& d) {
    if (d.Exponent <= 0) return {};
    std::string r = d.Digits.substr(0, static_cast<std::size_t>(d.Exponent));
    r.append(static_cast<std::size_t>(d.Exponent) - r.size(), '0');
    return r;
}

// Fraction digits of a decimal, without trailing zeros.
std::string FractionDigits(const TDecimal& d) {
    if (d.Exponent >= 0) {
        return static_cast<std::size_t>(d.Exponent) < d.Digits.size()
                   ? d.Digits.substr(static_cast<std::size_t>(d.Exponent))
                   : std::string();
    }
    if (d.Digits.empty()) return {};
    return std::string(static_cast<std::size_t>(-d.Exponent), '0') + d.Digits;
}

std::string GroupThousands(const std::string& Digits) {
    char sep = FormatSettings().ThousandSeparator;
    if (sep == '\0' || Digits.size() <= 3) return Digits;
    std::string r;
    std::size_t n = Digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        r += Digits[i];
        std::size_t rest = n - 1 - i;
        if (rest > 0 && rest % 3 == 0) r += sep;
    }
    return r;
}

std::string ExponentText(int Exponent, int MinDigits, bool ForceSign) {
    std::string digits = std::to_string(Exponent < 0 ? -static_cast<long long>(Exponent) : Exponent);
    if (static_cast<int>(digits.size()) < MinDigits)
        digits.insert(0, static_cast<std::size_t>(MinDigits) - digits.size(), '0');
    std::string r = "E";
    if (Exponent < 0)
        r += '-';
    else if (ForceSign)
        r += '+';
    return r + digits;
}

std::string SignOf(const TDecimal& d) { return d.Negative ? "-" : ""; }

// The general form without an exponent of the value -0.Digits or
// 0.Digits x 10^Exponent (Exponent from -3 to 18, Count at most 18).
// Writes it into Out (room for 48 characters) and gives its length.
std::size_t PlainDecimalTo(char* Out, bool Negative, const char* Digits, std::size_t Count, int Exponent, char Sep) {
    // At most 18 integer digits, or 3 zeros and 18 digits after the point.
    char* out = Out;
    std::size_t n = 0;
    if (Negative) out[n++] = '-';
    if (Exponent <= 0) {
        out[n++] = '0';
        out[n++] = Sep;
        for (int z = Exponent; z < 0; ++z) out[n++] = '0';
        std::memcpy(out + n, Digits, Count);
        n += Count;
    } else {
        const std::size_t whole = static_cast<std::size_t>(Exponent);
        for (std::size_t i = 0; i < whole; ++i) out[n++] = i < Count ? Digits[i] : '0';
        if (Count > whole) {
            out[n++] = Sep;
            std::memcpy(out + n, Digits + whole, Count - whole);
            n += Count - whole;
        }
    }
    return n;
}

std::string PlainDecimal(bool Negative, const char* Digits, std::size_t Count, int Exponent, char Sep) {
    char out[48];
    return std::string(out, PlainDecimalTo(out, Negative, Digits, Count, Exponent, Sep));
}

// The length of PlainDecimal's text.
int PlainDecimalLength(bool Negative, std::size_t Count, int Exponent) {
    const int count = static_cast<int>(Count);
    const int sign = Negative ? 1 : 0;
    if (Exponent <= 0) return sign + 2 - Exponent + count;
    return sign + Exponent + (count > Exponent ? 1 + count - Exponent : 0);
}

// The fifteen digits of FormatGeneral's quick way, when it takes it.
bool GeneralFifteenDigits(double Value, int Precision, char* Digits, std::size_t& Count, int& Exponent) {
    return Precision == 15 && FifteenDigits(std::fabs(Value), Digits, Count, Exponent) && Exponent >= -3 &&
           Exponent <= Precision;
}

std::string FormatGeneral(double Value, int Precision, int Digits) {
    Precision = std::clamp(Precision, 1, 18);
    Digits = std::clamp(Digits, 0, 4);
    const char sep = FormatSettings().DecimalSeparator;
    // Fifteen digits, the precision of FloatToStr and of float fields: the
    // scaled digits need no rounding and no decimal between.
    char digits[16];
    std::size_t count = 0;
    int exponent = 0;
    if (GeneralFifteenDigits(Value, Precision, digits, count, exponent))
        return PlainDecimal(std::signbit(Value), digits, count, exponent, sep);
    TDecimal d = FloatToDecimal(Value, Precision, NoDecimals);
    if (!d.Special.empty()) return d.Special;
    if (d.IsZero()) return "0";
    if (d.Exponent > Precision || d.Exponent < -3) {
        std::string r = SignOf(d) + d.Digits.substr(0, 1);
        if (d.Digits.size() > 1) r += sep + d.Digits.substr(1);
        return r + ExponentText(d.Exponent - 1, Digits, false);
    }
    return PlainDecimal(d.Negative, d.Digits.data(), d.Digits.size(), d.Exponent, sep);
}

std::string FormatExponent(double Value, int Precision, int Digits) {
    Precision = std::clamp(Precision, 1, 18);
    Digits = std::clamp(Digits, 0, 4);
    TDecimal d = FloatToDecimal(Value, Precision, NoDecimals);
    if (!d.Special.empty()) return d.Special;
    std::string digits = d.Digits;
    digits.append(static_cast<std::size_t>(Precision) - digits.size(), '0');
    std::string r = SignOf(d) + digits.substr(0, 1);
    if (Precision > 1) r += FormatSettings().DecimalSeparator + digits.substr(1);
    return r + ExponentText(d.IsZero() ? 0 : d.Exponent - 1, Digits, true);
}

// Unsigned fixed-point text of a rounded decimal, with exactly Digits decimals.
std::string FixedDigits(const TDecimal& d, int Digits, bool Thousands) {
    std::string ip = IntegerDigits(d);
    if (ip.empty()) ip = "0";
    if (Thousands) ip = GroupThousands(ip);
    if (Digits <= 0) return ip;
    std::string fp = FractionDigits(d);
    fp.resize(static_cast<std::size_t>(Digits), '0');
    return ip + FormatSettings().DecimalSeparator + fp;
}

std::string CurrencyText(const std::string& Amount, bool Negative) {
    const TFormatSettings& fs = FormatSettings();
    const std::string& c = fs.CurrencyString;
    const std::string& a = Amount;
    if (!Negative) {
        switch (fs.CurrencyFormat) {
        case 1: return a + c;
        case 2: return c + " " + a;
        case 3: return a + " " + c;
        default: return c + a;
        }
    }
    switch (fs.NegCurrFormat) {
    case 1: return "-" + c + a;
    case 2: return c + "-" + a;
    case 3: return c + a + "-";
    case 4: return "(" + a + c + ")";
    case 5: return "-" + a + c;
    case 6: return a + "-" + c;
    case 7: return a + c + "-";
    case 8: return "-" + a + " " + c;
    case 9: return "-" + c + " " + a;
    case 10: return a + " " + c + "-";
    case 11: return c + " " + a + "-";
    case 12: return c + " -" + a;
    case 13: return a + "- " + c;
    case 14: return "(" + c + " " + a + ")";
    case 15: return "(" + a + " " + c + ")";
    default: return "(" + c + a + ")";
    }
}

} // namespace

void GeneralFloatToText(std::string& Text, double Value, int Precision, int Digits) {
    char digits[16];
    std::size_t count = 0;
    int exponent = 0;
    if (std::clamp(Precision, 1, 18) == 15 && GeneralFifteenDigits(Value, 15, digits, count, exponent)) {
        // Record after record in the room of the last text, without a
        // string between.
        char out[48];
        const std::size_t n =
            PlainDecimalTo(out, std::signbit(Value), digits, count, exponent, FormatSettings().DecimalSeparator);
        Text.clear();
        Text.append(out, n);
        return;
    }
    Text = FormatGeneral(Value, Precision, Digits);
}

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits) {
    switch (Format) {
    case TFloatFormat::ffGeneral: return FormatGeneral(Value, Precision, Digits);
    case TFloatFormat::ffExponent: return FormatExponent(Value, Precision, Digits);
    case TFloatFormat::ffFixed:
    case TFloatFormat::ffNumber:
    case TFloatFormat::ffCurrency: break;
    }
    Precision = std::clamp(Precision, 1, 18);
    Digits = std::clamp(Digits, 0, 18);
    TDecimal d = FloatToDecimal(Value, Precision, Digits);
    if (!d.Special.empty()) return d.Special;
    if (d.Exponent > Precision) return FormatGeneral(Value, Precision, 0);
    std::string amount = FixedDigits(d, Digits, Format != TFloatFormat::ffFixed);
    if (Format == TFloatFormat::ffCurrency) return CurrencyText(amount, d.Negative);
    return SignOf(d) + amount;
}

std::string FloatToStr(double Value) { return FormatGeneral(Value, 15, 0); }

int GeneralFloatLength(double Value, int Precision) {
    char digits[16];
    std::size_t count = 0;
    int exponent = 0;
    if (!GeneralFifteenDigits(Value, std::clamp(Precision, 1, 18), digits, count, exponent)) return -1;
    return PlainDecimalLength(std::signbit(Value), count, exponent);
}

std::string CurrToStr(double Value) {
    // A currency amount is a whole number of ten-thousandths.
    if (!std::isfinite(Value) || std::fabs(Value) >= 9e14) return FloatToStr(Value);
    long long units = std::llround(Value * 10000.0);
    unsigned long long mag =
        units < 0 ? 0ULL - static_cast<unsigned long long>(units) : static_cast<unsigned long long>(units);
    std::string r = (units < 0 ? "-" : "") + std::to_string(mag / 10000);
    std::string fp = std::to_string(mag % 10000);
    fp.insert(0, 4 - fp.size(), '0');
    while (!fp.empty() && fp.back() == '0') fp.pop_back();
    if (!fp.empty()) r += FormatSettings().DecimalSeparator + fp;
    return r;
}

// ---------------------------------------------------------------------------
// FormatFloat

namespace {

// One element of a number picture.
struct TPictureToken {
    enum class TKind : uint8_t { Literal, Place, Point, Thousands, Exponent };
    explicit TPictureToken(TKind k, char c = 0) : Kind(k), Char(c) {}
    TKind Kind;
    char Char; // the place ("0" or "#") or the exponent letter
    std::string Text; // literal text
    bool Plus = false; // exponent: "+" shows the sign of positive exponents too
    int MinDigits = 0; // exponent: digits at least
};

// Reads a section: quoted text is literal without its quotes; after an
// exponent the rest of the section is literal; later decimal points count
// for nothing.
std::vector<TPictureToken> ReadPicture(std::string_view s) {
    using K = TPictureToken::TKind;
    std::vector<TPictureToken> r;
    auto literal = [&](std::string_view t) {
        if (r.empty() || r.back().Kind != K::Literal) r.emplace_back(K::Literal);
        r.back().Text.append(t);
    };
    bool point = false, exponent = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\'' || c == '"') {
            std::size_t end = s.find(c, i + 1);
            if (end == std::string_view::npos) end = s.size();
            literal(s.substr(i + 1, end - i - 1));
            i = end;
        } else if (exponent) {
            literal(s.substr(i, 1));
        } else if (c == '0' || c == '#') {
            r.emplace_back(K::Place, c);
        } else if (c == '.') {
            if (!point) r.emplace_back(K::Point);
            point = true;
        } else if (c == ',') {
            r.emplace_back(K::Thousands);
        } else if ((c == 'E' || c == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
            TPictureToken t(K::Exponent, c);
            t.Plus = s[i + 1] == '+';
            i += 2;
            while (i < s.size() && s[i] == '0' && t.MinDigits < 4) {
                ++t.MinDigits;
                ++i;
            }
            --i;
            r.push_back(t);
            exponent = true;
        } else {
            literal(s.substr(i, 1));
        }
    }
    return r;
}

struct TPicture {
    std::vector<TPictureToken> Tokens;
    int IntPlaces = 0; // places before the decimal point
    int FirstIntZero = -1; // index of the first "0" among them
    int FracPlaces = 0; // places after the decimal point
    int LastFracZero = 0; // count of places up to the last "0" after the point
    bool Thousands = false;
    bool Scientific = false;
};

TPicture AnalysePicture(std::string_view s) {
    using K = TPictureToken::TKind;
    TPicture p;
    p.Tokens = ReadPicture(s);
    bool point = false;
    for (const TPictureToken& t : p.Tokens) {
        switch (t.Kind) {
        case K::Place:
            if (!point) {
                if (t.Char == '0' && p.FirstIntZero < 0) p.FirstIntZero = p.IntPlaces;
                ++p.IntPlaces;
            } else {
                ++p.FracPlaces;
                if (t.Char == '0') p.LastFracZero = p.FracPlaces;
            }
            break;
        case K::Point: point = true; break;
        case K::Thousands: p.Thousands = true; break;
        case K::Exponent: p.Scientific = true; break;
        case K::Literal: break;
        }
    }
    return p;
}

// Splits a picture into its sections at ";" outside quotes.
std::vector<std::string_view> SplitSections(std::string_view Fmt) {
    std::vector<std::string_view> r;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < Fmt.size(); ++i) {
        char c = Fmt[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            r.push_back(Fmt.substr(start, i - start));
            start = i + 1;
        }
    }
    r.push_back(Fmt.substr(start));
    return r;
}

// Writes the picture with the digits: Int holds the integer digits (forced
// zeros included), Frac the decimals to show.
std::string ApplyPicture(const TPicture& p, const std::string& Int, const std::string& Frac, int Exponent) {
    using K = TPictureToken::TKind;
    const TFormatSettings& fs = FormatSettings();
    std::string out;
    int intIndex = 0;
    int fracIndex = 0;
    int len = static_cast<int>(Int.size());
    bool point = false;
    bool intDone = false;
    auto emitInt = [&](int from, int to) { // digits [from, to) of Int
        for (int i = std::max(from, 0); i < to && i < len; ++i) {
            out += Int[static_cast<std::size_t>(i)];
            int power = len - 1 - i;
            if (p.Thousands && power > 0 && power % 3 == 0 && fs.ThousandSeparator != '\0') out += fs.ThousandSeparator;
        }
    };
    // Without integer places the integer digits stand where the point or
    // the exponent is.
    auto emitIntWithoutPlaces = [&]() {
        if (p.IntPlaces == 0 && !intDone) emitInt(0, len);
        intDone = true;
    };
    for (const TPictureToken& t : p.Tokens) {
        switch (t.Kind) {
        case K::Literal: out += t.Text; break;
        case K::Thousands: break;
        case K::Place:
            if (!point) {
                // Place k stands for the digit of power IntPlaces-1-k; the
                // first place also takes every digit above the places.
                int power = p.IntPlaces - 1 - intIndex;
                int idx = len - 1 - power;
                if (intIndex == 0)
                    emitInt(0, idx + 1);
                else if (idx >= 0)
                    emitInt(idx, idx + 1);
                ++intIndex;
            } else {
                if (fracIndex < static_cast<int>(Frac.size())) out += Frac[static_cast<std::size_t>(fracIndex)];
                ++fracIndex;
            }
            break;
        case K::Point:
            point = true;
            emitIntWithoutPlaces();
            if (!Frac.empty()) out += fs.DecimalSeparator;
            break;
        case K::Exponent:
            emitIntWithoutPlaces();
            out += t.Char;
            out += ExponentText(Exponent, t.MinDigits, t.Plus).substr(1);
            break;
        }
    }
    return out;
}

std::string FormatSection(std::string_view Section, double Value, bool ShowSign) {
    TPicture p = AnalysePicture(Section);
    std::string intDigits, fracDigits;
    int exponent = 0;
    bool negative = false;
    if (p.Scientific) {
        int places = std::max(1, p.IntPlaces + p.FracPlaces);
        TDecimal d = FloatToDecimal(Value, places, NoDecimals);
        negative = d.Negative;
        std::string digits = d.Digits;
        digits.resize(static_cast<std::size_t>(places), '0');
        intDigits = digits.substr(0, static_cast<std::size_t>(p.IntPlaces));
        fracDigits = digits.substr(static_cast<std::size_t>(p.IntPlaces));
        exponent = d.IsZero() ? 0 : d.Exponent - p.IntPlaces;
        // Leading zeros of the integer places show only where "0" asks.
        int minInt = p.FirstIntZero < 0 ? 0 : p.IntPlaces - p.FirstIntZero;
        std::size_t strip = 0;
        while (strip < intDigits.size() && intDigits[strip] == '0' &&
               static_cast<int>(intDigits.size() - strip) > minInt)
            ++strip;
        intDigits.erase(0, strip);
    } else {
        TDecimal d = FloatToDecimal(Value, 15, p.FracPlaces);
        negative = d.Negative;
        intDigits = IntegerDigits(d);
        int minInt = p.FirstIntZero < 0 ? 0 : p.IntPlaces - p.FirstIntZero;
        if (static_cast<int>(intDigits.size()) < minInt)
            intDigits.insert(0, static_cast<std::size_t>(minInt) - intDigits.size(), '0');
        fracDigits = FractionDigits(d);
        fracDigits.resize(static_cast<std::size_t>(p.FracPlaces), '0');
    }
    while (static_cast<int>(fracDigits.size()) > p.LastFracZero && !fracDigits.empty() && fracDigits.back() == '0')
        fracDigits.pop_back();
    std::string body = ApplyPicture(p, intDigits, fracDigits, exponent);
    return (negative && ShowSign) ? "-" + body : body;
}

// True when the value comes out as zero in the picture.
bool RoundsToZero(std::string_view Section, double Value) {
    TPicture p = AnalysePicture(Section);
    if (Value == 0) return true;
    if (p.Scientific) return false;
    return FloatToDecimal(Value, 15, p.FracPlaces).IsZero();
}

} // namespace

std::string FormatFloat(std::string_view Format, double Value) {
    if (Format.empty() || !std::isfinite(Value) || std::fabs(Value) >= 1e18) return FloatToStr(Value);
    std::vector<std::string_view> sections = SplitSections(Format);
    std::string_view positive = sections[0];
    std::string_view negative = sections.size() > 1 ? sections[1] : std::string_view();
    std::string_view zero = sections.size() > 2 ? sections[2] : std::string_view();
    std::string_view section = positive;
    bool ownNegative = false;
    if (Value < 0 && !negative.empty()) {
        section = negative;
        ownNegative = true;
    }
    if (!zero.empty() && RoundsToZero(section, Value)) return FormatSection(zero, 0.0, false);
    // A negative section carries its own sign.
    return FormatSection(section, ownNegative ? -Value : Value, !ownNegative);
}

// ---------------------------------------------------------------------------
// Text to numbers

bool TryStrToFloat(std::string_view S, double& Value) {
    char dsep = FormatSettings().DecimalSeparator;
    std::size_t i = 0, n = S.size();
    while (i < n && S[i] == ' ') ++i;
    while (n > i && S[n - 1] == ' ') --n;
    std::string norm;
    if (i < n && (S[i] == '+' || S[i] == '-')) {
        if (S[i] == '-') norm += '-';
        ++i;
    }
    int intDigits = 0, fracDigits = 0;
    int leadingIntDigits = 0; // integer digits after leading zeros
    bool seenNonZero = false;
    while (i < n && S[i] >= '0' && S[i] <= '9') {
        if (S[i] != '0') seenNonZero = true;
        if (seenNonZero) ++leadingIntDigits;
        norm += S[i++];
        ++intDigits;
    }
    if (intDigits == 0) norm += '0';
    norm += '.';
    if (i < n && S[i] == dsep) {
        ++i;
        while (i < n && S[i] >= '0' && S[i] <= '9') {
            norm += S[i++];
            ++fracDigits;
        }
    }
    if (fracDigits == 0) norm += '0';
    if (intDigits + fracDigits == 0) return false;
    long long exp10 = 0;
    if (i < n && (S[i] == 'E' || S[i] == 'e')) {
        ++i;
        bool neg = false;
        if (i < n && (S[i] == '+' || S[i] == '-')) neg = S[i++] == '-';
        int expDigits = 0;
        while (i < n && S[i] >= '0' && S[i] <= '9') {
            if (exp10 < 100000) exp10 = exp10 * 10 + (S[i] - '0');
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) return false;
        if (neg) exp10 = -exp10;
        norm += 'e' + std::to_string(exp10);
    }
    if (i != n) return false;
    double v = 0;
    auto res = std::from_chars(norm.data(), norm.data() + norm.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large is no number.
        if (leadingIntDigits + exp10 > 0) return false;
        v = norm[0] == '-' ? -0.0 : 0.0;
    } else if (res.ec != std::errc() || res.ptr != norm.data() + norm.size()) {
        return false;
    }
    Value = v;
    return true;
}

double StrToFloat(std::string_view S) {
    double v = 0;
    if (!TryStrToFloat(S, v)) throw EConvertError("'" + std::string(S) + "' is not a valid floating point value");
    return v;
}

double StrToFloatDef(std::string_view S, double Default) {
    double v = 0;
    return TryStrToFloat(S, v) ? v : Default;
}

// ---------------------------------------------------------------------------
// Format

namespace {

class TFormatter {
public:
    TFormatter(std::string_view Fmt, std::initializer_list<TVarRec> Args)
        : fmt_(Fmt), args_(Args.begin()), count_(Args.size()) {}

    std::string Run() {
        std::size_t i = 0;
        while (i < fmt_.size()) {
            char c = fmt_[i++];
            if (c != '%') {
                out_ += c;
                continue;
            }
            if (i >= fmt_.size()) Fail();
            if (fmt_[i] == '%') {
                out_ += '%';
                ++i;
                continue;
            }
            Directive(i);
        }
        return out_;
    }

private:
    [[noreturn]] void Fail() const {
        throw EConvertError("Format '" + std::string(fmt_) + "' invalid or incompatible with argument");
    }

    const TVarRec& NextArg() {
        if (argIndex_ >= count_) Fail();
        return args_[argIndex_++];
    }

    // Digits or "*" at i; -1 when neither is there.
    long long Number(std::size_t& i) {
        if (i < fmt_.size() && fmt_[i] == '*') {
            ++i;
            const TVarRec& a = NextArg();
            if (a.VType != TVarRec::TVarType::vtInteger && a.VType != TVarRec::TVarType::vtInt64) Fail();
            return std::clamp<long long>(a.VInteger, INT_MIN, INT_MAX);
        }
        if (i >= fmt_.size() || fmt_[i] < '0' || fmt_[i] > '9') return -1;
        long long v = 0;
        while (i < fmt_.size() && fmt_[i] >= '0' && fmt_[i] <= '9') {
            v = std::min<long long>(v * 10 + (fmt_[i] - '0'), INT_MAX);
            ++i;
        }
        return v;
    }

    void Directive(std::size_t& i) {
        // An index: digits or "*" followed by ":".
        std::size_t j = i;
        if (j < fmt_.size() && fmt_[j] == '*') {
            ++j;
        } else {
            while (j < fmt_.size() && fmt_[j] >= '0' && fmt_[j] <= '9') ++j;
        }
        if (j > i && j < fmt_.size() && fmt_[j] == ':') {
            long long index = Number(i);
            ++i; // ':'
            if (index < 0) Fail();
            argIndex_ = static_cast<std::size_t>(index);
        }
        bool left = false;
        if (i < fmt_.size() && fmt_[i] == '-') {
            left = true;
            ++i;
        }
        long long width = Number(i);
        long long prec = -1;
        if (i < fmt_.size() && fmt_[i] == '.') {
            ++i;
            bool given = i < fmt_.size() && (fmt_[i] == '*' || (fmt_[i] >= '0' && fmt_[i] <= '9'));
            prec = given ? Number(i) : 0; // "%.f" has precision 0
        }
        if (i >= fmt_.size()) Fail();
        char type = UpCase(fmt_[i++]);
        std::string text = Convert(type, static_cast<int>(prec < 0 ? -1 : prec));
        if (width > static_cast<long long>(text.size())) {
            std::string pad(static_cast<std::size_t>(width) - text.size(), ' ');
            text = left ? text + pad : pad + text;
        }
        out_ += text;
    }

    static std::string ZeroFill(std::string digits, int Prec) {
        if (Prec > static_cast<int>(digits.size()))
            digits.insert(0, static_cast<std::size_t>(Prec) - digits.size(), '0');
        return digits;
    }

    static std::string Hex(uint64_t v) {
        static const char* hex = "0123456789ABCDEF";
        std::string r;
        do {
            r.insert(r.begin(), hex[v & 15]);
            v >>= 4;
        } while (v != 0);
        return r;
    }

    // The unsigned bits of an integer argument: 32 of them for a 32-bit value.
    uint64_t UnsignedBits(const TVarRec& a) const {
        switch (a.VType) {
        case TVarRec::TVarType::vtInteger: return static_cast<uint32_t>(a.VInteger);
        case TVarRec::TVarType::vtInt64: return static_cast<uint64_t>(a.VInteger);
        case TVarRec::TVarType::vtUInt64: return a.VUnsigned;
        default: Fail();
        }
    }

    double FloatArg() {
        const TVarRec& a = NextArg();
        if (a.VType != TVarRec::TVarType::vtExtended) Fail();
        return a.VExtended;
    }

    std::string Convert(char Type, int Prec) {
        switch (Type) {
        case 'D': {
            const TVarRec& a = NextArg();
            if (a.VType == TVarRec::TVarType::vtUInt64) return ZeroFill(std::to_string(a.VUnsigned), Prec);
            if (a.VType != TVarRec::TVarType::vtInteger && a.VType != TVarRec::TVarType::vtInt64) Fail();
            if (a.VInteger < 0) {
                uint64_t mag = 0 - static_cast<uint64_t>(a.VInteger);
                return "-" + ZeroFill(std::to_string(mag), Prec);
            }
            return ZeroFill(std::to_string(a.VInteger), Prec);
        }
        case 'U': return ZeroFill(std::to_string(UnsignedBits(NextArg())), Prec);
        case 'X': return ZeroFill(Hex(UnsignedBits(NextArg())), Prec);
        case 'P': {
            const TVarRec& a = NextArg();
            if (a.VType != TVarRec::TVarType::vtPointer) Fail();
            return ZeroFill(Hex(reinterpret_cast<uintptr_t>(a.VPointer)), static_cast<int>(sizeof(void*) * 2));
        }
        case 'E': return FormatExponent(FloatArg(), Prec < 0 ? 15 : Prec, 3);
        case 'F': return FloatToStrF(FloatArg(), TFloatFormat::ffFixed, 15, Prec < 0 ? 2 : Prec);
        case 'G': return FormatGeneral(FloatArg(), Prec < 0 ? 15 : Prec, 3);
        case 'N': return FloatToStrF(FloatArg(), TFloatFormat::ffNumber, 15, Prec < 0 ? 2 : Prec);
        case 'M':
            return FloatToStrF(FloatArg(), TFloatFormat::ffCurrency, 15,
                               Prec < 0 ? FormatSettings().CurrencyDecimals : Prec);
        case 'S': {
            const TVarRec& a = NextArg();
            std::string_view s;
            char ch = 0;
            if (a.VType == TVarRec::TVarType::vtString) {
                s = a.VString;
            } else if (a.VType == TVarRec::TVarType::vtChar) {
                ch = a.VChar;
                s = std::string_view(&ch, 1);
            } else {
                Fail();
            }
            if (Prec >= 0 && static_cast<std::size_t>(Prec) < s.size()) s = s.substr(0, static_cast<std::size_t>(Prec));
            return std::string(s);
        }
        default: Fail();
        }
    }

    std::string_view fmt_;
    const TVarRec* args_;
    std::size_t count_;
    std::size_t argIndex_ = 0;
    std::string out_;
};

} // namespace

std::string Format(std::string_view Fmt, std::initializer_list<TVarRec> Args) { return TFormatter(Fmt, Args).Run(); }

} // namespace trx
