#include <gtest/gtest.h>

#include "engine/run_scope.h"
#include "engine/shared_routines.h"
#include "framework/core/exceptions.h"

using namespace trx;

TEST(SharedRoutines, ParseStrCountsFromEitherEnd) {
    EXPECT_EQ(ParseStr("a,b,c", 0, ",", "def"), "def");
    EXPECT_EQ(ParseStr("a,b,c", 1, ",", "def"), "a");
    EXPECT_EQ(ParseStr("a,b,c", -1, ",", "def"), "c");
    EXPECT_EQ(ParseStr("a,b,c", -2, ",", "def"), "b");
    EXPECT_EQ(ParseStr("a,b,c", 4, ",", "def"), "def");
    EXPECT_EQ(ParseStr("a,,c", 2, ",", "def"), "");
    EXPECT_EQ(ParseStr("a,b,c", 2, "", "def"), "b");
    EXPECT_EQ(ParseStr("ab::cd::ef", -1, "::", ""), "ef");
}

TEST(SharedRoutines, AlignStrPadsAndCuts) {
    EXPECT_EQ(AlignStr("abc", 6, TAlignment::taLeftJustify), "abc   ");
    EXPECT_EQ(AlignStr("abc", 6, TAlignment::taRightJustify), "   abc");
    EXPECT_EQ(AlignStr("ab", 6, TAlignment::taCenter), "  ab  ");
    for (auto a : {TAlignment::taLeftJustify, TAlignment::taRightJustify, TAlignment::taCenter})
        EXPECT_EQ(AlignStr("abcde", 3, a), "abc");
}

TEST(SharedRoutines, FormatElapsedTimeRoundsToMillisecondsFirst) {
    const double sec = 1.0 / 86400.0;
    EXPECT_EQ(FormatElapsedTime(75 * sec), "1:15 minutes");
    EXPECT_EQ(FormatElapsedTime(3725 * sec), "1:02:05 hours");
    EXPECT_EQ(FormatElapsedTime(4.5 * sec), "4.50 seconds");
}

TEST(SharedRoutines, NumbersAndPaths) {
    bool err = true;
    EXPECT_EQ(CnvtStrToInt("42", err), 42);
    EXPECT_FALSE(err);
    EXPECT_EQ(CnvtStrToInt("4x", err), 0);
    EXPECT_TRUE(err);
    EXPECT_TRUE(IsNumeric("12.5"));
    EXPECT_FALSE(IsNumeric("12.5x"));
    EXPECT_EQ(FixFilePath("  ", true), "");
    EXPECT_EQ(FixFilePath(" /a/b ", true), "/a/b/");
    EXPECT_EQ(FixFilePath("/a/b/", false), "/a/b");
    EXPECT_EQ(StripSymbols("a-b_c 1!", "_"), "ab_c1");
}

TEST(SharedRoutines, FontStylesAsIntegers) {
    const TFontStyles s = CnvtIntToFontStyles(8 + 1 + 16);
    EXPECT_TRUE(s.Contains(TFontStyle::fsBold));
    EXPECT_TRUE(s.Contains(TFontStyle::fsStrikeOut));
    EXPECT_FALSE(s.Contains(TFontStyle::fsItalic));
    EXPECT_EQ(CnvtFontStylesToInt(s), 9);
}

TEST(SharedRoutines, BitIntRangeIsOneToThirtyTwo) {
    TBitInt b;
    b.SetBit(1, true);
    b.SetBit(32, true);
    EXPECT_TRUE(b.GetBit(1));
    EXPECT_TRUE(b.GetBit(32));
    b.ToggleBit(1);
    EXPECT_FALSE(b.GetBit(1));
    EXPECT_THROW(b.SetBit(33, true), EIntOverflow);
    EXPECT_THROW(b.GetBit(0), EIntOverflow);
    try {
        b.GetBit(40);
    } catch (const EIntOverflow& e) {
        EXPECT_EQ(e.Message, "Tabrix! Internal Error: TBitInt Ndx \"40\" is greater than 32");
    }
}

TEST(SharedRoutines, HintTextParts) {
    EXPECT_EQ(ParseHintText(false, "Short|Long text"), "Short Long text");
    EXPECT_EQ(ParseHintText(true, "Short|Long text"), "Long text");
    EXPECT_EQ(ParseHintText(true, "Plain"), "Plain");
}

TEST(SharedRoutines, HintTextTakesTheRunsDateOrElseItsTime) {
    // Outside a run the codes stay.
    EXPECT_EQ(ParseHintText(true, "Date|Printed ^D"), "Printed ^D");
    TRunScope run;
    run.PS().DateText = "12/31/99";
    run.PS().TimeText = "11:59 PM";
    EXPECT_EQ(ParseHintText(true, "Date|Printed ^D"), "Printed 12/31/99");
    // Only the first code is replaced, and the time only without a date code.
    EXPECT_EQ(ParseHintText(false, "At|^D ^T ^D"), "At 12/31/99 ^T ^D");
    EXPECT_EQ(ParseHintText(false, "At ^T, ^T"), "At 11:59 PM, ^T");
}
