// Cell texts: titles, data, the "?" fallbacks, samples, memo buffers.
#include "adapter_fixture.h"

#include "framework/core/clock.h"
#include "framework/core/date_time.h"
#include "framework/data/data_source.h"
#include "framework/grids/db_grid.h"
#include "framework/grids/outline.h"

namespace trx::test {
namespace {

constexpr TRegPlaneNdx Titles = TRegPlaneNdx::plFirst;
constexpr TRegPlaneNdx Data = TRegPlaneNdx::plMiddle;
constexpr TRegPlaneNdx Totals = TRegPlaneNdx::plLast;

TEST_F(AdapterTest, TableTitlesDataAndTotals) {
    auto table = Table(Database(PeopleSql + std::string("CREATE TABLE money(amount CURRENCY, n INTEGER);"
                                                        "INSERT INTO money VALUES(1234.5, 1234567);")),
                       "people");
    table->Open();
    table->FieldByName("name")->DisplayLabel = "Full Name";
    EXPECT_EQ(Define(table.get()), "");
    ASSERT_EQ(ColNames(), "id name notes born");
    EXPECT_EQ(OI.GetColData(Titles, 1, true), "Full Name");
    EXPECT_EQ(OI.GetColData(Titles, 0, false), "id");
    ASSERT_TRUE(OI.GetFirstRcd());
    EXPECT_EQ(OI.GetColData(Totals, 1, true), "?");
    OI.GetNextRcd(Data, false);
    EXPECT_EQ(OI.GetColData(Data, 1, true), "Bob"); // trimmed
    EXPECT_EQ(OI.GetColData(Data, 2, true), ""); // a null memo
    EXPECT_EQ(OI.GetColData(Data, 3, true), ""); // a null date
    EXPECT_EQ(OI.GetColData(Data, 9, true), "?"); // no such column

    // Formatted display texts, or plain edit texts.
    auto money = Table(LastFile().FileName(), "money", "tblMoney");
    EXPECT_EQ(Define(money.get()), "");
    ASSERT_TRUE(OI.GetFirstRcd());
    OI.Formatted = false;
    EXPECT_EQ(OI.GetColData(Data, 0, true), money->Fields(0)->Text());
    EXPECT_EQ(OI.GetColData(Data, 1, true), "1234567");
    OI.Formatted = true;
    EXPECT_EQ(OI.GetColData(Data, 0, true), money->Fields(0)->DisplayText());
    EXPECT_NE(money->Fields(0)->DisplayText(), money->Fields(0)->Text());

    // One buffer for every cell, row after row, holds each cell's text alone.
    EXPECT_EQ(Define(table.get()), "");
    std::string text(100, '#');
    for (bool more = OI.GetFirstRcd(); more; more = !OI.GetNextRcd(Data, false)) {
        for (TRegPlaneNdx plane : {Titles, Data, Totals}) {
            for (int col = -1; col <= OI.ColCount(); ++col) {
                for (bool real : {true, false}) {
                    OI.GetColData(plane, col, real, text);
                    ASSERT_EQ(text, OI.GetColData(plane, col, real)) << col;
                }
            }
        }
    }
}

TEST_F(AdapterTest, QuestionMarksWhereThereIsNoText) {
    auto sg = Grid(3, 3);
    EXPECT_EQ(Define(sg.get()), "");
    OI.Col(1).FldCalc = TFldCalc::fcUndefined;
    EXPECT_EQ(OI.GetColData(Data, 1, true), "?");
    EXPECT_EQ(OI.GetColData(Data, -1, true), "?");

    TOutline outline(nullptr);
    outline.Lines().Add("a");
    EXPECT_EQ(Define(&outline), "");
    OI.ColsListInsert(0, "x", "x", TFieldType::ftString, 5, TFldCalc::fcGrid);
    EXPECT_EQ(OI.GetColData(Data, 0, true), "?");

    // A grid column whose field is gone.
    auto table = Table(Database(PeopleSql), "people");
    TDataSource source;
    source.SetDataSet(table.get());
    TDBGrid grid(nullptr);
    grid.SetDataSource(&source);
    grid.Columns().Add()->SetFieldName("name");
    EXPECT_EQ(Define(&grid), "");
    ASSERT_TRUE(OI.GetFirstRcd());
    grid.Columns()[0]->SetFieldName("gone");
    EXPECT_EQ(OI.GetColData(Data, 0, true), "?");
    EXPECT_EQ(OI.GetColData(Totals, 0, true), "?");
}

TEST_F(AdapterTest, DBGridTitlesAndDisplayTexts) {
    auto table = Table(Database(PeopleSql), "people");
    TDataSource source;
    source.SetDataSet(table.get());
    TDBGrid grid(nullptr);
    grid.SetDataSource(&source);
    TColumn* name = grid.Columns().Add();
    name->SetFieldName("name");
    name->Title().SetCaption("Who");
    grid.Columns().Add()->SetFieldName("notes");
    grid.Columns().Add()->SetFieldName("born");
    RS.MaxMemoColWid[TUnitsOfMeasure::umTxt] = 40;
    RS.MaxMemoLines = 3;
    EXPECT_EQ(Define(&grid), "");
    EXPECT_EQ(OI.GetColData(Titles, 0, true), "Who");
    EXPECT_EQ(OI.GetColData(Titles, 2, true), "born");
    ASSERT_TRUE(OI.GetFirstRcd());
    EXPECT_EQ(OI.GetColData(Data, 1, true), "likes tea"); // the memo's text, not "(Memo)"
    EXPECT_EQ(OI.GetColData(Data, 2, true), table->FieldByName("born")->DisplayText());
    OI.GetNextRcd(Data, false);
    EXPECT_EQ(OI.GetColData(Data, 0, true), "  Bob  "); // display text as the grid shows it
    EXPECT_EQ(OI.GetColData(Data, 0, false), std::string(20, 'x'));
}

TEST_F(AdapterTest, LineNumberCellsShowHashOnTheLastTitleRow) {
    auto sg = Grid(3, 5, 1, 2);
    PS.LineNumbersOn = true;
    EXPECT_EQ(Define(sg.get()), "");
    ASSERT_EQ(OI.Col(1).FldCalc, TFldCalc::fcLineNum);
    TPlaneRows& titles = run.Styles().PlaneRows[TRegPlaneNdx::plFirst];
    titles.Rows = 2;
    titles.Counter = 0;
    EXPECT_EQ(OI.GetColData(Titles, 1, true), "");
    titles.Counter = 1;
    EXPECT_EQ(OI.GetColData(Titles, 1, true), "#");
    PS.LineNum = 12345;
    EXPECT_EQ(OI.GetColData(Data, 1, true), "12345");
    OI.Formatted = true;
    EXPECT_EQ(OI.GetColData(Totals, 1, false), "12,345");
    // The grid's cells read the same in every plane, sample or not.
    OI.CurCell = TPoint{1, 0};
    EXPECT_EQ(OI.GetColData(Titles, 2, false), "T1");
}

TEST_F(AdapterTest, SamplesByFieldType) {
    TFakeClock fake(EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 0, 0));
    TClockOverride clock(fake);
    OI.Formatted = true;
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftInteger, 4), "3,333,333,333");
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftCurrency, 8), "$99,999,999.99");
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftBCD, 34), "99,999,999.9999");
    OI.Formatted = false;
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftSmallint, 2), "32333");
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftWord, 2), "33333");
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftBoolean, 2), "yes");
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftFloat, 8), "123456.78");
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftAutoInc, 4), "123456");
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftDate, 4), DateToStr(EncodeDate(2024, 2, 29)));
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftDateTime, 8), DateTimeToStr(Now()));
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftBlob, 0), "");

    // Text output: at most the string and memo limits in characters.
    PS.CurUnits = TUnitsOfMeasure::umTxt;
    RS.MaxStringColWid[TUnitsOfMeasure::umTxt] = 6;
    RS.MaxMemoColWid[TUnitsOfMeasure::umTxt] = 9;
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftString, 4), "xxx");
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftString, 21), "xxxxxx");
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftString, 0), "");
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftMemo, 0), "xxxxxxxxx");

    // Graphic output: as many characters of the text font as fit the limits.
    RS.OutputQuality = 2;
    PS.CurUnits = TUnitsOfMeasure::umPix;
    PS.OutPixPerInch[TXyDir::dX] = 600;
    PS.CharCell[TXyDir::dX][TUnitsOfMeasure::umPix] = 60; // a tenth of an inch
    RS.MaxStringColWid[TUnitsOfMeasure::umThous] = 1000;
    RS.MaxMemoColWid[TUnitsOfMeasure::umThous] = 450;
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftString, 51), std::string(10, 'x'));
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftString, 5), "xxxx");
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftMemo, 0), "xxxx");
    // Before the printer set-up has measured a character nothing divides by zero.
    PS.CharCell[TXyDir::dX][TUnitsOfMeasure::umPix] = 0;
    EXPECT_EQ(OI.GetSampleDataTypeStr(TFieldType::ftString, 5), "xxxx");
}

