#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "framework/core/exceptions.h"
#include "framework/core/format.h"

using namespace trx;

namespace {

// The message Format raises for a directive it cannot serve.
std::string FormatError(std::string_view Fmt, std::initializer_list<TVarRec> Args) {
    try {
        Format(Fmt, Args);
    } catch (const EConvertError& e) {
        return e.Message;
    }
    return "(no error)";
}

} // namespace

TEST(Format, IntegersWidthPrecisionAndZeroFill) {
    EXPECT_EQ(Format("%d", {42}), "42");
    EXPECT_EQ(Format("%5d|%-5d|", {42, 42}), "   42|42   |");
    EXPECT_EQ(Format("%.4d", {5}), "0005");
    EXPECT_EQ(Format("%.4d", {-5}), "-0005");
    EXPECT_EQ(Format("%6.3d", {7}), "   007");
    EXPECT_EQ(Format("%.2d", {12345}), "12345");
    EXPECT_EQ(Format("(%.3d.%.3d)", {1, 999}), "(001.999)");
    EXPECT_EQ(Format("%d", {-2147483647 - 1}), "-2147483648");
    EXPECT_EQ(Format("%d", {int64_t(3333333333)}), "3333333333");
    EXPECT_EQ(Format("%d", {uint64_t(18446744073709551615ULL)}), "18446744073709551615");
    EXPECT_EQ(Format("%D", {3}), "3");
    // A leading zero is part of the width, not a fill flag.
    EXPECT_EQ(Format("%05d", {42}), "   42");
}

TEST(Format, UnsignedAndHexReadNegative32BitValuesAsUnsigned) {
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
    EXPECT_EQ(Format("%x", {int64_t(-1)}), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("%x", {255}), "FF");
    EXPECT_EQ(Format("%.4x", {255}), "00FF");
    EXPECT_EQ(Format("%u", {4000000000u}), "4000000000");
}

TEST(Format, StringsPadAndCutToPrecision) {
    std::string s = "abcdef";
    EXPECT_EQ(Format("[%s]", {s}), "[abcdef]");
    EXPECT_EQ(Format("[%.3s]", {s}), "[abc]");
    EXPECT_EQ(Format("[%8s]", {"ab"}), "[      ab]");
    EXPECT_EQ(Format("[%-8s]", {std::string_view("ab")}), "[ab      ]");
    EXPECT_EQ(Format("[%s%s]", {'x', ShortString<8>("short")}), "[xshort]");
    EXPECT_EQ(Format("[%s]", {static_cast<const char*>(nullptr)}), "[]");
}

TEST(Format, StarTakesWidthAndPrecisionFromArguments) {
    // Left- and right-aligned fields cut to their width, as table cells are.
    EXPECT_EQ(Format("%-*.*s|", {6, 6, "abc"}), "abc   |");
    EXPECT_EQ(Format("%-*.*s|", {2, 2, "abc"}), "ab|");
    EXPECT_EQ(Format("%*.*s|", {6, 6, "abc"}), "   abc|");
    EXPECT_EQ(Format("%*d", {5, 12}), "   12");
    EXPECT_EQ(Format("%.*d", {3, 7}), "007");
    // A negative width pads nothing; a negative precision does not cut.
    EXPECT_EQ(Format("[%*s]", {-4, "ab"}), "[ab]");
    EXPECT_EQ(Format("[%-*.*s]", {-3, -3, "abc"}), "[abc]");
    EXPECT_EQ(Format("[%*.*s]", {0, 0, "abc"}), "[]");
    // A star must be served by an integer.
    EXPECT_NE(FormatError("%*d", {"5", 3}), "(no error)");
}

TEST(Format, IndexSpecifiersAndTheArgumentAfterThem) {
    EXPECT_EQ(Format("%1:s %0:s", {"a", "b"}), "b a");
    EXPECT_EQ(Format("%1:s %s %0:s %s", {"a", "b", "c"}), "b c a b");
    EXPECT_EQ(Format("%0:s-%0:s", {"x"}), "x-x");
    EXPECT_EQ(Format("%1:-4d|", {0, 7}), "7   |");
    EXPECT_EQ(Format("%*:s", {1, "p", "q"}), "p");
}

