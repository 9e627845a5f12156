// The layout of a page: panels side by side, memos within the page, the
// report footer above the bottom memos, rows too tall for the page, the
// rows of a page row replayed on every page across, and the cells of one
// row.
#include <gtest/gtest.h>

#include "engine/report_fixture.h"
#include "engine/trx_errors.h"
#include "framework/data/mem_dataset.h"

namespace trx::test {
namespace {

using M = TRptMemoNdx;
using S = TStyleOptNdx;
using P = TRegPlaneNdx;
using U = TUnitsOfMeasure;

class PageLayoutTest : public ReportTest {
protected:
    PageLayoutTest() {
        RS().OutputQuality = 0;
        RS().TxtCharsPageWid = 50;
        RS().LinesPerpage = 13;
        RS().ReportAlignment = TAlignment::taLeftJustify;
    }
    // The line of the page title memo on the first page of a report of the
    // grid, the memo holding Text placed and aligned as given.
    std::string PageTitleLine(const std::string& Text, int XPosPer, int WidPer, TAlignment Align) {
        TRptMemo& title = RS().Memo(M::rmPgTi);
        title.SetText(Text);
        title.XPosPer = XPosPer;
        title.WidPer = WidPer;
        title.Alignment = Align;
        StartRun(grid.get());
        EXPECT_EQ(PrintRun(), 1);
        const std::vector<std::string> lines = SplitLines(Output());
        return lines.size() >= 2 ? lines[1] : std::string();
    }
    // The setup error that measuring the memos of a run of the grid raises,
    // or "" when it raises none.
    std::string MeasuringError() {
        StartRun(grid.get());
        PrepareToPrint();
        try {
            PS().CalcMemoHts();
        } catch (const ETrxSUError& e) {
            return e.Message;
        }
        return {};
    }
    std::unique_ptr<TStringGrid> grid;
};

TEST_F(PageLayoutTest, PanelsStandSideBySideWithoutOverlap) {
    // Unshared borders leave a gap between the row titles and the data;
    // the step to the next panel includes it.
    RS().PanelsAcrossPage = 2;
    SetOpt(S::soShareAdjBorders, false);
    grid = Grid(2, 14, 1);
    StartRun(grid.get());
    PrepareToPrint();
    EXPECT_EQ(PS().PanelsAcross, 2);
    EXPECT_EQ(PS().PanelStep, 22); // 8 + 1 + 12 wide, and the gap between panels
    EXPECT_EQ(PS().TableWid, 43);
    EXPECT_EQ(PrintRun(), 1);
    const std::vector<std::string> pages = OutputPages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0],
              "\n"
              "+------+ +----------+ +------+ +----------+\n"
              "|  C0  | | # |  C1  | |  C0  | | # |  C1  |\n"
              "+------+ +----------+ +------+ +----------+\n"
              "+------+ +----------+ +------+ +----------+\n"
              "| r1c0 | |  1| r1c1 | | r7c0 | |  7| r7c1 |\n"
              "| r2c0 | |  2| r2c1 | | r8c0 | |  8| r8c1 |\n"
              "| r3c0 | |  3| r3c1 | | r9c0 | |  9| r9c1 |\n"
              "| r4c0 | |  4| r4c1 | | r10c0| | 10| r10c1|\n"
              "| r5c0 | |  5| r5c1 | | r11c0| | 11| r11c1|\n"
              "| r6c0 | |  6| r6c1 | | r12c0| | 12| r12c1|\n"
              "+------+ +----------+ +------+ +----------+\n");
    // The last sheet: the data ends in panel 2.
    EXPECT_NE(pages[1].find("| r14c0| | 14| r14c1|\n+------+ +----------+\n"), std::string::npos);
}

