// How the long operations report their progress: each goes to the installed
// progress from Activate through its updates to Close, and the run status,
// which the progress may set while it has the updates, stops the loop at
// once. Without any progress installed every operation still runs to its
// end and shows nothing.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/report_fixture.h"
#include "engine/run_progress.h"
#include "framework/forms/application.h"
#include "framework/forms/form.h"

namespace trx::test {
namespace {

// A progress that notes what the operations tell it and, at one update,
// sets the run status as the progress window's Abort button does.
class FakeProgress : public TRunProgress {
public:
    struct TUpdate {
        int Current;
        int Total;
        TPoint Page;
    };
    struct TOperation {
        bool Visible = false;
        TForm* Owner = nullptr;
        std::string Title;
        std::string Captions;
        std::vector<TUpdate> Updates;
        bool Closed = false;
        bool ShowResult = false;
        std::string Msg;
    };

    void Activate(bool Visible, TForm* OwnerForm, const std::string& Title, const std::string& ResumeCaption,
                  const std::string& AbortCaption) override {
        Calls += "A";
        TOperation& op = Operations.emplace_back();
        op.Visible = Visible;
        op.Owner = OwnerForm;
        op.Title = Title;
        op.Captions = ResumeCaption + " / " + AbortCaption;
    }
    void Update(int& Current, int& Total, const TPoint& Page) override {
        if (Calls.empty() || Calls.back() != 'U') Calls += "U";
        if (Operations.empty()) return;
        std::vector<TUpdate>& updates = Operations.back().Updates;
        updates.push_back({Current, Total, Page});
        if (static_cast<int>(updates.size()) == StopAt) PrintSettings->OperStatus = StopWith;
    }
    void Close(bool ShowResult, const std::string& Msg) override {
        Calls += "C";
        if (Operations.empty() || Operations.back().Closed) return;
        Operations.back().Closed = true;
        Operations.back().ShowResult = ShowResult;
        Operations.back().Msg = Msg;
    }

    // The calls in order: A for Activate, C for Close, U for a run of updates.
    std::string Calls;
    std::vector<TOperation> Operations;
    // The update of each operation at which the run status becomes StopWith
    // (0: none).
    int StopAt = 0;
    TOperStatus StopWith = TOperStatus::osAbort;
};

// A text report of 150 rows on pages of 40 characters by 20 lines, its
// columns measured over every row, the progress shown; the tests install
// their own progress, or none.
class RunProgressTest : public ReportTest {
protected:
    RunProgressTest() {
        RS().OutputQuality = 0;
        RS().TxtCharsPageWid = 40;
        RS().LinesPerpage = 20;
        RS().DisplayProgressWindow = true;
        RS().Snugfit = TSnugfit::osAllRows;
        grid = Grid(3, Rows);
        owner = NewForm<TForm>(Application());
        owner->SetName("fmTBXMain");
        owner->Show();
        showProgress.reset();
    }
    void ExportTo(const std::string& Name) {
        RS().OutputDest = TOutputDest::odExportFile;
        RS().OutputFileName = dir.File(Name);
        RS().ExportFieldDelim = "44";
        RS().ExportQuote = "34";
    }