TEST(Format, FixedRoundsHalvesAwayFromZero) {
    EXPECT_EQ(Format("%3.0f", {12.5}), " 13");
    EXPECT_EQ(Format("%3.0f", {2.5}), "  3");
    EXPECT_EQ(Format("%3.0f", {-2.5}), " -3");
    EXPECT_EQ(Format("%.0f", {0.5}), "1");
    EXPECT_EQ(Format("%.2f", {0.125}), "0.13");
    // The value's 15 significant digits decide, not the binary fraction.
    EXPECT_EQ(Format("%.2f", {1.005}), "1.01");
    EXPECT_EQ(Format("%.2f", {2.675}), "2.68");
    EXPECT_EQ(Format("%f", {3.14159}), "3.14");
    EXPECT_EQ(Format("%f", {-0.001}), "0.00");
    EXPECT_EQ(Format("%.1f", {9.96}), "10.0");
    EXPECT_EQ(Format("%.3f", {0.0}), "0.000");
    EXPECT_EQ(Format("%7.2f", {1.5}), "   1.50");
    EXPECT_EQ(Format("%2f seconds", {1.234}), "1.23 seconds");
    EXPECT_EQ(Format("%d %s (%3.0f%%)", {5, "Rows", 62.5}), "5 Rows ( 63%)");
    EXPECT_EQ(Format("%.f", {2.5}), "3");
}

TEST(Format, NumberMoneyScientificAndGeneral) {
    EXPECT_EQ(Format("%n", {1234567.891}), "1,234,567.89");
    EXPECT_EQ(Format("%.0n", {-1234.5}), "-1,235");
    EXPECT_EQ(Format("%.1n", {999.96}), "1,000.0");
    EXPECT_EQ(Format("%m", {99999999.99}), "$99,999,999.99");
    EXPECT_EQ(Format("%m", {-5.0}), "($5.00)");
    EXPECT_EQ(Format("%e", {1234.5678}), "1.23456780000000E+003");
    EXPECT_EQ(Format("%.3e", {-0.00012345}), "-1.23E-004");
    EXPECT_EQ(Format("%g", {0.5}), "0.5");
    EXPECT_EQ(Format("%g", {1e20}), "1E020");
    EXPECT_EQ(Format("%.3g", {1234.5}), "1.23E003");
}

TEST(Format, PointerAndPercent) {
    int x = 0;
    std::string p = Format("%p", {static_cast<const void*>(&x)});
    EXPECT_EQ(p.size(), sizeof(void*) * 2);
    EXPECT_EQ(Format("100%%", {}), "100%");
    EXPECT_EQ(Format("%d%%", {5}), "5%");
}

TEST(Format, MismatchesAndBadDirectivesRaiseTheFrameworkMessage) {
    EXPECT_EQ(FormatError("%d", {"x"}), "Format '%d' invalid or incompatible with argument");
    EXPECT_EQ(FormatError("%s", {1}), "Format '%s' invalid or incompatible with argument");
    EXPECT_NE(FormatError("%f", {1}), "(no error)");
    EXPECT_NE(FormatError("%d", {1.5}), "(no error)");
    EXPECT_NE(FormatError("%d %d", {1}), "(no error)");
    EXPECT_NE(FormatError("%2:d", {1, 2}), "(no error)");
    EXPECT_NE(FormatError("%k", {1}), "(no error)");
    EXPECT_NE(FormatError("50%", {}), "(no error)");
    EXPECT_NE(FormatError("%5", {1}), "(no error)");
    EXPECT_NE(FormatError("%p", {1}), "(no error)");
    EXPECT_NE(FormatError("%d", {'c'}), "(no error)");
    // Arguments left over are no fault.
    EXPECT_EQ(Format("%d", {1, 2, 3}), "1");
}

TEST(Format, SeparatorsFollowTheSettings) {
    TFormatSettingsOverride keep;
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
    EXPECT_EQ(Format("%n", {1234.5}), "1.234,50");
    EXPECT_EQ(Format("%d%s%.4d", {5, std::string(1, FormatSettings().DecimalSeparator), 2}), "5,0002");
}

