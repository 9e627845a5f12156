#include <gtest/gtest.h>

#include <optional>

#include "engine/run_scope.h"
#include "engine/trx_errors.h"

using namespace trx;

namespace {

bool NoRunObjects() { return !PrintSettings && !RptStyles && !ObjInfo && !ReportSettings; }

TEST(RunScope, TheGlobalsAreTheScopesObjectsForItsLifetimeOnly) {
    ASSERT_TRUE(NoRunObjects());
    {
        TRunScope run;
        EXPECT_EQ(PrintSettings, &run.PS());
        EXPECT_EQ(RptStyles, &run.Styles());
        EXPECT_EQ(ObjInfo, &run.OI());
        EXPECT_EQ(ReportSettings, &run.RS());
        run.RS().PanelsAcrossPage = 7;
    }
    EXPECT_TRUE(NoRunObjects());
    // A later run starts from fresh objects.
    TRunScope again;
    EXPECT_EQ(ReportSettings, &again.RS());
    EXPECT_EQ(again.RS().PanelsAcrossPage, 0);
}

// The globals are single: a second run while one is open would replace the
// first run's objects under it.
TEST(RunScope, ASecondRunWhileOneIsOpenIsRefusedAndLeavesTheFirstAlone) {
    TRunScope first;
    first.RS().PanelsAcrossPage = 7;
    std::optional<TRunScope> second;
    try {
        second.emplace();
        FAIL() << "a second run opened";
    } catch (const eTrxIntError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Internal Error: [TRunScope] a report run is already open");
    }
    EXPECT_EQ(PrintSettings, &first.PS());
    EXPECT_EQ(RptStyles, &first.Styles());
    EXPECT_EQ(ObjInfo, &first.OI());
    EXPECT_EQ(ReportSettings, &first.RS());
    EXPECT_EQ(ReportSettings->PanelsAcrossPage, 7);
}

// Any one global set by other code counts as an open run.
TEST(RunScope, AnyGlobalAlreadySetRefusesTheRun) {
    TRptStyles styles;
    RptStyles = &styles;
    EXPECT_THROW(TRunScope(), eTrxIntError);
    EXPECT_EQ(RptStyles, &styles);
    EXPECT_FALSE(PrintSettings);
    RptStyles = nullptr;
}

} // namespace
