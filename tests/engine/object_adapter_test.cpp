// Defining the object to print: its kind, the setup errors, the column list
// with its line-number column, and the row count.
#include "adapter_fixture.h"

#include "framework/data/data_source.h"
#include "framework/data/mem_dataset.h"
#include "framework/grids/db_grid.h"
#include "framework/grids/decision_grid.h"
#include "framework/grids/outline.h"
#include "framework/grids/tree_view.h"

namespace trx::test {
namespace {

constexpr const char* InvalidObjectText =
    "Tabrix! Setup Error: \r\rObjectToPrint is invalid. It must be one of:\r"
    "TStringGrid, TDBGrid, TDataSet, TTable, TQuery, TOutline, TTreeView, TDecisionGrid\r\r"
    "(NOTE: TDescisionGrid needs UseDecGrid conditional symbol turned on - See TBX.INC)";

TEST_F(AdapterTest, KindsAreTestedInOrder) {
    const std::string db = Database(PeopleSql);
    auto table = Table(db, "people");
    EXPECT_EQ(Define(table.get()), "");
    EXPECT_EQ(OI.ObjType, TObjType::IsTable);
    EXPECT_TRUE(OI.GridLike);
    EXPECT_FALSE(OI.GridWithoutDataSet);
    EXPECT_FALSE(OI.SQLBased);
    EXPECT_EQ(OI.ObjName, "tblPeople");
    EXPECT_EQ(OI.FixedRows, 1);
    EXPECT_TRUE(table->ControlsDisabled()); // stepping will not move the application's controls

    TQuery query;
    query.SetName("qryPeople");
    query.SetDatabaseName(db);
    query.SQL.SetText("SELECT name FROM people");
    EXPECT_EQ(Define(&query), "");
    EXPECT_EQ(OI.ObjType, TObjType::IsQuery);
    EXPECT_TRUE(OI.SQLBased);
    EXPECT_EQ(OI.Cols, 1);

    // A grid over a query is a database grid, and SQL-based through its dataset.
    TQuery ownedQuery(&query);
    ownedQuery.SetName("qryOwned");
    ownedQuery.SetDatabaseName(db);
    ownedQuery.SQL.SetText("SELECT id, name FROM people");
    TDataSource source;
    source.SetDataSet(&ownedQuery);
    TDBGrid grid(nullptr);
    grid.SetDataSource(&source);
    EXPECT_EQ(Define(&grid), "");
    EXPECT_EQ(OI.ObjType, TObjType::IsDBGrid);
    EXPECT_EQ(OI.DataSet, &ownedQuery);
    EXPECT_TRUE(OI.SQLBased);
    EXPECT_EQ(OI.Cols, 2);

    auto sg = Grid(3, 4);
    EXPECT_EQ(Define(sg.get()), "");
    EXPECT_EQ(OI.ObjType, TObjType::IsStringGrid);
    EXPECT_TRUE(OI.GridWithoutDataSet);
    EXPECT_EQ(OI.DataSet, nullptr);

    TOutline outline(nullptr);
    outline.Lines().Add("one");
    outline.Lines().Add("two");
    outline.SetSelectedItem(2);
    EXPECT_EQ(Define(&outline), "");
    EXPECT_EQ(OI.ObjType, TObjType::IsOutline);
    EXPECT_TRUE(OI.TreeLike);
    EXPECT_EQ(OI.Rows, 2);
    EXPECT_EQ(OI.CurCell, (TPoint{-1, 2}));
    EXPECT_EQ(OI.ColCount(), 0); // tree-like objects have no report columns

    TTreeView tree(nullptr);
    tree.Items().AddChild(tree.Items().Add(nullptr, "root"), "leaf");
    EXPECT_EQ(Define(&tree), "");
    EXPECT_EQ(OI.ObjType, TObjType::IsTreeView);
    EXPECT_EQ(OI.Rows, 2);

    TMemDataSet mem;
    mem.AddFieldDef("a", TFieldType::ftString, 5);
    EXPECT_EQ(Define(&mem), "");
    EXPECT_EQ(OI.ObjType, TObjType::IsDataSet);
    EXPECT_TRUE(mem.Active()); // opened for the run

    TComponent plain;
    EXPECT_EQ(Define(&plain), InvalidObjectText);
    EXPECT_EQ(Define(nullptr), "Tabrix! Setup Error: ObjectToPrint not assigned in Object Inspector");
}

#ifdef UseDecGrid
TEST_F(AdapterTest, DecisionGridStartsLeftOfAndAboveItsDataOrigin) {
    TDecisionGrid dg(nullptr);
    dg.SetDimensions(2, 1, 3, 4);
    dg.SetCells(-2, -1, "Region");
    dg.SetCells(1, 2, "7");
    EXPECT_EQ(Define(&dg), "");
    EXPECT_EQ(OI.ObjType, TObjType::IsDecGrid);
    EXPECT_EQ(OI.Cols, 5);
    EXPECT_EQ(OI.FixedCols, 2);
    EXPECT_EQ(OI.FixedRows, 1);
    EXPECT_EQ(OI.Start, (TPoint{-2, -1}));
    EXPECT_EQ(ColNames(), "Col#-2 Col#-1 Col#0 Col#1 Col#2");
    EXPECT_EQ(OI.Col(0).FieldType, TFieldType::ftString);
    EXPECT_EQ(OI.Col(2).FieldType, TFieldType::ftInteger);
    EXPECT_EQ(OI.Col(1).XPlane, TRegPlaneNdx::plFirst);
    EXPECT_EQ(OI.Col(2).XPlane, TRegPlaneNdx::plMiddle);

    ASSERT_TRUE(OI.GetFirstRcd());
    OI.CurCell = OI.Start; // the title rows, as the page loop walks them
    EXPECT_EQ(OI.GetColData(TRegPlaneNdx::plFirst, 0, true), "Region");
    OI.CurCell = TPoint{0, 2};
    EXPECT_EQ(OI.GetColData(TRegPlaneNdx::plMiddle, 3, true), "7");
    OI.GetNextRcd(TRegPlaneNdx::plMiddle, false);
    EXPECT_TRUE(OI.GetNextRcd(TRegPlaneNdx::plMiddle, false)); // row 3 is the last of four data rows
    EXPECT_EQ(OI.CurCell.Y, 3);
}
#endif

TEST_F(AdapterTest, SetupErrorTexts) {
    TDBGrid grid(nullptr);
    grid.SetName("dbgPeople");
    EXPECT_EQ(Define(&grid), "Tabrix! Setup Error: Object:dbgPeople\r\rDataSource property is missing");
    TDataSource source;
    source.SetName("dsPeople");
    grid.SetDataSource(&source);
    EXPECT_EQ(Define(&grid), "Tabrix! Setup Error: Object:dbgPeople\r\rdsPeople is missing the DataSet property");

    // A missing file, table or column and bad SQL carry the database's own message.
    const std::string db = Database(PeopleSql);
    auto missingFile = Table(dir.File("nowhere.db"), "people");
    std::string text = Define(missingFile.get());
    EXPECT_EQ(text.rfind("Tabrix! Setup Error: Object: tblPeople\r\rOpening Dataset: tblPeople\r", 0), 0u) << text;
    EXPECT_GT(text.size(),
              std::string("Tabrix! Setup Error: Object: tblPeople\r\rOpening Dataset: tblPeople\r").size());

    auto missingTable = Table(db, "persons");
    text = Define(missingTable.get());
    EXPECT_NE(text.find("Opening Dataset: tblPeople\r"), std::string::npos) << text;
    EXPECT_NE(text.find("persons"), std::string::npos) << text;

    TQuery badColumn;
    badColumn.SetName("qryBad");
    badColumn.SetDatabaseName(db);
    badColumn.SQL.SetText("SELECT shoe_size FROM people");
    text = Define(&badColumn);
    EXPECT_EQ(text.rfind("Tabrix! Setup Error: Object: qryBad\r\rOpening Dataset: qryBad\r", 0), 0u) << text;
    EXPECT_NE(text.find("shoe_size"), std::string::npos) << text;

    // The grid's own name leads, the dataset's follows.
    TQuery badSql;
    badSql.SetName("qrySyntax");
    badSql.SetDatabaseName(db);
    badSql.SQL.SetText("SELEKT * FROM people");
    source.SetDataSet(&badSql);
    text = Define(&grid);
    EXPECT_EQ(text.rfind("Tabrix! Setup Error: Object: dbgPeople\r\rOpening Dataset: qrySyntax\r", 0), 0u) << text;
}

TEST_F(AdapterTest, HiddenAndBlobFieldsGetNoColumn) {
    auto table = Table(Database(PeopleSql), "people");
    table->Open();
    table->FieldByName("born")->Visible = false;
    EXPECT_EQ(Define(table.get()), "");
    EXPECT_EQ(OI.Cols, 5);
    EXPECT_EQ(ColNames(), "id name notes");
    EXPECT_EQ(OI.Col(2).FieldType, TFieldType::ftMemo);
    EXPECT_EQ(OI.Col(2).FieldIndex, 3);
    EXPECT_EQ(OI.Col(2).ColNdx, 3);
    EXPECT_EQ(OI.Col(1).DataSize, 21);
    EXPECT_EQ(OI.Col(1).FldCalc, TFldCalc::fcDataSet);

    // Through a database grid the grid's columns count, hidden ones too.
    TDataSource source;
    source.SetDataSet(table.get());
    TDBGrid grid(nullptr);
    grid.SetDataSource(&source);
    grid.Columns().Add()->SetFieldName("name");
    grid.Columns().Add()->SetFieldName("photo");
    grid.Columns().Add()->SetFieldName("lost");
    TColumn* hidden = grid.Columns().Add();
    hidden->SetFieldName("id");
    hidden->SetVisible(false);
    grid.Columns().Add()->SetFieldName("notes");
    EXPECT_EQ(Define(&grid), "");
    EXPECT_EQ(OI.Cols, 5);
    EXPECT_EQ(ColNames(), "name notes");
    EXPECT_EQ(OI.Col(0).FldCalc, TFldCalc::fcGrid);
    EXPECT_EQ(OI.Col(1).ColNdx, 4);
    EXPECT_EQ(OI.Col(1).FieldIndex, 3);
}

TEST_F(AdapterTest, PrintableFieldTypes) {
    for (TFieldType t : {TFieldType::ftString, TFieldType::ftSmallint, TFieldType::ftDateTime, TFieldType::ftAutoInc,
                         TFieldType::ftMemo})
        EXPECT_TRUE(TObjInfo::IsFieldTypePrintable(t)) << static_cast<int>(t);
    for (TFieldType t : {TFieldType::ftUnknown, TFieldType::ftBytes, TFieldType::ftBlob, TFieldType::ftFmtMemo,
                         TFieldType::ftGraphic, TFieldType::ftLargeint})
        EXPECT_FALSE(TObjInfo::IsFieldTypePrintable(t)) << static_cast<int>(t);
}

TEST_F(AdapterTest, LineNumberColumnGoesAfterTheRowTitles) {
    auto sg = Grid(5, 3, 2);
    PS.LineNumbersOn = true;
    EXPECT_EQ(Define(sg.get()), "");
    EXPECT_EQ(ColNames(), "Col#0 Col#1 ~~#~~ Col#2 Col#3 Col#4");
    const TColsListData& ln = OI.Col(2);
    EXPECT_EQ(ln.FldCalc, TFldCalc::fcLineNum);
    EXPECT_EQ(ln.ColNdx, -1);
    EXPECT_EQ(ln.FieldIndex, -1);
    EXPECT_EQ(ln.DataSize, 4);
    EXPECT_EQ(OI.Col(1).XPlane, TRegPlaneNdx::plFirst);
    EXPECT_EQ(ln.XPlane, TRegPlaneNdx::plMiddle);

    OI.Col(0).StrWids[TRegPlaneNdx::plMiddle][TUnitsOfMeasure::umPix] = TColStrWid{40, "wide"};
    OI.Col(0).PageAcross = 3;
    OI.ResetColsList(false);
    OI.ResetColsList(false);
    EXPECT_EQ(ColNames(), "Col#0 Col#1 ~~#~~ Col#2 Col#3 Col#4");
    EXPECT_EQ(OI.Col(0).StrWids[TRegPlaneNdx::plMiddle][TUnitsOfMeasure::umPix].Wid, 0);
    EXPECT_EQ(OI.Col(0).StrWids[TRegPlaneNdx::plMiddle][TUnitsOfMeasure::umPix].Str, "wide");
    EXPECT_EQ(OI.Col(0).PageAcross, 0);
    OI.ResetColsList(true);
    EXPECT_EQ(OI.Col(0).StrWids[TRegPlaneNdx::plMiddle][TUnitsOfMeasure::umPix].Str, "");

    // Copies for pages across, then back to the first one only.
    EXPECT_TRUE(OI.ColsListInsert(5, "~~#~~", "#", TFieldType::ftInteger, 4, TFldCalc::fcLineNum));
    EXPECT_EQ(OI.Col(5).XPos, -1);
    EXPECT_EQ(OI.Col(5).FldCalc, TFldCalc::fcLineNum);
    OI.AddDelLineNumberCol(true, 99, false);
    EXPECT_EQ(OI.Col(OI.ColCount() - 1).FldCalc, TFldCalc::fcLineNum);
    OI.AddDelLineNumberCol(false, -1, true);
    EXPECT_EQ(ColNames(), "Col#0 Col#1 ~~#~~ Col#2 Col#3 Col#4");

    // An existing column moves and takes the new identity.
    EXPECT_FALSE(OI.ColsListInsert(0, "col#4", "Four", TFieldType::ftInteger, 8, TFldCalc::fcGrid));
    EXPECT_EQ(ColNames(), "col#4 Col#0 Col#1 ~~#~~ Col#2 Col#3");
    EXPECT_EQ(OI.Col(0).StrWids[TRegPlaneNdx::plFirst][TUnitsOfMeasure::umPix].Str, "Four");
    EXPECT_EQ(OI.SearchColsList("COL#2"), 4);
    EXPECT_EQ(OI.SearchColsList("Col#9"), -1);

    // A new column carries its title and, for line numbers, the widest number.
    EXPECT_TRUE(OI.ColsListInsert(1, "extra", "Extra", TFieldType::ftString, 10, TFldCalc::fcGrid));
    EXPECT_EQ(OI.Col(1).StrWids[TRegPlaneNdx::plFirst][TUnitsOfMeasure::umTxt].Str, "Extra");
    EXPECT_EQ(OI.Col(1).ColNdx, -1);
    OI.AddDelLineNumberCol(false, -1, false);
    OI.Digits = 3;
    OI.AddDelLineNumberCol(true, 0, false);
    EXPECT_EQ(OI.Col(0).StrWids[TRegPlaneNdx::plFirst][TUnitsOfMeasure::umPix].Str, "#");
    EXPECT_EQ(OI.Col(0).StrWids[TRegPlaneNdx::plMiddle][TUnitsOfMeasure::umTxt].Str, "200");

    PS.LineNumbersOn = false;
    OI.ResetColsList(true);
    EXPECT_EQ(OI.SearchColsList("~~#~~"), -1);
}

TEST_F(AdapterTest, ColumnPlanesAndTheirRange) {
    auto sg = Grid(4, 3, 1);
    EXPECT_EQ(Define(sg.get()), "");
    EXPECT_EQ(OI.CnvtColNdxToXPlaneNdx(0), TRegPlaneNdx::plFirst);
    EXPECT_EQ(OI.CnvtColNdxToXPlaneNdx(3), TRegPlaneNdx::plMiddle);
    try {
        OI.CnvtColNdxToXPlaneNdx(4);
        FAIL() << "no error";
    } catch (const eTrxIntError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Internal Error: [CnvtColNdxToXPlaneNdx] **\rColNdx:4 is out of range 0..3");
    }
    EXPECT_THROW(OI.CnvtColNdxToXPlaneNdx(-1), eTrxIntError);
}

TEST_F(AdapterTest, StringGridExtentIsItsLastNonBlankCell) {
    TStringGrid g(nullptr);
    g.SetCells(3, 0, "x");
    g.SetCells(1, 2, "   "); // blanks do not count
    int rows = -1, cols = -1;
    TObjInfo::GetGridDim(&g, rows, cols);
    EXPECT_EQ(cols, 4);
    EXPECT_EQ(rows, 1);
    g.SetCells(0, 4, "y");
    TObjInfo::GetGridDim(&g, rows, cols);
    EXPECT_EQ(cols, 4);
    EXPECT_EQ(rows, 5);

    TStringGrid blank(nullptr);
    blank.SetName("sgBlank");
    EXPECT_EQ(Define(&blank), "");
    EXPECT_EQ(OI.Rows, 0);
    EXPECT_EQ(OI.Cols, 0);
    try {
        OI.CalcRows();
        FAIL() << "no error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Setup Error: sgBlank is empty and TrxTabrix1 has nothing to print.");
    }
}

TEST_F(AdapterTest, RowCountsAndTheWidestLineNumber) {
    auto table = Table(Database(PeopleSql), "people");
    EXPECT_EQ(Define(table.get()), "");
    RS.CountNumRcds = false;
    RS.RcdEstimate = 5;
    OI.CalcRows();
    EXPECT_EQ(OI.Rows, 9);
    EXPECT_EQ(OI.Digits, 1);
    RS.RcdEstimate = 100000;
    OI.CalcRows();
    EXPECT_EQ(OI.Digits, 6);
    EXPECT_EQ(OI.GetMaxLineNumStr(false), "200000");
    OI.Formatted = true;
    EXPECT_EQ(OI.GetMaxLineNumStr(false), "200,000");
    EXPECT_EQ(OI.GetMaxLineNumStr(true), "#");
    RS.CountNumRcds = true;
    OI.CalcRows();
    EXPECT_EQ(OI.Rows, 3);
    OI.Digits = 0; // never fewer than one digit
    EXPECT_EQ(OI.GetMaxLineNumStr(false), "2");
    OI.Digits = 12;
    EXPECT_EQ(OI.GetMaxLineNumStr(false), "2,000,000,000");

    // An empty table counted has nothing to print.
    SqliteFile empty(dir.File("empty.db"), "CREATE TABLE t(a INTEGER);");
    auto none = Table(dir.File("empty.db"), "t", "tblEmpty");
    EXPECT_EQ(Define(none.get()), "");
    try {
        OI.CalcRows();
        FAIL() << "no error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Setup Error: tblEmpty is empty and TrxTabrix1 has nothing to print.");
    }
}

TEST_F(AdapterTest, LineNumberTexts) {
    EXPECT_EQ(OI.FormatLineNum(1234567), "1234567");
    OI.Formatted = true;
    EXPECT_EQ(OI.FormatLineNum(1234567), "1,234,567");
    EXPECT_EQ(OI.FormatLineNum(12), "12");
    EXPECT_EQ(TObjInfo::FormatTxtLineNum(42, 5), "   42");
    EXPECT_EQ(TObjInfo::FormatTxtLineNum(123456, 3), "123456");
}

} // namespace
} // namespace trx::test