TEST_F(AdapterTest, MemoBufferSizes) {
    auto table =
        Table(Database(PeopleSql +
                       std::string("UPDATE people SET notes = replace(hex(zeroblob(50)), '00', 'mm') WHERE id = 1;")),
              "people");
    EXPECT_EQ(Define(table.get()), "");
    const int notes = OI.SearchColsList("notes");
    ASSERT_TRUE(OI.GetFirstRcd());
    OI.GetNextRcd(Data, false);
    OI.GetNextRcd(Data, false); // Cy: "twelve chars"

    // Graphic output: the whole memo and its NUL.
    RS.OutputQuality = 2;
    EXPECT_EQ(OI.GetColData(Data, notes, true), "twelve chars");
    EXPECT_EQ(OI.MemoSize, 13);

    // Text output: what fits the column's lines (20 x 2 + 5, less the NUL).
    RS.OutputQuality = 0;
    RS.MaxMemoColWid[TUnitsOfMeasure::umTxt] = 20;
    RS.MaxMemoLines = 2;
    ASSERT_TRUE(OI.GetFirstRcd());
    EXPECT_EQ(OI.GetColData(Data, notes, true), std::string(44, 'm'));
    EXPECT_EQ(OI.MemoSize, 45);
    // An export reads up to its own limit.
    PS.ToExportFile = true;
    RS.ExportMaxMemoLng = 60;
    EXPECT_EQ(OI.GetColData(Data, notes, true), std::string(64, 'm'));
    // Negative limits read nothing rather than fail.
    RS.ExportMaxMemoLng = -100;
    EXPECT_EQ(OI.GetColData(Data, notes, true), "");
    EXPECT_EQ(OI.MemoSize, 1);

    // The next cell frees the buffer.
    EXPECT_EQ(OI.GetColData(Data, 0, true), "1");
    EXPECT_EQ(OI.MemoSize, 0);
    EXPECT_STREQ(OI.MemoText(), "");
}

