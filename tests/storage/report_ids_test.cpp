// Report identifiers: the suffix, its validation and the repair of an
// identifier without one.
#include <gtest/gtest.h>

#include "framework/core/clock.h"
#include "framework/core/format.h"
#include "framework/core/math_util.h"
#include "framework/core/strings.h"
#include "storage/file_mgr.h"

namespace trx {
namespace {

bool IsSuffix(const std::string& S) {
    TtrxReportId id = S;
    return S.size() == 9 && TtrxFileMgr::ValidateReportIdSyntax(id, false);
}

TEST(ReportIds, NewSuffixesHaveThreeDigitsEach) {
    TFakeClock clock(46000.5, 998);
    TClockOverride use(clock);
    SetRandSeed(0);
    const int first = Random(999) + 1;
    SetRandSeed(0);
    EXPECT_EQ(TtrxFileMgr::GetNewReportId().str(), Format("(%.3d.999)", {first}));
    clock.Advance(1); // 999 ticks: the second number wraps to 1
    EXPECT_EQ(Copy(TtrxFileMgr::GetNewReportId().str(), 6, 4), "001)");
    for (int i = 0; i < 200; ++i) {
        clock.Advance(7);
        EXPECT_TRUE(IsSuffix(TtrxFileMgr::GetNewReportId().str()));
    }
}

TEST(ReportIds, ValidIdentifiersStayUnchanged) {
    for (const char* s : {"Sales (123.456)", "(001.999)", "Two words (000.000)", "x   (123.456)"}) {
        TtrxReportId id = s;
        EXPECT_TRUE(TtrxFileMgr::ValidateReportIdSyntax(id, true)) << s;
        EXPECT_EQ(id.str(), s);
    }
    for (const char* s : {"Sales", "Sales (12.456)", "Sales (123,456)", "Sales (1a3.456)", "Sales [123.456]",
                          "Sales (123.456)x", "Sales(123.456)", ""}) {
        TtrxReportId id = s;
        EXPECT_FALSE(TtrxFileMgr::ValidateReportIdSyntax(id, false)) << s;
        EXPECT_EQ(id.str(), s);
    }
}

TEST(ReportIds, RepairKeepsOnlyTheLastWord) {
    TtrxReportId id = "Sales";
    EXPECT_TRUE(TtrxFileMgr::ValidateReportIdSyntax(id, true));
    EXPECT_EQ(Copy(id.str(), 1, 6), "Sales ");
    EXPECT_TRUE(IsSuffix(Copy(id.str(), 7, 9)));

    id = "Monthly Sales";
    TtrxFileMgr::ValidateReportIdSyntax(id, true);
    EXPECT_EQ(Copy(id.str(), 1, 6), "Sales ");
    EXPECT_EQ(id.Length(), 15);

    id = std::string(25, 'w');
    TtrxFileMgr::ValidateReportIdSyntax(id, true);
    EXPECT_EQ(id.Length(), 30);
    EXPECT_EQ(Copy(id.str(), 1, 21), std::string(20, 'w') + " ");

    // The first 20 cells of a word, its characters whole.
    id = "Übersichtsaufstellungen";
    TtrxFileMgr::ValidateReportIdSyntax(id, true);
    EXPECT_EQ(id.str().substr(0, 22), "Übersichtsaufstellun ");
    EXPECT_TRUE(IsSuffix(id.str().substr(22)));

    id = "";
    TtrxFileMgr::ValidateReportIdSyntax(id, true);
    EXPECT_TRUE(IsSuffix(id.str()));
}

} // namespace
} // namespace trx