TEST(FormatSettings, OverrideRestoresTheFixedDefaults) {
    TFormatSettings defaults = FormatSettings();
    {
        TFormatSettingsOverride keep;
        FormatSettings().ShortDateFormat = "dd.mm.yy";
        FormatSettings().LongMonthNames[1] = "Januar";
        EXPECT_EQ(FormatSettings().LongMonthNames[1], "Januar");
    }
    EXPECT_EQ(FormatSettings(), defaults);
    EXPECT_EQ(FormatSettings().ShortDateFormat, "m/d/yyyy");
    EXPECT_EQ(FormatSettings().ShortMonthNames[12], "Dec");
    EXPECT_EQ(FormatSettings().LongDayNames[1], "Sunday");
    EXPECT_EQ(FormatSettings().LongDayNames[7], "Saturday");
}

TEST(FloatToStr, GeneralFormUsesFifteenDigitsAndSwitchesToScientific) {
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(123456.78), "123456.78");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToStr(-2.5), "-2.5");
    EXPECT_EQ(FloatToStr(1e14), "100000000000000");
    EXPECT_EQ(FloatToStr(999999999999999.0), "999999999999999");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(123456789012345678.0), "1.23456789012346E17");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(0.00001), "1E-5");
    EXPECT_EQ(FloatToStr(-1.5e-10), "-1.5E-10");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
}

TEST(FloatToStr, FormatsOfFloatToStrF) {
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffFixed, 15, 2), "1234.57");
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffNumber, 15, 2), "1,234.57");
    EXPECT_EQ(FloatToStrF(-1234.5, TFloatFormat::ffCurrency, 15, 2), "($1,234.50)");
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffExponent, 4, 2), "1.235E+03");
    EXPECT_EQ(FloatToStrF(0, TFloatFormat::ffExponent, 3, 0), "0.00E+0");
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffGeneral, 3, 0), "1.23E3");
    // Precision rounds before the decimals do.
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffFixed, 5, 2), "1234.60");
    // More integer digits than the precision: scientific.
    EXPECT_EQ(FloatToStrF(123456.0, TFloatFormat::ffFixed, 3, 2), "1.23E5");
}

TEST(FloatToStr, TheGeneralFormIntoATextIsTheSameWhateverTheTextHeldBefore) {
    // Values of the quick way and of the exact one, signs, tiny and huge
    // values and specials, written over a longer and a shorter text.
    const double values[] = {0,           -0.0,      2.5,   -2.5,    0.1 + 0.2,
                             1.0 / 3,     123456.78, 1e14,  1e15,    1e-4,
                             1e-5,        -1.5e-10,  12,    100,     0.5,
                             1234.005,    9.995e14,  1e300, -1e-300, std::numeric_limits<double>::infinity(),
                             std::nan("")};
    TFormatSettingsOverride keep;
    for (char sep : {'.', ','}) {
        FormatSettings().DecimalSeparator = sep;
        for (int precision : {15, 3, 18, 40}) {
            for (const std::string& before : {std::string(60, 'x'), std::string("y")}) {
                for (double v : values) {
                    std::string text = before;
                    GeneralFloatToText(text, v, precision, 2);
                    EXPECT_EQ(text, FloatToStrF(v, TFloatFormat::ffGeneral, precision, 2))
                        << v << " precision " << precision << " separator " << sep;
                }
            }
        }
    }
}

TEST(FloatToStr, FifteenDigitsAreTheValueRoundedWhateverItsShortestForm) {
    // Values whose shortest form has few digits and values that need 16 or
    // 17: the 15 digits are always the value correctly rounded.
    uint64_t seed = 88172645463325252ULL;
    auto next = [&seed] {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        return seed;
    };
    for (int i = 0; i < 20000; ++i) {
        double v = 0;
        const uint64_t bits = next();
        if (i % 2 == 0) {
            v = static_cast<double>(static_cast<int64_t>(bits % 200000001) - 100000000) / 100.0; // cents
        } else {
            const int exp = static_cast<int>(bits % 60) - 30;
            v = std::ldexp(static_cast<double>(bits >> 11), -53) * std::pow(10.0, exp);
        }
        if (v == 0) continue;
        char ref[64];
        std::snprintf(ref, sizeof ref, "%.14E", v);
        const std::string refDigits(ref, std::strchr(ref, 'E'));
        const std::string ours = FloatToStrF(v, TFloatFormat::ffExponent, 15, 0);
        ASSERT_EQ(ours.substr(0, ours.find('E')), refDigits) << ref;
        ASSERT_EQ(std::stod(FloatToStr(v)), std::stod(ref)) << ref;
    }
}