TEST_F(PageLayoutTest, MemosStayBetweenThePageMargins) {
    // A memo over the whole printable width ends at the right margin.
    RS().PageMargin[U::umTxt] = TRect{5, 1, 5, 0};
    grid = Grid(2, 3);
    const std::string memo = PageTitleLine("Left^PR", 0, 100, TAlignment::taLeftJustify);
    EXPECT_EQ(memo.find("Left"), 4u); // the per cent count from the margin's own column
    EXPECT_EQ(memo.find_last_not_of(' '), 44u);
    EXPECT_EQ(memo[44], '1');
    EXPECT_LE(memo.size(), 45u);
}

TEST_F(PageLayoutTest, MemosStandAtTheirPerCentOfThePrintableWidth) {
    // 40 printable columns between margins of 5: a memo spans from column
    // 5 + XPosPer % of 40 to that column + WidPer % of 40, both included.
    RS().PageMargin[U::umTxt] = TRect{5, 1, 5, 0};
    grid = Grid(2, 3);
    struct Case {
        int XPosPer, WidPer;
        TAlignment Align;
        std::string Text;
        std::size_t At; // index of the text in its line
    };
    const Case cases[] = {
        {50, 50, TAlignment::taLeftJustify, "M", 24}, // columns 25 to 45
        {25, 50, TAlignment::taCenter, "ab", 23}, // columns 15 to 35: 21 wide
        {10, 80, TAlignment::taCenter, "Page 1", 21}, // columns 9 to 41: 33 wide
        {50, 30, TAlignment::taRightJustify, "r", 36}, // columns 25 to 37
        {80, 50, TAlignment::taRightJustify, "x", 44}, // cut at the right margin, column 45
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        const std::string line = PageTitleLine(c.Text, c.XPosPer, c.WidPer, c.Align);
        EXPECT_EQ(line.find_first_not_of(' '), c.At);
        EXPECT_EQ(line.find(c.Text), c.At);
    }

    // Without a left margin a memo begins in the page's first column and is
    // no wider than the page.
    RS().PageMargin[U::umTxt] = TRect{0, 1, 0, 0};
    EXPECT_EQ(PageTitleLine("a^PR", 0, 100, TAlignment::taLeftJustify), "a" + std::string(48, ' ') + "1");
}

TEST_F(PageLayoutTest, AReportFooterWithoutRoomGoesWholeOnAPageOfItsOwn) {
    RS().Memo(M::rmRptFtr).SetText("End of report\r\nsecond line");
    RS().Memo(M::rmPgNum).SetText("-^P-");
    grid = Grid(2, 12, 1);
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    std::vector<std::string> pages = OutputPages();
    ASSERT_EQ(pages.size(), 4u);
    // The last page's data ends two lines above the page number: the
    // footer's two lines follow on a page with the page memos only.
    const std::string lastRows =
        "\n"
        "+-----------------+\n"
        "|  C0  | # |  C1  |\n"
        "|------+---+------|\n"
        "| r7c0 |  7| r7c1 |\n"
        "| r8c0 |  8| r8c1 |\n"
        "| r9c0 |  9| r9c1 |\n"
        "| r10c0| 10| r10c1|\n"
        "| r11c0| 11| r11c1|\n"
        "| r12c0| 12| r12c1|\n"
        "+-----------------+\n"
        "\n"
        "                       -2-\n";
    const std::string footerPage =
        "\n"
        "\n"
        "                  End of report\n"
        "                   second line\n" +
        std::string(8, '\n') + "                       -3-\n";
    EXPECT_EQ(pages[1], lastRows);
    EXPECT_EQ(pages[2], footerPage);
    EXPECT_EQ(pages[0].find("End of report"), std::string::npos);
    EXPECT_EQ(PS().PagesOutput, 3);

    // A range that ends before it leaves the footer's page out; one that
    // starts on it prints it alone.
    RS().PrintWhat = TPrintWhat::pwPageRange;
    RS().PageRangeFrom = TPoint{0, 2};
    RS().PageRangeTo = TPoint{0, 2};
    EXPECT_EQ(PrintRun(), 1);
    pages = OutputPages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], lastRows);
    RS().PageRangeFrom = TPoint{0, 3};
    RS().PageRangeTo = TPoint{0, 5};
    EXPECT_EQ(PrintRun(), 1);
    pages = OutputPages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], footerPage);

    // With room under the last rows it stays there.
    RS().PrintWhat = TPrintWhat::pwAll;
    grid = Grid(2, 10, 1);
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    pages = OutputPages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_NE(pages[1].find("| r10c0| 10| r10c1|\n+-----------------+\n                  End of report\n"
                            "                   second line\n"),
              std::string::npos)
        << pages[1];
}

