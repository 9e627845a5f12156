// Stepping through rows and records, to the end and again.
#include "adapter_fixture.h"

#include "framework/data/mem_dataset.h"
#include "framework/grids/outline.h"
#include "framework/grids/tree_view.h"

namespace trx::test {
namespace {

// The data-plane texts of column Col from the first row to the end.
std::vector<std::string> Walk(TObjInfo& OI, int Col) {
    std::vector<std::string> texts;
    if (!OI.GetFirstRcd()) return texts;
    do texts.push_back(OI.GetColData(TRegPlaneNdx::plMiddle, Col, true));
    while (!OI.GetNextRcd(TRegPlaneNdx::plMiddle, false));
    return texts;
}

TEST_F(AdapterTest, StringGridStepsToItsLastDataRow) {
    auto sg = Grid(3, 4);
    sg->SetCells(1, 3, ""); // the last row still counts by its other cells
    EXPECT_EQ(Define(sg.get()), "");
    EXPECT_EQ(OI.Rows, 4);
    EXPECT_EQ(OI.FirstData, (TPoint{1, 1}));
    PS.LineNum = 0;
    ASSERT_TRUE(OI.GetFirstRcd());
    EXPECT_EQ(OI.CurCell, (TPoint{1, 1}));
    EXPECT_EQ(PS.LineNum, 1);
    EXPECT_FALSE(OI.Eof);
    EXPECT_FALSE(OI.GetNextRcd(TRegPlaneNdx::plMiddle, false));
    EXPECT_FALSE(OI.GetNextRcd(TRegPlaneNdx::plMiddle, false));
    EXPECT_EQ(OI.CurCell.Y, 3);
    EXPECT_EQ(PS.LineNum, 3);
    EXPECT_TRUE(OI.GetNextRcd(TRegPlaneNdx::plMiddle, false)); // the end: nothing moves
    EXPECT_TRUE(OI.Eof);
    EXPECT_EQ(OI.CurCell.Y, 3);
    EXPECT_EQ(PS.LineNum, 3);

    // Title rows move the cell but count no line.
    OI.CurCell = OI.Start;
    EXPECT_FALSE(OI.GetNextRcd(TRegPlaneNdx::plFirst, false));
    EXPECT_EQ(OI.CurCell.Y, 1);
    EXPECT_EQ(PS.LineNum, 3);
    EXPECT_FALSE(OI.GetNextRcd(TRegPlaneNdx::plMiddle, true));
    EXPECT_EQ(OI.CurCell.Y, 3);

    EXPECT_EQ(Walk(OI, 1), (std::vector<std::string>{"c1r1", "c1r2", ""}));
    EXPECT_EQ(Walk(OI, 2), (std::vector<std::string>{"c2r1", "c2r2", "c2r3"}));
}

TEST_F(AdapterTest, TitleRowsAloneGiveNoDataRow) {
    auto sg = Grid(3, 4);
    for (int c = 0; c < 3; ++c)
        for (int r = 1; r < 4; ++r) sg->SetCells(c, r, "");
    EXPECT_EQ(Define(sg.get()), "");
    EXPECT_EQ(OI.Rows, 1);
    PS.LineNum = 0;
    EXPECT_FALSE(OI.GetFirstRcd());
    EXPECT_TRUE(OI.Eof);
    EXPECT_EQ(PS.LineNum, 0);
    EXPECT_EQ(OI.CurCell, (TPoint{-1, -1}));
}

TEST_F(AdapterTest, CurrentPageStartsAtTheTopVisibleRow) {
    auto sg = Grid(2, 40);
    sg->SetDefaultRowHeight(10);
    sg->SetBounds(0, 0, 100, 56); // four scrolling rows visible
    sg->SetRow(20);
    EXPECT_EQ(Define(sg.get()), "");
    EXPECT_EQ(OI.CurCell, (TPoint{1, 20})); // the user's cell
    RS.PrintWhat = TPrintWhat::pwCurrentPage;
    ASSERT_TRUE(OI.GetFirstRcd());
    EXPECT_EQ(OI.CurCell, (TPoint{1, 17}));
    RS.PrintWhat = TPrintWhat::pwAll;
    ASSERT_TRUE(OI.GetFirstRcd());
    EXPECT_EQ(OI.CurCell, (TPoint{1, 1}));
}

TEST_F(AdapterTest, TableStepsToTheEndAndAgain) {
    auto table = Table(Database(PeopleSql), "people");
    EXPECT_EQ(Define(table.get()), "");
    EXPECT_EQ(Walk(OI, 1), (std::vector<std::string>{"Ann", "Bob", "Cy"}));
    EXPECT_TRUE(OI.Eof);
    EXPECT_EQ(OI.CurCell, (TPoint{-1, -1}));
    // A second scan after a finished run starts over and measures the rows again.
    EXPECT_EQ(Walk(OI, 1), (std::vector<std::string>{"Ann", "Bob", "Cy"}));

    // Title and total planes never move a dataset.
    ASSERT_TRUE(OI.Eof);
    ASSERT_TRUE(OI.GetFirstRcd());
    EXPECT_FALSE(OI.Eof);
    EXPECT_FALSE(OI.GetNextRcd(TRegPlaneNdx::plFirst, false));
    EXPECT_FALSE(OI.GetNextRcd(TRegPlaneNdx::plLast, false));
    EXPECT_EQ(table->FieldByName("id")->AsInteger(), 1);
    EXPECT_TRUE(OI.GetNextRcd(TRegPlaneNdx::plMiddle, true));
    EXPECT_EQ(table->FieldByName("id")->AsInteger(), 3);
}

TEST_F(AdapterTest, EmptyDataSetHasNoFirstRecord) {
    auto table = Table(Database("CREATE TABLE t(a VARCHAR(5));"), "t");
    EXPECT_EQ(Define(table.get()), "");
    OI.CalcRows(); // an estimate of 9 rows, not counted
    EXPECT_EQ(OI.Rows, 9);
    PS.LineNum = 0;
    EXPECT_FALSE(OI.GetFirstRcd());
    EXPECT_TRUE(OI.Eof);
    EXPECT_EQ(PS.LineNum, 0);
    EXPECT_TRUE(Walk(OI, 0).empty());
}

TEST_F(AdapterTest, TreeLikeObjectsStep) {
    TOutline outline(nullptr);
    for (const char* s : {"a", "b", "c"}) outline.Lines().Add(s);
    EXPECT_EQ(Define(&outline), "");
    EXPECT_FALSE(OI.GetFirstRcd());
    OI.CurCell.Y = 1;
    EXPECT_FALSE(OI.GetNextRcd(TRegPlaneNdx::plFirst, false));
    EXPECT_EQ(OI.CurCell.Y, 1);
    EXPECT_FALSE(OI.GetNextRcd(TRegPlaneNdx::plMiddle, false));
    EXPECT_TRUE(OI.GetNextRcd(TRegPlaneNdx::plMiddle, false));
    EXPECT_EQ(OI.CurCell.Y, 2);

    TTreeView tree(nullptr);
    tree.Items().Add(nullptr, "a");
    EXPECT_EQ(Define(&tree), "");
    EXPECT_TRUE(OI.GetNextRcd(TRegPlaneNdx::plMiddle, false));
    EXPECT_TRUE(OI.GetNextRcd(TRegPlaneNdx::plFirst, false));
}

// Resident memory says nothing under the address sanitizer, which keeps
// freed memory in quarantine.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool MemoryIsMeasurable = false;
#else
constexpr bool MemoryIsMeasurable = true;
#endif

TEST_F(AdapterTest, AMillionRecordsStepInFlatMemory) {
    constexpr int Million = 1000000;
    const std::string db = Database(
        "CREATE TABLE big(id INTEGER PRIMARY KEY, name VARCHAR(40), notes MEMO);"
        "INSERT INTO big(id, name, notes) WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c"
        " WHERE x < " +
            std::to_string(Million) + ") SELECT x, printf('%040d', x), 'memo ' || x FROM c;",
        "big.db");
    auto table = Table(db, "big", "tblBig");
    EXPECT_EQ(Define(table.get()), "");
    RS.CountNumRcds = true;
    RS.MaxMemoColWid[TUnitsOfMeasure::umTxt] = 20;
    RS.MaxMemoLines = 2;
    OI.CalcRows();
    EXPECT_EQ(OI.Rows, Million);
    EXPECT_EQ(OI.Digits, 7);

    // A first pass lets the caches reach their size.
    ASSERT_TRUE(OI.GetFirstRcd());
    for (int i = 0; i < 2000; ++i) OI.GetNextRcd(TRegPlaneNdx::plMiddle, false);

    PS.LineNum = 0;
    ASSERT_TRUE(OI.GetFirstRcd());
    const long before = ResidentBytes();
    int rows = 0;
    bool inOrder = true;
    do {
        ++rows;
        if (rows % 4999 == 1) {
            inOrder = inOrder && OI.GetColData(TRegPlaneNdx::plMiddle, 0, true) == std::to_string(rows) &&
                      OI.GetColData(TRegPlaneNdx::plMiddle, 2, true) == "memo " + std::to_string(rows);
        }
    } while (!OI.GetNextRcd(TRegPlaneNdx::plMiddle, false));
    const long growth = ResidentBytes() - before;
    EXPECT_EQ(rows, Million);
    EXPECT_EQ(PS.LineNum, Million);
    EXPECT_TRUE(inOrder);
    EXPECT_TRUE(OI.Eof);
    // The rows alone are over 40 MB; holding them would grow far beyond this.
    if (MemoryIsMeasurable) {
        EXPECT_LT(growth, 16L << 20) << growth;
    }
}

} // namespace
} // namespace trx::test
