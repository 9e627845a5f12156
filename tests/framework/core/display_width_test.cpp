#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/display_width.h"

using namespace trx;

namespace {

// Wide: a CJK ideograph (3 bytes) and an emoji (4 bytes); no width: a
// combining acute accent.
const std::string Zhong = "\xE4\xB8\xAD"; // 中
const std::string Smile = "\xF0\x9F\x98\x80"; // 😀
const std::string Acute = "\xCC\x81";

TEST(DisplayWidth, CountsCellsNotBytes) {
    struct Case {
        std::string Text;
        int Cells;
    };
    const std::vector<Case> cases = {
        {"", 0},
        {"Zurich, a plain ASCII text of more than eight bytes", 51},
        {"Z\xC3\xBCrich", 6}, // Zürich
        {"\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1", 5}, // Αθήνα
        {"\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", 6}, // Москва
        {Zhong + "\xE6\x96\x87", 4}, // 中文
        {Smile, 2},
        {"Jose" + Acute, 4},
        {"\xE2\x94\x8C\xE2\x94\x80\xE2\x94\x90", 3}, // ┌─┐
        {"a\xFF"
         "b",
         3}, // an invalid byte is one U+FFFD
        {"\xE4\xB8", 2}, // a cut sequence: each byte one U+FFFD
        {"\xC0\xAF", 2}, // an overlong form
        {"\xED\xA0\x80", 3}, // a surrogate
        {"tab\there", 8}, // a control character keeps a cell
    };
    for (const Case& c : cases) EXPECT_EQ(DisplayWidth(c.Text), c.Cells) << c.Text;
}

TEST(DisplayWidth, NextCharDecodesOrGivesTheReplacementForOneByte) {
    const std::string s = "A\xC3\xBC" + Zhong + Smile + "\x80" + "\xF4\x90\x80\x80";
    std::size_t i = 0;
    std::vector<char32_t> chars;
    std::vector<std::size_t> ends;
    while (i < s.size()) {
        chars.push_back(NextChar(s, i));
        ends.push_back(i);
    }
    EXPECT_EQ(chars, (std::vector<char32_t>{U'A', 0xFC, 0x4E2D, 0x1F600, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}));
    EXPECT_EQ(ends, (std::vector<std::size_t>{1, 3, 6, 10, 11, 12, 13, 14, 15}));
}

TEST(DisplayWidth, CutsWholeCharactersOnly) {
    struct Case {
        std::string Text;
        int W;
        std::string Cut;
    };
    const std::vector<Case> cases = {
        {"abcdef", 3, "abc"},
        {"abc", 5, "abc"},
        {"abc", 0, ""},
        {"Z\xC3\xBCrich", 2, "Z\xC3\xBC"},
        {"ab" + Zhong + "c", 3, "ab"}, // the wide character would pass the width
        {"ab" + Zhong + "c", 4, "ab" + Zhong},
        {"Jose" + Acute + "!", 4, "Jose" + Acute}, // the accent stays with its letter
        {"abc" + Acute, 3, "abc" + Acute},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CutToWidth(c.Text, c.W), c.Cut) << c.Text << " in " << c.W;
        EXPECT_TRUE(IsValidUtf8(CutToWidth(c.Text, c.W)));
    }
    EXPECT_EQ(FitToWidth("ab" + Zhong + "c", 3), "ab ");
    EXPECT_EQ(FitToWidth("\xC3\xBC", 3), "\xC3\xBC  ");
}

TEST(DisplayWidth, PutCellsOverwritesCellsWhateverTheirBytes) {
    struct Case {
        std::string Line;
        int Col, Count;
        std::string Text;
        int Before;
        std::string Result;
    };
    const std::string bar = "\xE2\x94\x82"; // │
    const std::vector<Case> cases = {
        {"abcdefgh", 3, 4, "XY", 1, "ab XY gh"},
        {"ab", 5, 2, "Z", 0, "ab  Z "}, // filled up to the cells
        {bar + "    " + bar, 2, 4, "Z\xC3\xBC", 0, bar + "Z\xC3\xBC  " + bar},
        {bar + "Z\xC3\xBCrich" + bar, 1, 1, "|", 0, "|Z\xC3\xBCrich" + bar},
        {"a" + Zhong + "b", 2, 1, "x", 0, "ax b"}, // the other half of a cut wide character is a blank
        {"a" + Zhong + "b", 3, 1, "x", 0, "a xb"},
        {"a" + Zhong + Zhong + "b", 3, 2, "xy", 0, "a xy b"},
        {"ae" + Acute + "b", 2, 1, "x", 0, "axb"}, // the accent goes with its letter
        {"ae" + Acute + "b", 3, 1, "x", 0, "ae" + Acute + "x"},
        {"abc", 2, 2, Zhong, 0, "a" + Zhong}, // a text as wide as the cells
    };
    for (const Case& c : cases) {
        std::string line = c.Line;
        PutCells(line, c.Col, c.Count, c.Text, c.Before);
        EXPECT_EQ(line, c.Result) << c.Line << " at " << c.Col;
    }
}