TEST_F(PageLayoutTest, AReportFooterTallerThanAPageOfItsOwnIsASetupError) {
    // A page of 13 lines holds the top margin, the line the table's bottom
    // border would take, the page number and 10 lines of footer.
    RS().Memo(M::rmPgNum).SetText("-^P-");
    std::string footer = "footer 1";
    for (int i = 2; i <= 10; ++i) footer += "\r\nfooter " + std::to_string(i);
    RS().Memo(M::rmRptFtr).SetText(footer);
    grid = Grid(2, 12, 1);
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    const std::vector<std::string> pages = OutputPages();
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_NE(pages[2].find("footer 1\n"), std::string::npos);
    EXPECT_NE(pages[2].find("footer 10\n                       -3-\n"), std::string::npos) << pages[2];

    RS().Memo(M::rmRptFtr).SetText(footer + "\r\nfooter 11");
    const std::string error = MeasuringError();
    EXPECT_NE(error.find("Report Memos are too large"), std::string::npos) << error;
    EXPECT_NE(error.find("Another 1 vertical lines required."), std::string::npos) << error;
    EXPECT_THROW(PrintRun(), ETrxSUError);
    EXPECT_EQ(PS().LastModalResult, 3);
}

TEST_F(PageLayoutTest, MemosThatLeaveNoRoomForDataNameTheShortfall) {
    RS().LinesPerpage = 10;
    RS().Memo(M::rmPgTi).SetText("Title\r\nsecond\r\nthird");
    RS().Memo(M::rmPgNum).SetText("^P");
    grid = Grid(2, 3);
    EXPECT_EQ(MeasuringError(),
              "Tabrix! Setup Error: *WARNING* Report Memos are too large for page size. \r\r"
              "Decrease size of Titles & Memos or select a larger paper size.\r"
              "Another 3 vertical lines required.");
    // Inside a run the error ends it as aborted and reaches the caller, as
    // a setup error does, before the output is opened: the file is kept.
    WriteAll(OutName(), "the previous report");
    try {
        PrintRun();
        ADD_FAILURE() << "no setup error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message.rfind("Tabrix! Setup Error: *WARNING* Report Memos are too large for page size.", 0), 0u);
    }
    EXPECT_EQ(PS().LastModalResult, 3);
    EXPECT_EQ(PS().OperStatus, TOperStatus::osAbort);
    EXPECT_EQ(PS().AbortReason.rfind("Tabrix! Setup Error: *WARNING* Report Memos", 0), 0u);
    EXPECT_EQ(Output(), "the previous report");
}

TEST_F(PageLayoutTest, APageWithoutRoomForOneCharacterOfAColumnIsASetupError) {
    // Line numbers up to 20,000 take 8 of the 10 columns: not one character
    // of a data column fits beside them.
    RS().TxtCharsPageWid = 10;
    RS().StartingReportLineId = 10000;
    grid = Grid(2, 3);
    EXPECT_EQ(MeasuringError(),
              "Tabrix! Setup Error: Report PageSize Problem\rPage is too narrow for column C0\r"
              "Use wider paper or smaller margins, or turn off Line Numbers");
    EXPECT_THROW(PrintRun(), ETrxSUError);
    EXPECT_EQ(PS().LastModalResult, 3);
    EXPECT_EQ(PS().PagesOutput, 0);
    EXPECT_EQ(Output(), "");

    // One character of room is enough: the column wraps in it.
    RS().TxtCharsPageWid = 12;
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_NE(Output().find("| 10,000| r|\r\n|       | 1|"), std::string::npos) << Output();

    // An empty column needs no room.
    RS().TxtCharsPageWid = 10;
    SetOpt(S::soLineNumbers, false);
    SetOpt(S::soColumnTitles, false);
    for (int r = 0; r <= 3; ++r) grid->SetCells(1, r, "");
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
}

