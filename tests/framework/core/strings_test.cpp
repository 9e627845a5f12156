#include <gtest/gtest.h>

#include "framework/core/exceptions.h"
#include "framework/core/strings.h"

using namespace trx;

TEST(Strings, CopyClampsStartAndTreatsNonPositiveCountAsEmpty) {
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abcdef", 0, 2), "ab");
    EXPECT_EQ(Copy("abcdef", -5, 3), "abc");
    EXPECT_EQ(Copy("abcdef", 3, 0), "");
    EXPECT_EQ(Copy("abcdef", 3, -1), "");
    EXPECT_EQ(Copy("abcdef", 7, 1), "");
    EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
}

TEST(Strings, PosIsOneBasedAndZeroWhenAbsent) {
    EXPECT_EQ(Pos("cd", "abcdcd"), 3);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
}

TEST(Strings, DeleteAndInsert) {
    std::string s = "abcdef";
    Delete(s, 2, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 0, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 3, 100);
    EXPECT_EQ(s, "ad");
    Insert("XY", s, 2);
    EXPECT_EQ(s, "aXYd");
    Insert("!", s, 99);
    EXPECT_EQ(s, "aXYd!");
}

TEST(Strings, TrimRemovesControlCharactersToo) {
    EXPECT_EQ(Trim(" \t\r\nab c\x01 "), "ab c");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
}

TEST(Strings, CaseRulesAreAsciiOnly) {
    EXPECT_EQ(UpperCase("ab\x82z"), "AB\x82Z");
    EXPECT_EQ(LowerCase("AB\x90Z"), "ab\x90z");
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("abc", "abd"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
    EXPECT_TRUE(SameText("Default", "DEFAULT"));
}

TEST(Strings, StrToIntRaisesConvertError) {
    EXPECT_EQ(StrToInt("  -42"), -42);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_THROW(StrToInt("2147483648"), EConvertError);
    EXPECT_THROW(StrToInt("12 "), EConvertError);
    EXPECT_THROW(StrToInt(""), EConvertError);
    try {
        StrToInt("x1");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'x1' is not a valid integer value");
    }
    EXPECT_EQ(StrToIntDef("abc", 7), 7);
    int v = 0, code = 0;
    Val("12a", v, code);
    EXPECT_EQ(code, 3);
}

TEST(Strings, ShortStringCutsOnAssignment) {
    ShortString<8> user = "ABCDEFGHIJ";
    EXPECT_EQ(user.str(), "ABCDEFGH");
    user = std::string("xy");
    EXPECT_EQ(user.Length(), 2);
    EXPECT_EQ(user[1], 'x');
    ShortString<3> delim;
    EXPECT_TRUE(delim.empty());
    // Characters count by their cells and are never split.
    user = "Müllerhaus";
    EXPECT_EQ(user.str(), "Müllerha");
    delim = "中文";
    EXPECT_EQ(delim.str(), "中");
    delim = "§";
    EXPECT_EQ(delim.str(), "§");
}