TEST(DisplayWidth, CopyAndDeleteCells) {
    const std::string s = "a" + Zhong + "b\xC3\xBC" + "c";
    EXPECT_EQ(CopyCells(s, 1, 3), "a" + Zhong);
    EXPECT_EQ(CopyCells(s, 2, 1), " ");
    EXPECT_EQ(CopyCells(s, 3, 3), " b\xC3\xBC");
    EXPECT_EQ(CopyCells(s, 6, 3), "c");
    EXPECT_EQ(CopyCells(s, 9, 3), "");
    std::string d = s;
    DeleteCells(d, 3, 2);
    EXPECT_EQ(d,
              "a \xC3\xBC"
              "c");
    d = s;
    DeleteCells(d, 4, 2);
    EXPECT_EQ(d, "a" + Zhong + "c");
}

TEST(DisplayWidth, InvalidBytesBecomeTheReplacementCharacter) {
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("Z\xC3\xBCrich \xEF\xBF\xBD" + Smile));
    EXPECT_FALSE(IsValidUtf8("M\xFCller")); // Latin-1
    EXPECT_EQ(ValidUtf8("M\xFCller"), "M\xEF\xBF\xBDller");
    EXPECT_EQ(ValidUtf8("\xE4\xB8"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(ValidUtf8("ok " + Zhong), "ok " + Zhong);
}

TEST(DisplayWidth, WordAndLetterCharactersOfEveryScript) {
    for (char32_t c :
         {U'a', U'Z', U'0', U'/', char32_t{0xFC}, char32_t{0x3B1}, char32_t{0x416}, char32_t{0x4E2D}, char32_t{0x301}})
        EXPECT_TRUE(IsWordChar(c)) << static_cast<int>(c);
    for (char32_t c : {U' ', U'-', U'.', U'^', char32_t{0x2502}, char32_t{0xA0}, char32_t{0x1F600}})
        EXPECT_FALSE(IsWordChar(c)) << static_cast<int>(c);
    EXPECT_TRUE(IsLetterChar(0xE9));
    EXPECT_FALSE(IsLetterChar(U'7'));
    EXPECT_FALSE(IsLetterChar(U' '));
}

} // namespace

namespace {

TEST(DisplayWidth, ACellWriterWritesAsPutCellsWhateverChangedTheLineBefore) {
    const std::string bar = "\xE2\x94\x82"; // │
    TCellWriter writer;
    std::string line(12, ' ');
    // Left to right, as a row of a table is written.
    writer.PutCells(line, 0, 1, 1, bar);
    writer.PutCells(line, 0, 2, 4, "Z\xC3\xBC", 1);
    writer.PutCells(line, 0, 6, 1, bar);
    writer.PutCells(line, 0, 7, 4, Zhong, 0);
    writer.PutCells(line, 0, 11, 1, bar);
    EXPECT_EQ(line, bar + " Z\xC3\xBC " + bar + Zhong + "  " + bar + " ");
    // Back to the left, and a line changed by something else.
    writer.PutCells(line, 0, 3, 1, "x");
    EXPECT_EQ(line, bar + " x\xC3\xBC " + bar + Zhong + "  " + bar + " ");
    line = Smile + "abcdefghij";
    writer.PutCells(line, 0, 12, 1, "!");
    EXPECT_EQ(line, Smile + "abcdefghi!");
    // Another line has a place of its own.
    std::string other = "0123456789";
    writer.PutCells(other, 1, 4, 2, Zhong);
    writer.PutCells(line, 0, 3, 1, "A");
    EXPECT_EQ(other, "012" + Zhong + "56789");
    EXPECT_EQ(line, Smile + "Abcdefghi!");
}

} // namespace