TEST(FloatToStr, GeneralTextsPlaceTheFifteenDigitsAroundThePointOrBeforeAnExponent) {
    // The expected text built from the value's digits rounded to 15 by the
    // C library: the point within up to 15 integer digits or after up to 3
    // zeros, else an exponent.
    auto expected = [](double v) {
        char ref[64];
        std::snprintf(ref, sizeof ref, "%.14E", v);
        std::string s(ref);
        const bool negative = s[0] == '-';
        if (negative) s.erase(0, 1);
        const int exp = std::stoi(s.substr(s.find('E') + 1)) + 1;
        std::string digits = s.substr(0, 1) + s.substr(2, s.find('E') - 2);
        while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
        std::string r = negative ? "-" : "";
        if (exp > 15 || exp < -3) {
            r += digits.substr(0, 1);
            if (digits.size() > 1) r += "." + digits.substr(1);
            return r + "E" + std::to_string(exp - 1);
        }
        if (exp <= 0) return r + "0." + std::string(static_cast<std::size_t>(-exp), '0') + digits;
        if (digits.size() <= static_cast<std::size_t>(exp))
            return r + digits + std::string(static_cast<std::size_t>(exp) - digits.size(), '0');
        return r + digits.substr(0, static_cast<std::size_t>(exp)) + "." + digits.substr(static_cast<std::size_t>(exp));
    };
    EXPECT_EQ(GeneralFloatLength(-790.7, 15), 6);
    EXPECT_EQ(GeneralFloatLength(0.000123, 15), 8);
    EXPECT_EQ(GeneralFloatLength(1e15, 15), -1);
    EXPECT_EQ(GeneralFloatLength(0.00001, 15), -1);
    EXPECT_EQ(GeneralFloatLength(0, 15), -1);
    EXPECT_EQ(GeneralFloatLength(1.5, 7), -1);
    for (double v :
         {999999999999999.4, 999999999999999.6, 99999999999999.99, 0.00009999999999999999, 0.0001, 0.000123, 0.00001,
          1e-5 * 0.999999999999999, 79.07, -790.7, 2.2250738585072014e-308, 1.7976931348623157e308}) {
        EXPECT_EQ(FloatToStr(v), expected(v)) << v;
    }
    uint64_t seed = 2463534242ULL;
    for (int i = 0; i < 20000; ++i) {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        const int exp = static_cast<int>(seed % 26) - 8;
        const double v = std::ldexp(static_cast<double>(seed >> 11), -53) * std::pow(10.0, exp) * (i % 3 ? 1 : -1);
        if (v == 0) continue;
        ASSERT_EQ(FloatToStr(v), expected(v));
        ASSERT_EQ(FloatToStrF(v, TFloatFormat::ffGeneral, 15, 0), expected(v));
        const int len = GeneralFloatLength(v, 15);
        if (len >= 0) {
            ASSERT_EQ(static_cast<std::size_t>(len), expected(v).size()) << v;
        }
    }
}

TEST(FloatToStr, CurrencyLayoutsFollowTheSettings) {
    TFormatSettingsOverride keep;
    FormatSettings().CurrencyString = "EUR";
    FormatSettings().CurrencyFormat = 3;
    FormatSettings().NegCurrFormat = 8;
    EXPECT_EQ(FloatToStrF(5, TFloatFormat::ffCurrency, 15, 2), "5.00 EUR");
    EXPECT_EQ(FloatToStrF(-5, TFloatFormat::ffCurrency, 15, 2), "-5.00 EUR");
    FormatSettings().NegCurrFormat = 15;
    EXPECT_EQ(FloatToStrF(-5, TFloatFormat::ffCurrency, 15, 0), "(5 EUR)");
}

TEST(FormatFloat, DigitPlacesDecimalsAndThousands) {
    EXPECT_EQ(FormatFloat(",#0", 1234567), "1,234,567");
    EXPECT_EQ(FormatFloat(",#0", 2000000000), "2,000,000,000");
    EXPECT_EQ(FormatFloat(",#0", 0), "0");
    EXPECT_EQ(FormatFloat(",#0", 999), "999");
    EXPECT_EQ(FormatFloat("#,##0.00", -1234.5), "-1,234.50");
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2.68");
    EXPECT_EQ(FormatFloat("0", 2.5), "3");
    EXPECT_EQ(FormatFloat("000", 7), "007");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("0.##", 1), "1");
    EXPECT_EQ(FormatFloat("0.0#", 1.5), "1.5");
    EXPECT_EQ(FormatFloat("0.0#", 1.257), "1.26");
    EXPECT_EQ(FormatFloat("#", 0), "");
    EXPECT_EQ(FormatFloat("00.00", 123.456), "123.46");
}

