#include <gtest/gtest.h>

#include "framework/qt/oem_text.h"

namespace trx {
namespace {

TEST(OemTextTest, IbmLineDrawingBytesBecomeBoxCharacters) {
    // Corners, tees, lines and crossing of the IBM table set.
    EXPECT_EQ(OemToUnicode("\xDA\xC4\xC2\xBF\xB3\xC3\xC5\xB4\xC0\xC1\xD9"), QString::fromUtf8("┌─┬┐│├┼┤└┴┘"));
    EXPECT_EQ(OemToUnicode("\xC9\xCD\xBB\xBA\xC8\xBC\xB0\xDB\xFE"), QString::fromUtf8("╔═╗║╚╝░█■"));
}

TEST(OemTextTest, TextKeepsOneCharacterPerByte) {
    EXPECT_EQ(OemToUnicode("Total: 1,234.50"), QStringLiteral("Total: 1,234.50"));
    EXPECT_EQ(OemToUnicode("S\x81"
                           "d Caf\x82 \xE1"),
              QString::fromUtf8("Süd Café ß"));
    // Control bytes keep their cell as blanks, so the columns after them stay put.
    EXPECT_EQ(OemToUnicode(std::string("a\tb\fc\0d\x7F", 8)), QStringLiteral("a b c d "));
    EXPECT_EQ(OemToUnicode(""), QString());
}

} // namespace
} // namespace trx
