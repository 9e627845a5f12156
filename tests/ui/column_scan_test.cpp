#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/trx_errors.h"
#include "framework/data/table.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/user_input.h"
#include "framework/grids/string_grid.h"
#include "support/sqlite_file.h"
#include "support/temp_dir.h"
#include "ui/progress_window.h"
#include "ui_fixture.h"

namespace trx::test {
namespace {

using P = TRegPlaneNdx;
using U = TUnitsOfMeasure;

// A clock that moves on every reading, so that a loop's progress updates let
// the messages through now and then.
class SteppingClock : public TFakeClock {
public:
    int64_t TickCount() override {
        Advance(200);
        return TFakeClock::TickCount();
    }
};

// The column scan of the options dialog, on a text-quality page 80
// characters wide.
class ColumnScanTest : public UiTest {
protected:
    ColumnScanTest() : steppingOverride_(stepping) {
        Screen()->SetSize(1024, 768);
        dialog = NewForm<TForm>(Application());
        dialog->SetName("fmTBXMain");
        dialog->Show();
        pagesAcross = new TPanel(dialog);
        pagesAcross->SetParent(dialog);
        RS().OutputQuality = 0;
        RS().DisplayProgressWindow = true;
        RS().MaxStringColWid[U::umTxt] = 40;
        RS().CellMargin[U::umTxt] = TRect{1, 0, 1, 0};
        PS().SetUnits();
        PS().PageWid = 80;
        PS().CharCell[TXyDir::dX][U::umPix] = 8;
        OI().ComponentName = "TrxTabrix1";
    }
    ~ColumnScanTest() override { grid.reset(); }

    TPrintSettings& PS() { return globals->PS(); }
    TtrxReportSettings& RS() { return globals->RS(); }
    TObjInfo& OI() { return globals->OI(); }

    // A string grid with a title row: "Name" over data rows whose names grow
    // with the row; the title of the second column is the longest text in it.
    void MakeGrid(int DataRows) {
        grid = std::make_unique<TStringGrid>(nullptr);
        grid->SetName("sgItems");
        grid->SetColCount(2);
        grid->SetRowCount(DataRows + 1);
        grid->SetFixedCols(0);
        grid->SetFixedRows(1);
        grid->SetCells(0, 0, "Name");
        grid->SetCells(1, 0, "A long title over short data");
        for (int r = 1; r <= DataRows; ++r) {
            grid->SetCells(0, r, std::string(static_cast<std::size_t>(1 + r % 30), 'n'));
            grid->SetCells(1, r, std::to_string(r));
        }
        Define(grid.get());
    }
    void Define(TComponent* Obj) {
        OI().ObjectToPrint = Obj;
        OI().DefineObj();
        OI().CalcRows();
    }
    int Len(int Col, P Plane) { return OI().Col(Col).StrWids[Plane][U::umTxt].Wid; }
    void Queue(std::function<void()> Input) { Application()->QueueInput(std::move(Input)); }
    void Scan() { OI().CalcColWids(nullptr, pagesAcross, nullptr); }

