#include <gtest/gtest.h>

#include "framework/core/code_page_437.h"

using namespace trx;

namespace {

TEST(CodePage437, IbmLineDrawingBytesBecomeBoxCharacters) {
    // Corners, tees, lines and crossing of the IBM table set.
    EXPECT_EQ(Cp437ToUtf8("\xDA\xC4\xC2\xBF\xB3\xC3\xC5\xB4\xC0\xC1\xD9"), "┌─┬┐│├┼┤└┴┘");
    EXPECT_EQ(Cp437ToUtf8("\xC9\xCD\xBB\xBA\xC8\xBC\xB0\xDB\xFE"), "╔═╗║╚╝░█■");
    EXPECT_EQ(Cp437CharToUtf8(0xB3), "│");
    EXPECT_EQ(Cp437ToUnicode(0xC4), char32_t{0x2500});
}

TEST(CodePage437, TextKeepsOneCharacterPerByte) {
    EXPECT_EQ(Cp437ToUtf8("Total: 1,234.50"), "Total: 1,234.50");
    EXPECT_EQ(Cp437ToUtf8("S\x81"
                          "d Caf\x82 \xE1"),
              "Süd Café ß");
    // Control bytes stay what they are: line ends and form feeds pass.
    EXPECT_EQ(Cp437ToUtf8(std::string("a\tb\fc\0d\x7F", 8)), std::string("a\tb\fc\0d\x7F", 8));
    EXPECT_EQ(Cp437ToUtf8(""), "");
}

TEST(CodePage437, EveryByteComesBackFromItsCharacter) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp437(Cp437ToUtf8(byte)), byte) << b;
    }
}

TEST(CodePage437, CharactersTheCodePageLacksBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp437("Z\xC3\xBCrich \xE2\x94\x82 \xCE\xB1\xCE\xB2"), "Z\x81rich \xB3 \xE0?"); // Zürich │ αβ
    EXPECT_EQ(Utf8ToCp437("\xD0\x96"), "?"); // Ж
    EXPECT_EQ(Utf8ToCp437("M\xFCller"), "M?ller"); // an invalid byte
    // A wide character keeps its two cells; a letter and its accent are
    // the accented letter, or the letter alone.
    EXPECT_EQ(Utf8ToCp437("\xE4\xB8\xAD|\xF0\x9F\x98\x80|"), "??|??|");
    EXPECT_EQ(Utf8ToCp437("Jose\xCC\x81|"), "Jos\x82|");
    EXPECT_EQ(Utf8ToCp437("q\xCC\x81|"), "q|");
}

} // namespace