    static constexpr int Rows = 150;
    std::unique_ptr<TStringGrid> grid;
    TForm* owner = nullptr;
};

TEST_F(RunProgressTest, WithoutAProgressEveryOperationRunsToItsEnd) {
    for (const bool exporting : {false, true}) {
        SCOPED_TRACE(exporting ? "export" : "text file");
        if (exporting) ExportTo("items.csv");
        const int forms = Screen()->FormCount();
        StartRun(grid.get());
        EXPECT_EQ(OI().SizingStatus, TColSizingStatus::csCompleted);
        EXPECT_EQ(OI().RcdsDone, Rows);

        EXPECT_EQ(PrintRun(true, owner), 1);
        EXPECT_EQ(PS().OperStatus, TOperStatus::osCompleted);
        const std::vector<std::string> lines = SplitLines(ReadAll(RS().OutputFileName));
        if (exporting) {
            EXPECT_EQ(lines.size(), 1u + Rows); // the titles and every row
            EXPECT_EQ(lines.back(), "150,\"r150c0\",\"r150c1\",\"r150c2\"");
        } else {
            EXPECT_GT(PS().PagesOutput, 1);
            EXPECT_NE(Output().find("r150c2"), std::string::npos);
        }
        // Nothing was shown and nothing waits for the user.
        EXPECT_EQ(Screen()->FormCount(), forms);
        EXPECT_TRUE(owner->Enabled());
        EXPECT_TRUE(ui->CallsOf(TDialogKind::dkModalForm).empty());
    }
}

TEST_F(RunProgressTest, TheProgressSeesEachOperationFromActivateToClose) {
    for (const bool exporting : {false, true}) {
        SCOPED_TRACE(exporting ? "export" : "text file");
        if (exporting) ExportTo("items.csv");
        FakeProgress progress;
        const TRunProgressScope show(progress);
        StartRun(grid.get());
        EXPECT_EQ(PrintRun(true, owner), 1);

        // The column scan, then the run.
        EXPECT_EQ(progress.Calls, "AUCAUC");
        ASSERT_EQ(progress.Operations.size(), 2u);
        const FakeProgress::TOperation& scan = progress.Operations[0];
        EXPECT_TRUE(scan.Visible); // above 100 rows
        EXPECT_EQ(scan.Title, "");
        EXPECT_EQ(scan.Captions, "&Resume Column Scan / &Abort Column Scan");
        // Every data row, and once more when the columns are placed.
        ASSERT_EQ(scan.Updates.size(), Rows + 1u);
        for (int i = 0; i < Rows; ++i) EXPECT_EQ(scan.Updates[i].Current, i + 1);
        EXPECT_EQ(scan.Updates.back().Current, Rows);
        EXPECT_EQ(scan.Updates.back().Total, OI().Rows); // the grid's rows, its title row among them
        EXPECT_FALSE(scan.ShowResult);

        const FakeProgress::TOperation& run = progress.Operations[1];
        EXPECT_TRUE(run.Visible);
        EXPECT_EQ(run.Owner, owner);
        EXPECT_EQ(run.Title, "Report:Items");
        EXPECT_EQ(run.Captions, "&Resume Report / &Abort Report");
        ASSERT_FALSE(run.Updates.empty());
        EXPECT_TRUE(run.ShowResult);
        if (exporting) {
            // One update a line, titles included, without a page.
            ASSERT_EQ(run.Updates.size(), 1u + Rows);
            for (std::size_t i = 0; i < run.Updates.size(); ++i) {
                EXPECT_EQ(run.Updates[i].Current, static_cast<int>(i) + 1);
                EXPECT_EQ(run.Updates[i].Page, (TPoint{-1, -1}));
            }
            EXPECT_EQ(run.Msg.rfind("Elapsed Time: ", 0), 0u) << run.Msg;
        } else {
            // One update a page: the records done of all rows, and the page.
            ASSERT_EQ(run.Updates.size(), static_cast<std::size_t>(PS().PagesOutput));
            for (std::size_t i = 0; i < run.Updates.size(); ++i) {
                EXPECT_EQ(run.Updates[i].Total, OI().Rows);
                EXPECT_EQ(run.Updates[i].Page, (TPoint{1, static_cast<int>(i) + 1}));
            }
            EXPECT_EQ(run.Updates.back().Current, Rows);
            const std::string pages = std::to_string(PS().PagesOutput) + " Pages Printed. Elapsed Time: ";
            EXPECT_EQ(run.Msg.rfind(pages, 0), 0u) << run.Msg;
        }
    }
}

TEST(RunProgressScopeTest, AnInnerProgressGivesWayToTheOneBeforeIt) {
    FakeProgress outer, inner;
    int current = 1, total = 2;
    EXPECT_EQ(TRunProgress::Installed(), nullptr);
    UpdateProgressBar(current, total, TPoint{}); // nothing installed: nothing happens
    {
        const TRunProgressScope showOuter(outer);
        {
            const TRunProgressScope showInner(inner);
            UpdateProgressBar(current, total, TPoint{});
        }
        EXPECT_EQ(TRunProgress::Installed(), &outer);
        UpdateProgressBar(current, total, TPoint{});
        CloseProgressWindow(false, "");
    }
    EXPECT_EQ(TRunProgress::Installed(), nullptr);
    EXPECT_EQ(inner.Calls, "U");
    EXPECT_EQ(outer.Calls, "UC");
}

// Where the status is set, and what the run then gives back.
struct Stop {
    const char* Operation; // "scan", "text" or "export"
    TOperStatus Status;
    int Result; // of the run; the scan has none
};
void PrintTo(const Stop& S, std::ostream* Os) { *Os << S.Operation << " status " << static_cast<int>(S.Status); }

class RunProgressStopTest : public RunProgressTest, public ::testing::WithParamInterface<Stop> {};

TEST_P(RunProgressStopTest, AStatusSetDuringAnUpdateStopsTheLoopThere) {
    const Stop s = GetParam();
    const std::string operation = s.Operation;
    if (operation == "export") ExportTo("items.csv");
    FakeProgress progress;
    progress.StopWith = s.Status;
    if (operation == "scan") {
        progress.StopAt = 10;
        const TRunProgressScope show(progress);
        StartRun(grid.get());
        EXPECT_EQ(OI().SizingStatus, TColSizingStatus::csPartial);
        EXPECT_EQ(OI().RcdsDone, 10);
        EXPECT_EQ(progress.Calls, "AUC");
        EXPECT_TRUE(progress.Operations[0].ShowResult); // the outcome is shown
        return;
    }

    StartRun(grid.get());
    progress.StopAt = 3;
    const TRunProgressScope show(progress);
    EXPECT_EQ(PrintRun(), s.Result);
    EXPECT_EQ(PS().OperStatus, s.Status);
    EXPECT_EQ(progress.Calls, "AUC");
    ASSERT_EQ(progress.Operations.size(), 1u);
    EXPECT_EQ(progress.Operations[0].Updates.size(), 3u);
    if (operation == "export")
        EXPECT_EQ(SplitLines(ReadAll(RS().OutputFileName)).size(), 3u);
    else
        EXPECT_EQ(PS().PagesOutput, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, RunProgressStopTest,
    ::testing::Values(Stop{"scan", TOperStatus::osAbort, 0}, Stop{"scan", TOperStatus::osCancel, 0},
                      Stop{"text", TOperStatus::osAbort, 3}, Stop{"text", TOperStatus::osCancel, 2},
                      Stop{"export", TOperStatus::osAbort, 3}, Stop{"export", TOperStatus::osCancel, 2}),
    [](const ::testing::TestParamInfo<Stop>& Info) {
        return std::string(Info.param.Operation) +
               (Info.param.Status == TOperStatus::osAbort ? "Aborted" : "Cancelled");
    });

} // namespace
} // namespace trx::test