TEST(FormatFloat, LiteralsSectionsAndScientific) {
    EXPECT_EQ(FormatFloat("\"$\"#,##0.00", 1234.5), "$1,234.50");
    EXPECT_EQ(FormatFloat("'Total: '0", 12), "Total: 12");
    EXPECT_EQ(FormatFloat("(000) 000-0000", 5551234567.0), "(555) 123-4567");
    EXPECT_EQ(FormatFloat("0.00;(0.00)", -3.5), "(3.50)");
    EXPECT_EQ(FormatFloat("0.00;(0.00);'nil'", 0), "nil");
    // A value that rounds to zero takes the zero section.
    EXPECT_EQ(FormatFloat("0.0;-0.0;'nil'", 0.01), "nil");
    // An empty negative section falls back to the first with a minus sign.
    EXPECT_EQ(FormatFloat("0.0;;'nil'", -2), "-2.0");
    EXPECT_EQ(FormatFloat("0.00E+00", 12345), "1.23E+04");
    EXPECT_EQ(FormatFloat("0.00E+00", 0.00012345), "1.23E-04");
    EXPECT_EQ(FormatFloat("0.0E-0", 12345), "1.2E4");
    EXPECT_EQ(FormatFloat("0.000e+0", -12345), "-1.235e+4");
    EXPECT_EQ(FormatFloat("0.00E+00 'units'", 12345), "1.23E+04 units");
    EXPECT_EQ(FormatFloat("'a;b' 0", 5), "a;b 5");
    // Later points count for nothing; without integer places the integer
    // digits stand at the point.
    EXPECT_EQ(FormatFloat("0.0.0", 1.25), "1.25");
    EXPECT_EQ(FormatFloat(".00", 12.5), "12.50");
    EXPECT_EQ(FormatFloat("", 1.5), "1.5");
    EXPECT_EQ(FormatFloat("0", 1e19), "1E19");
}

TEST(CurrToStr, FourDecimalsAtMostWithoutTrailingZeros) {
    EXPECT_EQ(CurrToStr(99999999.99), "99999999.99");
    EXPECT_EQ(CurrToStr(1.23456), "1.2346");
    EXPECT_EQ(CurrToStr(-7), "-7");
    EXPECT_EQ(CurrToStr(0.1), "0.1");
}

TEST(StrToFloat, AcceptsTheFrameworkNumberSyntax) {
    EXPECT_DOUBLE_EQ(StrToFloat("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(StrToFloat("  -12.5  "), -12.5);
    EXPECT_DOUBLE_EQ(StrToFloat("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("5."), 5.0);
    EXPECT_DOUBLE_EQ(StrToFloat("1.5E3"), 1500.0);
    EXPECT_DOUBLE_EQ(StrToFloat("1e-2"), 0.01);
    EXPECT_DOUBLE_EQ(StrToFloat("1e-999"), 0.0);
    EXPECT_DOUBLE_EQ(StrToFloat("5.0002"), 5.0002);
    for (const char* bad : {"", " ", ".", "1,5", "1.5.2", "1e", "1e+", "abc", "1 2", "--1", "1e999", "0x10"}) {
        double v = 7;
        EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
        EXPECT_EQ(v, 7) << bad;
        EXPECT_EQ(StrToFloatDef(bad, -1), -1) << bad;
    }
    try {
        StrToFloat("1,5");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'1,5' is not a valid floating point value");
    }
}

TEST(StrToFloat, UsesTheDecimalSeparatorOfTheSettings) {
    TFormatSettingsOverride keep;
    FormatSettings().DecimalSeparator = ',';
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    double v = 0;
    EXPECT_FALSE(TryStrToFloat("1.5", v));
    // A page number written with the separator reads back as Y + X/10000.
    EXPECT_DOUBLE_EQ(StrToFloat(Format("%d%s%.4d", {12, std::string(1, ','), 3})), 12.0003);
}
