// Formatting of numbers and argument lists with the framework's rules, and
// the format settings that govern them.
//
// The settings are fixed (United States English) and never read from the
// machine's locale, so output is the same everywhere. Code that needs other
// settings changes them through FormatSettings(); tests do so through a
// TFormatSettingsOverride, which puts the previous settings back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "framework/core/strings.h"

namespace trx {

// An array of names indexed from 1, as the framework indexes month and day
// names (ShortMonthNames[1] is "Jan", LongDayNames[1] is "Sunday").
template <std::size_t N>
class TIndexedNames {
public:
    TIndexedNames() = default;
    TIndexedNames(std::initializer_list<const char*> Names) {
        std::size_t i = 0;
        for (const char* n : Names) {
            if (i < N) names_[i++] = n;
        }
    }
    std::string& operator[](int Index) { return names_.at(static_cast<std::size_t>(Index - 1)); }
    const std::string& operator[](int Index) const { return names_.at(static_cast<std::size_t>(Index - 1)); }
    static constexpr int Count = static_cast<int>(N);
    friend bool operator==(const TIndexedNames&, const TIndexedNames&) = default;

private:
    std::array<std::string, N> names_;
};

using TMonthNameArray = TIndexedNames<12>;
using TWeekNameArray = TIndexedNames<7>;

// The conventions used to format and parse numbers, money, dates and times.
struct TFormatSettings {
    std::string CurrencyString = "$";
    // Place of the currency string for positive amounts: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    uint8_t CurrencyFormat = 0;
    // Layout of negative amounts, 0 to 15:
    //  0 ($1)   1 -$1   2 $-1   3 $1-   4 (1$)   5 -1$   6 1-$   7 1$-
    //  8 -1 $   9 -$ 1 10 1 $- 11 $ 1- 12 $ -1  13 1- $ 14 ($ 1) 15 (1 $)
    uint8_t NegCurrFormat = 0;
    char ThousandSeparator = ',';
    char DecimalSeparator = '.';
    uint8_t CurrencyDecimals = 2;
    char DateSeparator = '/';
    std::string ShortDateFormat = "m/d/yyyy";
    std::string LongDateFormat = "dddd, mmmm d, yyyy";
    char TimeSeparator = ':';
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::string ShortTimeFormat = "h:nn AMPM";
    std::string LongTimeFormat = "h:nn:ss AMPM";
    TMonthNameArray ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    TMonthNameArray LongMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
    TWeekNameArray ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    TWeekNameArray LongDayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    // A two-digit year read from text falls within the hundred years that
    // start this many years before the current year; 0 puts it in the
    // current century.
    int TwoDigitYearCenturyWindow = 50;

    friend bool operator==(const TFormatSettings&, const TFormatSettings&) = default;
};

// The settings in force.
TFormatSettings& FormatSettings();

// Saves the settings in force and restores them when it leaves scope.
class TFormatSettingsOverride {
public:
    TFormatSettingsOverride();
    // Saves the settings in force and puts Settings in their place.
    explicit TFormatSettingsOverride(const TFormatSettings& Settings);
    ~TFormatSettingsOverride();
    TFormatSettingsOverride(const TFormatSettingsOverride&) = delete;
    TFormatSettingsOverride& operator=(const TFormatSettingsOverride&) = delete;

private:
    TFormatSettings saved_;
};

// One argument of Format. It refers to the text it was made from without
// copying it, so it must not outlive that text (arguments of one Format
// call are always safe).
struct TVarRec {
    enum class TVarType : uint8_t {
        vtInteger, // 32-bit signed
        vtInt64, // 64-bit signed
        vtUInt64, // 64-bit unsigned
        vtExtended, // floating point
        vtChar, // one character
        vtString, // text
        vtPointer, // address (for %p)
    };

