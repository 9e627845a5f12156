#include <gtest/gtest.h>

#include "engine/print_settings.h"
#include "engine/run_scope.h"
#include "framework/core/format.h"
#include "framework/printing/virtual_printer.h"

using namespace trx;

namespace {

class PageNumbersTest : public ::testing::Test {
protected:
    TVirtualPrinterOverride printer;
    TRunScope run;
    TPrintSettings& PS = run.PS();
};

TEST_F(PageNumbersTest, FormattedWithLiteralLabel) {
    PS.CurPage = TPoint{2, 7};
    PS.PagesAcross = 1;
    EXPECT_EQ(PS.FormattedPageNum(), "7");
    PS.PagesAcross = 3;
    EXPECT_EQ(PS.FormattedPageNum(), "7-2");
    run.RS().MemoPageFormatStr = "Page";
    EXPECT_EQ(PS.FormattedPageNum(), "Page 7-2");
    // The label is text, not a format: percent signs stay as they are and
    // read no arguments.
    run.RS().MemoPageFormatStr = "100% %s %d";
    PS.PagesAcross = 1;
    EXPECT_EQ(PS.FormattedPageNum(), "100% %s %d 7");
}

TEST_F(PageNumbersTest, ExtractParts) {
    EXPECT_EQ(TPrintSettings::ExtractPageNumStr("5-2", TXyDir::dY), "5");
    EXPECT_EQ(TPrintSettings::ExtractPageNumStr("5-2", TXyDir::dX), "2");
    EXPECT_EQ(TPrintSettings::ExtractPageNumStr("5", TXyDir::dY), "5");
    EXPECT_EQ(TPrintSettings::ExtractPageNumStr("5", TXyDir::dX), "");
    EXPECT_EQ(TPrintSettings::ExtractPageNumStr("5-2-1", TXyDir::dX), "2-1");
    EXPECT_EQ(TPrintSettings::ExtractPageNumStr("", TXyDir::dY), "");

    bool error = true;
    EXPECT_EQ(TPrintSettings::ExtractPageNum("5-", TXyDir::dX, error), 0);
    EXPECT_FALSE(error);
    EXPECT_EQ(TPrintSettings::ExtractPageNum("5-12", TXyDir::dX, error), 12);
    EXPECT_FALSE(error);
    TPrintSettings::ExtractPageNum("5-x", TXyDir::dX, error);
    EXPECT_TRUE(error);
    TPrintSettings::ExtractPageNum("", TXyDir::dY, error);
    EXPECT_TRUE(error);
    TPrintSettings::ExtractPageNum("5-2-1", TXyDir::dX, error);
    EXPECT_TRUE(error);
}

TEST_F(PageNumbersTest, NegativePartsAreInvalid) {
    bool error = false;
    EXPECT_EQ(TPrintSettings::ExtractPageNum("5--3", TXyDir::dX, error), 0);
    EXPECT_TRUE(error);
    EXPECT_FALSE(TPrintSettings::ChkForNumericPageNum("5--3"));
    EXPECT_FALSE(TPrintSettings::ChkForNumericPageNum("-5"));
    EXPECT_TRUE(TPrintSettings::ChkForNumericPageNum("5"));
    EXPECT_TRUE(TPrintSettings::ChkForNumericPageNum("5-3"));
    EXPECT_FALSE(TPrintSettings::ChkForNumericPageNum("a-3"));
    EXPECT_FALSE(TPrintSettings::ChkForNumericPageNum("3-a"));
}

TEST_F(PageNumbersTest, OrderIsArithmeticWhateverTheSeparator) {
    const char saved = FormatSettings().DecimalSeparator;
    for (char sep : {'.', ','}) {
        FormatSettings().DecimalSeparator = sep;
        EXPECT_DOUBLE_EQ(TPrintSettings::CnvtPageNumStrToDouble("3-12"), 3.0012);
        EXPECT_DOUBLE_EQ(TPrintSettings::CnvtPageNumStrToDouble("3-2"), 3.0002);
        EXPECT_GT(TPrintSettings::CnvtPageNumStrToDouble("3-12"), TPrintSettings::CnvtPageNumStrToDouble("3-2"));
        EXPECT_GT(TPrintSettings::CnvtPageNumStrToDouble("4"), TPrintSettings::CnvtPageNumStrToDouble("3-9999"));
        EXPECT_DOUBLE_EQ(TPrintSettings::CnvtPageNumToDouble(TPoint{0, 5}), 5.0);
        EXPECT_LT(TPrintSettings::CnvtPageNumToDouble(TPoint{2, 5}), TPrintSettings::CnvtPageNumToDouble(TPoint{0, 6}));
    }
    FormatSettings().DecimalSeparator = saved;
    // Errors are ignored: a bad part counts as 0.
    EXPECT_DOUBLE_EQ(TPrintSettings::CnvtPageNumStrToDouble("x-3"), 0.0003);
}

} // namespace