TEST_F(PageLayoutTest, ARowTallerThanAnEmptyPageIsCutToTheRoomLeft) {
    RS().MaxStringLines = 20;
    RS().MaxStringColWid[U::umTxt] = 4;
    grid = Grid(2, 3);
    grid->SetCells(1, 2, std::string(60, 'w')); // 15 lines of 4 characters
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    const std::vector<std::string> pages = OutputPages();
    ASSERT_EQ(pages.size(), 4u);
    // Row 2 fills the room of its own page: 13 lines less the blank top
    // line, the top border, the titles, the line under them
    // the titles, and the bottom border.
    EXPECT_EQ(std::count(pages[1].begin(), pages[1].end(), '\n'), 13);
    std::string cut = "| 2| r2c0| wwww|\n";
    for (int i = 1; i < 8; ++i) cut += "|  |     | wwww|\n";
    EXPECT_NE(pages[1].find(cut + "+--------------+\n"), std::string::npos);
    EXPECT_NE(pages[2].find("| 3| r3c0| r3c1|"), std::string::npos);
}

TEST_F(PageLayoutTest, APageWithoutRoomForOneLineAbortsWithAPrintingError) {
    // Title rows fill the page: not one line of a data row fits.
    grid = Grid(2, 3);
    grid->SetRowCount(12);
    grid->SetFixedRows(9);
    for (int r = 9; r < 12; ++r) grid->SetCells(0, r, "d" + std::to_string(r));
    StartRun(grid.get());
    PrepareToPrint();
    PS().CalcMemoHts();
    try {
        PS().PrintPages();
        FAIL() << "no printing error";
    } catch (const ETrxPrtError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Printing Error: \rThe page has no room for one line of a report row. Page:1");
    }
    EXPECT_EQ(PrintRun(), 3);
}

TEST_F(PageLayoutTest, EveryPageAcrossReplaysTheRowsOfItsPageRowAtTheirHeights) {
    RS().TxtCharsPageWid = 26;
    RS().MaxStringColWid[U::umTxt] = 8;
    grid = Grid(4, 8);
    for (int r = 1; r <= 8; ++r) grid->SetCells(1, r, r % 2 ? "two words" : "one");
    StartRun(grid.get());
    ASSERT_EQ(PS().PagesAcross, 2);
    EXPECT_EQ(PrintRun(), 1);
    const std::vector<std::string> pages = OutputPages();
    ASSERT_GE(pages.size(), 4u);
    // Page 1-2 holds the records of page 1-1, line for line.
    EXPECT_EQ(std::count(pages[0].begin(), pages[0].end(), '\n'), std::count(pages[1].begin(), pages[1].end(), '\n'));
    EXPECT_NE(pages[0].find("| 1| r1c0| two     | r1c2|\n|  |     | words   |     |\n| 2| r2c0| one     |"),
              std::string::npos);
    EXPECT_NE(pages[1].find("| 1| r1c3|\n|  |     |\n| 2| r2c3|\n| 3| r3c3|\n|  |     |\n| 4| r4c3|\n+--------+"),
              std::string::npos);
    EXPECT_NE(pages[3].find("| 5| r5c3|\n|  |     |\n| 6| r6c3|"), std::string::npos);
}