TEST_F(AdapterTest, TheScanKeepsTheFirstLongestAndWidestTextOfEachColumn) {
    auto table = Table(Database("CREATE TABLE n(i INTEGER, r REAL, d DATE, s VARCHAR(10));"
                                "INSERT INTO n VALUES(5, 1.5, '2024-03-05', 'a');"
                                "INSERT INTO n VALUES(123, 22.25, '2024-12-25', 'abc');"
                                "INSERT INTO n VALUES(-12, 1e20, NULL, ' x ');"
                                "INSERT INTO n VALUES(4567, 0.5, '1999-1-1', 'abc');"
                                "INSERT INTO n VALUES(NULL, -33.75, '2024-10-10', 'abcd');"
                                "INSERT INTO n VALUES(1000, 33.125, '2024-02-30', 'wxyz');"),
                       "n", "tblN");
    table->Open();
    EXPECT_EQ(Define(table.get()), "");
    ASSERT_EQ(ColNames(), "i r d s");
    RS.OutputQuality = 0;
    RS.MaxStringColWid[TUnitsOfMeasure::umTxt] = 30;
    PS.SetUnits();
    PS.Canvas = &printer.Printer().Canvas();
    const int cw = PS.Canvas->FixedCharWidth();
    ASSERT_GT(cw, 0);
    OI.ResetColsList(true);
    for (bool more = OI.GetFirstRcd(); more; more = !OI.GetNextRcd(Data, false)) OI.CalcColWid(true, Data);
    auto maxima = [&](int Col) {
        const TUnitsArray<TColStrWid>& w = OI.Col(Col).StrWids[Data];
        const TColStrWid& txt = w[TUnitsOfMeasure::umTxt];
        const TColStrWid& pix = w[TUnitsOfMeasure::umPix];
        EXPECT_EQ(pix.Wid, txt.Wid * cw);
        EXPECT_EQ(pix.Str, txt.Str);
        return txt.Str + " " + std::to_string(txt.Wid);
    };
    EXPECT_EQ(maxima(0), "4567 4");
    EXPECT_EQ(maxima(1), "-33.75 6");
    EXPECT_EQ(maxima(2), "12/25/2024 10");
    EXPECT_EQ(maxima(3), "abcd 4");

    // Longer strings count with the cap's length: the first of them stays.
    RS.MaxStringColWid[TUnitsOfMeasure::umTxt] = 3;
    OI.ResetColsList(true);
    for (bool more = OI.GetFirstRcd(); more; more = !OI.GetNextRcd(Data, false)) OI.CalcColWid(true, Data);
    EXPECT_EQ(maxima(3), "abc 3");
}

TEST_F(AdapterTest, FirstColumnOfAPageAcross) {
    int pageX = 2;
    EXPECT_EQ(OI.GetPageXColNum(pageX), -1); // no columns
    EXPECT_EQ(pageX, 1);

    auto sg = Grid(6, 2);
    EXPECT_EQ(Define(sg.get()), "");
    const int pages[] = {1, 1, 2, 2, 3, 3};
    for (int i = 0; i < 6; ++i) OI.Col(i).PageAcross = pages[i];
    pageX = 1;
    EXPECT_EQ(OI.GetPageXColNum(pageX), 0);
    pageX = 3;
    EXPECT_EQ(OI.GetPageXColNum(pageX), 4);
    pageX = 7;
    EXPECT_EQ(OI.GetPageXColNum(pageX), 5);
    EXPECT_EQ(pageX, 3);
}

} // namespace
} // namespace trx::test