    TVarRec(int v) : VType(TVarType::vtInteger), VInteger(v) {}
    TVarRec(unsigned v) : VType(TVarType::vtInt64), VInteger(v) {}
    TVarRec(long v) : VType(TVarType::vtInt64), VInteger(v) {}
    TVarRec(unsigned long v) : VType(TVarType::vtUInt64), VUnsigned(v) {}
    TVarRec(long long v) : VType(TVarType::vtInt64), VInteger(v) {}
    TVarRec(unsigned long long v) : VType(TVarType::vtUInt64), VUnsigned(v) {}
    TVarRec(double v) : VType(TVarType::vtExtended), VExtended(v) {}
    TVarRec(char v) : VType(TVarType::vtChar), VChar(v) {}
    TVarRec(const char* v) : VType(TVarType::vtString), VString(v ? std::string_view(v) : std::string_view()) {}
    TVarRec(const std::string& v) : VType(TVarType::vtString), VString(v) {}
    TVarRec(std::string_view v) : VType(TVarType::vtString), VString(v) {}
    template <std::size_t N>
    TVarRec(const ShortString<N>& v) : VType(TVarType::vtString), VString(v.str()) {}
    TVarRec(const void* v) : VType(TVarType::vtPointer), VPointer(v) {}
    // A Boolean has no conversion in the format language.
    TVarRec(bool) = delete;

    TVarType VType;
    int64_t VInteger = 0;
    uint64_t VUnsigned = 0;
    double VExtended = 0;
    char VChar = 0;
    std::string_view VString;
    const void* VPointer = nullptr;
};

// Formats the arguments into Fmt. Each directive is
//   "%" [index ":"] ["-"] [width] ["." precision] type
// with index, width and precision given as digits or as "*" (the next
// argument, an integer). Types (either case):
//   d  decimal integer; the precision is the minimum number of digits, zero-filled
//   u  unsigned decimal integer (a negative 32-bit value reads as unsigned)
//   x  hexadecimal integer, upper case
//   e  scientific; the precision counts all digits (15 when absent)
//   f  fixed; the precision counts decimals (2 when absent)
//   g  the shortest of fixed and scientific; precision as for e
//   n  as f with thousand separators
//   m  money, with the currency settings; decimals as CurrencyDecimals when absent
//   s  text or a character; a precision cuts the text to that length
//   p  pointer, as hexadecimal digits
//   %  a percent sign
// The width pads with blanks on the left, or on the right with "-"; a
// negative width from "*" pads nothing, a negative precision counts as none.
// Numbers round their last digit half away from zero. After an indexed
// directive the next one takes the argument after it. A directive that does
// not parse, that lacks its argument or whose argument does not suit its
// type raises EConvertError "Format '<Fmt>' invalid or incompatible with argument".
std::string Format(std::string_view Fmt, std::initializer_list<TVarRec> Args = {});

enum class TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// The value as text with up to 15 significant digits, fixed or scientific,
// whichever is shorter (FloatToStrF with ffGeneral, 15, 0).
std::string FloatToStr(double Value);
// Precision: significant digits (1 to 18). Digits: for ffGeneral and
// ffExponent the minimum number of exponent digits (0 to 4), for the others
// the number of decimals (0 to 18). A fixed form whose integer part has more
// than Precision digits comes out in scientific form.
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
// FloatToStrF(Value, ffGeneral, Precision, Digits) into Text, in the room
// Text already has (the texts of many values without a string each).
void GeneralFloatToText(std::string& Text, double Value, int Precision, int Digits);
// The length of FloatToStrF(Value, ffGeneral, Precision, Digits) when it is
// known without the text (fifteen digits of a value written without an
// exponent); -1 otherwise.
int GeneralFloatLength(double Value, int Precision);
// Formats with a picture of up to three sections separated by ";" (positive;
// negative; zero): "0" a digit, "#" a digit when there is one, "." the
// decimal separator, "," thousand separators wanted, "E+"/"E-" (or "e+",
// "e-") followed by up to four "0" scientific form with that many exponent
// digits at least, text in single or double quotes as it stands, and any
// other character as it stands. A value that rounds to zero takes the zero
// section. An empty picture, or a value of 1E18 or more, gives FloatToStr.
std::string FormatFloat(std::string_view Format, double Value);
// A currency amount (four decimals at most) as text without trailing zeros.
std::string CurrToStr(double Value);

// Text to a number: optional blanks, sign, digits with the decimal separator
// of the settings, optional exponent. Raises EConvertError
// "'<S>' is not a valid floating point value".
double StrToFloat(std::string_view S);
bool TryStrToFloat(std::string_view S, double& Value);
double StrToFloatDef(std::string_view S, double Default);

} // namespace trx