TEST_F(PageLayoutTest, ARecordThatIsGoneShowsAnErrorRowAcrossItsPanel) {
    TMemDataSet data;
    data.SetName("mdItems");
    data.AddFieldDef("Name", TFieldType::ftString, 10);
    data.AddFieldDef("Notes", TFieldType::ftString, 30);
    data.AddFieldDef("More", TFieldType::ftString, 30);
    for (int r = 1; r <= 4; ++r)
        data.AppendRecord({"n" + std::to_string(r), std::string(18, 'a' + r), std::string(18, 'k' + r)});
    data.Open();
    RS().ReportAlignment = TAlignment::taCenter;
    RS().TxtCharsPageWid = 40;
    RS().MaxStringColWid[U::umTxt] = 30;
    StartRun(&data);
    PrepareToPrint();
    ASSERT_EQ(PS().PagesAcross, 2);
    PS().CalcMemoHts();
    PS().CorrectPageRange();
    // Page 1-1 reads the records; the second one is deleted before page 1-2
    // replays them.
    PS().InitPrintPages();
    PS().Oper = TOper::opPreview;
    PS().CurPage = TPoint{1, 1};
    PS().FirstColNdx = PS().CurColNdx = 0;
    PS().PrintPage();
    data.First();
    data.Next();
    data.Delete();
    PS().CurPage = TPoint{2, 1};
    int x = 2;
    PS().FirstColNdx = PS().CurColNdx = OI().GetPageXColNum(x);
    PS().PrintPage();
    const TTextPage& page = PS().TextPage;
    int found = -1;
    for (int i = 0; i < page.Count(); ++i)
        if (page.Line(i).find("*ERROR*") != std::string::npos) found = i;
    ASSERT_GE(found, 0);
    const std::string& row = page.Line(found);
    const std::string& border = page.Line(page.Count() - 1); // the bottom border
    // The message row starts where the table starts and closes at its right edge.
    EXPECT_EQ(row.find('|'), border.find('+'));
    EXPECT_EQ(row.find_last_not_of(' '), border.find_last_not_of(' '));
    EXPECT_EQ(row[row.find_last_not_of(' ')], '|');
}

// ---- One cell --------------------------------------------------------------

class CellTextTest : public PageLayoutTest {
protected:
    // A page buffer with a column 6 wide holding 2 spare characters on
    // each side; the cell's text goes into columns 11 to 16.
    void SetUp() override {
        grid = Grid(1, 1);
        StartRun(grid.get());
        TColsListData& col = OI().Col(OI().ColCount() - 1);
        col.SpareLeft = 2;
        col.SpareRight = 2;
        PS().CurColNdx = OI().ColCount() - 1;
        OI().CurCell.Y = 1;
    }
    std::string Print(const std::string& Text, TRegPlaneNdx Plane, TFieldType Type) {
        grid->SetCells(0, 1, Text);
        grid->SetCells(0, 0, Text);
        OI().CurCell.Y = Plane == P::plFirst ? 0 : 1;
        PS().TextPage.Clear();
        PS().TextRect = TRect{11, 0, 16, 0};
        PS().PrintCellText(Plane, Type);
        return PS().TextPage.Count() ? PS().TextPage.Line(0) : std::string();
    }
};

TEST_F(CellTextTest, ANumberTooWideTakesTheSpareRoomLeftFirst) {
    EXPECT_EQ(Print("123456789", P::plMiddle, TFieldType::ftInteger), "        123456789");
    EXPECT_EQ(PS().TextRect.Left, 9);
    EXPECT_EQ(PS().TextRect.Right, 17);
    // Five too wide: asterisks over the whole grown rectangle.
    EXPECT_EQ(Print("12345678901", P::plMiddle, TFieldType::ftInteger), "        **********");
    // Totals follow the same rule.
    EXPECT_EQ(Print("12345678901", P::plLast, TFieldType::ftFloat), "        **********");
}

TEST_F(CellTextTest, TitlesAndTextsAreNeverAsterisks) {
    EXPECT_EQ(Trim(Print("12345678901", P::plFirst, TFieldType::ftInteger)), "123456");
    EXPECT_EQ(Trim(Print("abcdefghijk", P::plMiddle, TFieldType::ftString)), "abcdef");
}

} // namespace
} // namespace trx::test
