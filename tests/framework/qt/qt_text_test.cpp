#include <gtest/gtest.h>

#include "framework/qt/qt_text.h"

namespace trx {
namespace {

TEST(QtTextTest, Utf8TextBecomesTheSameCharacters) {
    EXPECT_EQ(ToQString("Total: 1,234.50"), QStringLiteral("Total: 1,234.50"));
    EXPECT_EQ(ToQString("┌─┬┐│├┼┤└┴┘ Süd Café ß Αθήνα Москва 中文 😀 José"),
              QString::fromUtf8("┌─┬┐│├┼┤└┴┘ Süd Café ß Αθήνα Москва 中文 😀 José"));
    EXPECT_EQ(ToQString(""), QString());
}

TEST(QtTextTest, InvalidBytesAndControlsKeepTheirCells) {
    // One U+FFFD a byte, as many as the cells the text page gives them.
    EXPECT_EQ(ToQString("S\x81"
                        "d \xE4\xB8"),
              QString::fromUtf8("S\uFFFDd \uFFFD\uFFFD"));
    EXPECT_EQ(ToQString(std::string_view("a\tb\fc\0d\x7F", 8)), QStringLiteral("a b c d "));
}

} // namespace
} // namespace trx