    SteppingClock stepping;
    TForm* dialog = nullptr;
    TPanel* pagesAcross = nullptr;
    std::unique_ptr<TStringGrid> grid;

private:
    TClockOverride steppingOverride_;
};

TEST_F(ColumnScanTest, EveryDataRowOfAGridIsMeasuredOnce) {
    MakeGrid(40);
    OI().Eof = true; // left from an earlier walk
    Scan();
    EXPECT_EQ(OI().RcdsDone, 40);
    EXPECT_EQ(OI().SizingStatus, TColSizingStatus::csCompleted);
    EXPECT_EQ(PS().OperStatus, TOperStatus::osCompleted);
    EXPECT_EQ(PS().Oper, TOper::opCalcColWidths);
    EXPECT_EQ(Len(0, P::plFirst), 4);
    EXPECT_EQ(Len(0, P::plMiddle), 30);
    // The data plane holds data only: the title row is not read as data.
    EXPECT_EQ(Len(1, P::plFirst), 28);
    EXPECT_EQ(Len(1, P::plMiddle), 2);
    EXPECT_EQ(OI().Col(1).StrWids[P::plMiddle][U::umTxt].Str, "10");
    // Placed, and the panel says so.
    EXPECT_EQ(OI().Col(0).PageAcross, 1);
    EXPECT_GT(OI().Col(1).TotalWid, 0);
    EXPECT_EQ(pagesAcross->Caption(), "1 Page Across");
    EXPECT_EQ(fmProgress, nullptr);
    EXPECT_TRUE(ui->CallsOf(TDialogKind::dkModalForm).empty());
}

TEST_F(ColumnScanTest, WithoutScanningAGridShowsItsOnScreenWidths) {
    MakeGrid(40);
    RS().Snugfit = TSnugfit::osNoRows;
    PS().OutPixPerInch[TXyDir::dX] = 300;
    PS().ScreenPixPerInch[TXyDir::dX] = 100;
    grid->SetColWidths(0, 50);
    Scan();
    // The first data row, then the last row once more, and done.
    EXPECT_EQ(OI().RcdsDone, 1);
    EXPECT_EQ(OI().CurCell.Y, 40);
    EXPECT_EQ(OI().Col(0).StrWids[P::plMiddle][U::umPix].Wid, 150);
    EXPECT_EQ(OI().SizingStatus, TColSizingStatus::csCompleted);
}

TEST_F(ColumnScanTest, TheWindowShowsAboveOneHundredRows) {
    // The grid's row count with its title row is the limit: 100 rows show no window.
    for (int rows : {99, 100}) {
        MakeGrid(rows);
        std::vector<int> widths;
        bool ownerEnabled = true;
        Queue([&] {
            widths.push_back(fmProgress ? fmProgress->Width() : -1);
            ownerEnabled = dialog->Enabled();
        });
        Scan();
        ASSERT_EQ(widths.size(), 1u) << rows;
        if (rows == 99) {
            EXPECT_EQ(widths[0], 0); // there, but invisible
        } else {
            EXPECT_GT(widths[0], 0);
        }
        EXPECT_FALSE(ownerEnabled); // the dialog waits while the scan runs
        EXPECT_TRUE(dialog->Enabled());
        EXPECT_EQ(fmProgress, nullptr);
        EXPECT_EQ(OI().RcdsDone, rows);
    }
}

TEST_F(ColumnScanTest, AnAbortEndsWithAPartialScanThatIsStillPlaced) {
    MakeGrid(300);
    Queue([] { UserClick(fmProgress->bbCancel); });
    ui->OnModal("fmProgress", [](TCustomForm&) { UserClick(fmProgress->bbAbortOper); });
    ui->OnModal("fmProgress", [](TCustomForm& f) {
        TfmProgress& fm = static_cast<TfmProgress&>(f);
        EXPECT_EQ(fm.paStatusBar->Caption(), "Calculated Column Widths --Terminated With Error--");
        UserClick(fm.bbOk);
    });
    Scan();
    EXPECT_EQ(PS().OperStatus, TOperStatus::osAbort);
    EXPECT_EQ(OI().SizingStatus, TColSizingStatus::csPartial);
    EXPECT_GT(OI().RcdsDone, 0);
    EXPECT_LT(OI().RcdsDone, 300);
    EXPECT_EQ(Len(1, P::plFirst), 28);
    EXPECT_GT(Len(0, P::plMiddle), 0);
    EXPECT_EQ(OI().Col(1).PageAcross, 1);
    EXPECT_GT(OI().Col(1).TotalWid, 0);
    EXPECT_EQ(fmProgress, nullptr);
    EXPECT_TRUE(dialog->Enabled());
    EXPECT_EQ(ui->PendingSteps(), 0u);
}

TEST_F(ColumnScanTest, AFailureStillClosesTheWindow) {
    MakeGrid(120);
    grid->SetColCount(3);
    grid->SetCells(2, 1, "data");
    grid->SetFixedCols(2); // two row-title columns that do not fit side by side
    Define(grid.get());
    RS().RepeatRowTitles = true;
    PS().PageWid = 20;
    ui->AnswerMessage(mrCancel, "Row Titles are too large");
    EXPECT_THROW(Scan(), ETrxSUError);
    EXPECT_EQ(fmProgress, nullptr);
    EXPECT_TRUE(dialog->Enabled());
    EXPECT_EQ(OI().SizingStatus, TColSizingStatus::csCompleted);
}

TEST_F(ColumnScanTest, LimitedRowsOfADataSet) {
    TempDir dir;
    std::string sql = "CREATE TABLE items(id INTEGER PRIMARY KEY, name VARCHAR(40));";
    for (int i = 1; i <= 10; ++i)
        sql += "INSERT INTO items VALUES(" + std::to_string(i) + ", '" +
               std::string(static_cast<std::size_t>(i == 7 ? 35 : i), 'x') + "');";
    SqliteFile file(dir.File("items.db"), sql);
    TTable table;
    table.SetName("tblItems");
    table.SetDatabaseName(file.FileName());
    table.SetTableName("items");
    RS().CountNumRcds = true;
    Define(&table);
    ASSERT_EQ(OI().Rows, 10);

    RS().Snugfit = TSnugfit::osLimitedRows;
    RS().MaxRowsToSnugfit = 5;
    Scan();
    EXPECT_EQ(OI().RcdsDone, 5);
    EXPECT_EQ(Len(1, P::plMiddle), 5); // the long name of record 7 was not read

    RS().Snugfit = TSnugfit::osAllRows;
    Scan();
    EXPECT_EQ(OI().RcdsDone, 10);
    EXPECT_EQ(Len(1, P::plMiddle), 35);

    // A grid without a dataset is always scanned whole.
    MakeGrid(12);
    RS().Snugfit = TSnugfit::osLimitedRows;
    RS().MaxRowsToSnugfit = 3;
    Scan();
    EXPECT_EQ(OI().RcdsDone, 12);
}

} // namespace
} // namespace trx::test
