// The page loop over whole reports to a text file: pages down and across,
// page ranges, line numbers and bookmarks, panels, memos, form feeds, and
// rows that do not fit.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/report_fixture.h"
#include "engine/trx_errors.h"
#include "framework/data/query.h"
#include "framework/forms/standard_controls.h"

namespace trx::test {
namespace {

using M = TRptMemoNdx;
using S = TStyleOptNdx;

class PageLoopTest : public ReportTest {
protected:
    PageLoopTest() {
        RS().OutputQuality = 0; // ASCII lines read best in a test
        RS().TxtCharsPageWid = 30;
        RS().LinesPerpage = 10;
        RS().Memo(M::rmPgTi).SetText("Page ^P");
    }

    // A grid of four columns whose second one is wide enough to push the
    // last two onto a second page across.
    std::unique_ptr<TStringGrid> WideGrid(int Rows) {
        auto grid = Grid(4, Rows);
        for (int r = 1; r <= Rows; ++r) grid->SetCells(1, r, "long text " + std::to_string(r));
        return grid;
    }
    void Range(TPoint From, TPoint To) {
        RS().PrintWhat = TPrintWhat::pwPageRange;
        RS().PageRangeFrom = From;
        RS().PageRangeTo = To;
    }
    // The page labels ("Page 3-1") of the output, in order.
    std::vector<std::string> PageLabels() const {
        std::vector<std::string> labels;
        for (const std::string& line : SplitLines(Output())) {
            const std::size_t at = line.find("Page ");
            if (at != std::string::npos) labels.push_back(Trim(line.substr(at)));
        }
        return labels;
    }

    std::unique_ptr<TStringGrid> grid;
};

TEST_F(PageLoopTest, PageRangeWithTwoPagesAcrossPrintsEveryPageAcrossOfItsRows) {
    grid = WideGrid(20);
    Range({0, 3}, {0, 5});
    StartRun(grid.get());
    ASSERT_EQ(PS().PagesAcross, 2);
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(PageLabels(),
              (std::vector<std::string>{"Page 3-1", "Page 3-2", "Page 4-1", "Page 4-2", "Page 5-1", "Page 5-2"}));
    EXPECT_EQ(PS().PagesOutput, 6);
    const std::vector<std::string> pages = OutputPages();
    ASSERT_EQ(pages.size(), 7u); // and the closing form feed
    // Pages 1 and 2 were laid out to count the records and line numbers;
    // the second page across repeats the records of the first.
    EXPECT_EQ(pages[0],
              "\n"
              "          Page 3-1\n"
              "  +------------------------+\n"
              "  | # |  C0  |      C1     |\n"
              "  |---+------+-------------|\n"
              "  |  7| r7c0 | long text 7 |\n"
              "  |  8| r8c0 | long text 8 |\n"
              "  |  9| r9c0 | long text 9 |\n"
              "  +------------------------+\n");
    EXPECT_EQ(pages[1],
              "\n"
              "          Page 3-2\n"
              "     +-----------------+\n"
              "     | # |  C2  |  C3  |\n"
              "     |---+------+------|\n"
              "     |  7| r7c2 | r7c3 |\n"
              "     |  8| r8c2 | r8c3 |\n"
              "     |  9| r9c2 | r9c3 |\n"
              "     +-----------------+\n");
    EXPECT_NE(pages[4].find("| 13| r13c0| long text 13|"), std::string::npos);
    EXPECT_NE(pages[5].find("| 15| r15c2| r15c3|"), std::string::npos);
    EXPECT_EQ(pages[6], "\n");
}

TEST_F(PageLoopTest, RangeFromAPageAcrossToAFirstPageAcross) {
    grid = WideGrid(20);
    Range({2, 2}, {1, 4});
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(PageLabels(), (std::vector<std::string>{"Page 2-2", "Page 3-1", "Page 3-2", "Page 4-1"}));
    const std::vector<std::string> pages = OutputPages();
    ASSERT_GE(pages.size(), 2u);
    EXPECT_NE(pages[0].find("|  4| r4c2 | r4c3 |"), std::string::npos);
    EXPECT_EQ(pages[0].find("C1"), std::string::npos);
}

TEST_F(PageLoopTest, AReportFooterCarriedToTheNextPageRowStandsUnderEveryPageAcross) {
    grid = WideGrid(6);
    RS().Memo(M::rmRptFtr).SetText("The End\r\nof it");
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    // Rows 4 to 6 fill the second page row; the footer follows on a row of
    // pages of its own, without column titles.
    EXPECT_EQ(PageLabels(),
              (std::vector<std::string>{"Page 1-1", "Page 1-2", "Page 2-1", "Page 2-2", "Page 3-1", "Page 3-2"}));
    const std::vector<std::string> pages = OutputPages();
    ASSERT_EQ(pages.size(), 7u);
    EXPECT_EQ(pages[3].find("The End"), std::string::npos);
    EXPECT_NE(pages[3].find("| 6| r6c3|\n          +--------+\n"), std::string::npos) << pages[3];
    for (int p : {4, 5})
        EXPECT_EQ(pages[static_cast<std::size_t>(p)],
                  "\n"
                  "          Page 3-" +
                      std::to_string(p - 3) +
                      "\n"
                      "\n"
                      "           The End\n"
                      "            of it\n");
}

TEST_F(PageLoopTest, EveryPageAfterTheFirstBeginsWithAFormFeed) {
    grid = Grid(3, 9);
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(PS().PagesOutput, 3);
    const std::string out = Output();
    EXPECT_EQ(std::count(out.begin(), out.end(), '\f'), 3);
    EXPECT_NE(out.find("\r\n\f "), std::string::npos); // in front of a page's first line
    EXPECT_EQ(out.substr(out.size() - 3), "\f\r\n"); // and one closing line
    EXPECT_NE(out[0], '\f');

    // Without form feeds the pages simply follow each other.
    SetOpt(S::soFormFeeds, false);
    EXPECT_EQ(PrintRun(), 1);
    const std::string plain = Output();
    EXPECT_EQ(std::count(plain.begin(), plain.end(), '\f'), 0);
    EXPECT_EQ(SplitLines(plain).size(), SplitLines(out).size() - 1);
}

TEST_F(PageLoopTest, APageOfOneLineGetsNoFormFeed) {
    // Five rows to a page and nothing else on it: the sixth row is a page
    // of its own, one line long.
    RS().Memo(M::rmPgTi).SetText("");
    RS().PageMargin[TUnitsOfMeasure::umTxt] = TRect{0, 0, 0, 0};
    RS().LinesPerpage = 6;
    SetOpt(S::soColumnTitles, false);
    SetOpt(S::soBorders, false);
    grid = Grid(2, 6);
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(PS().PagesOutput, 2);
    const std::vector<std::string> lines = SplitLines(Output());
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(Trim(lines[5]), "6| r6c0| r6c1");
    EXPECT_EQ(lines[6], "\f");
}

TEST_F(PageLoopTest, TheReportMemosOpenTheFirstPageAndThePageMemosEveryPage) {
    RS().TxtCharsPageWid = 40;
    RS().LinesPerpage = 24;
    RS().ReportAlignment = TAlignment::taLeftJustify;
    RS().Memo(M::rmRptTi).SetText("Report Title");
    RS().Memo(M::rmRptHdr).SetText("Report Header");
    RS().Memo(M::rmPgHdr).SetText("PgHdr");
    RS().Memo(M::rmPgFtr).SetText("PgFtr");
    RS().Memo(M::rmPgNum).SetText("-^P-");
    RS().Memo(M::rmCopyright).SetText("(c)");
    RS().Memo(M::rmRptFtr).SetText("The End");
    grid = Grid(2, 12);
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    const std::vector<std::string> pages = OutputPages();
    ASSERT_EQ(pages.size(), 3u);
    // The page memos at the foot stand on the last lines of every page.
    const std::string foot =
        "                 PgFtr\n"
        "                  -%d-\n"
        "                  (c)\n";
    auto footOf = [&](int Page) {
        std::string f = foot;
        f.replace(f.find("%d"), 2, std::to_string(Page));
        return f;
    };
    EXPECT_EQ(pages[0],
              "\n"
              "             Report Title\n"
              "             Report Header\n"
              "                Page 1\n"
              "                 PgHdr\n"
              "+-----------------+\n"
              "| # |  C0  |  C1  |\n"
              "|---+------+------|\n"
              "|  1| r1c0 | r1c1 |\n"
              "|  2| r2c0 | r2c1 |\n"
              "|  3| r3c0 | r3c1 |\n"
              "|  4| r4c0 | r4c1 |\n"
              "|  5| r5c0 | r5c1 |\n"
              "|  6| r6c0 | r6c1 |\n"
              "|  7| r7c0 | r7c1 |\n"
              "|  8| r8c0 | r8c1 |\n"
              "|  9| r9c0 | r9c1 |\n"
              "| 10| r10c0| r10c1|\n"
              "| 11| r11c0| r11c1|\n"
              "+-----------------+\n"
              "\n" +
                  footOf(1));
    // The last page: no report title or header, the report footer under
    // the data.
    EXPECT_EQ(pages[1],
              "\n"
              "                Page 2\n"
              "                 PgHdr\n"
              "+-----------------+\n"
              "| # |  C0  |  C1  |\n"
              "|---+------+------|\n"
              "| 12| r12c0| r12c1|\n"
              "+-----------------+\n"
              "                The End\n" +
                  std::string(12, '\n') + footOf(2));
}

TEST_F(PageLoopTest, AMemoOfACodeAloneMeasuresAndPrintsItsText) {
    // The run's date and time exist before the memos are measured: a memo
    // that holds only a code is as tall as its text.
    RS().TxtCharsPageWid = 40;
    RS().LinesPerpage = 12;
    RS().MemoDateFormatStr = "yyyy-mm-dd";
    RS().MemoTimeFormatStr = "hh:nn";
    RS().Memo(M::rmPgTi).SetText("^T");
    RS().Memo(M::rmPgNum).SetText("^D");
    grid = Grid(2, 3);
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    const std::vector<std::string> pages = OutputPages();
    ASSERT_GE(pages.size(), 1u);
    const std::string head = "\n" + std::string(17, ' ') + "12:00\n";
    const std::string foot = "\n" + std::string(14, ' ') + "2025-12-09\n";
    EXPECT_EQ(pages[0].substr(0, head.size()), head) << pages[0];
    ASSERT_GE(pages[0].size(), foot.size());
    EXPECT_EQ(pages[0].substr(pages[0].size() - foot.size()), foot) << pages[0];
    EXPECT_EQ(PS().DateText, "2025-12-09");
    EXPECT_EQ(RS().RunDateTime, 46000.5);
}

TEST_F(PageLoopTest, AGroupBreakLineStandsWhereTheFirstTextMovesLeft) {
    RS().TxtCharsPageWid = 40;
    RS().LinesPerpage = 14;
    RS().ReportAlignment = TAlignment::taLeftJustify;
    RS().Memo(M::rmPgTi).SetText("");
    SetOpt(S::soGrpBrkLines, true);
    SetOpt(S::soLineNumbers, false);
    grid = Grid(3, 8);
    for (int r = 1; r <= 8; ++r) grid->SetCells(0, r, r % 3 == 1 ? "grp" : "");
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    const std::vector<std::string> pages = OutputPages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0],
              "\n"
              "+----------------+\n"
              "| C0 |  C1 |  C2 |\n"
              "|----+-----+-----|\n"
              "| grp| r1c1| r1c2|\n"
              "|    | r2c1| r2c2|\n"
              "|    | r3c1| r3c2|\n"
              "|----+-----+-----|\n"
              "| grp| r4c1| r4c2|\n"
              "|    | r5c1| r5c2|\n"
              "|    | r6c1| r6c2|\n"
              "|----+-----+-----|\n"
              "| grp| r7c1| r7c2|\n"
              "+----------------+\n");
    // The first row of a page has its top border, not a break.
    EXPECT_EQ(pages[1],
              "\n"
              "+----------------+\n"
              "| C0 |  C1 |  C2 |\n"
              "|----+-----+-----|\n"
              "|    | r8c1| r8c2|\n"
              "+----------------+\n");

    // Without group-break lines the groups run on.
    SetOpt(S::soGrpBrkLines, false);
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(OutputPages()[0].find("|----+-----+-----|\n| grp| r4c1"), std::string::npos);
    EXPECT_NE(OutputPages()[0].find("|    | r3c1| r3c2|\n| grp| r4c1| r4c2|\n"), std::string::npos);
}

TEST_F(PageLoopTest, TitlesAndDataPrintAsStoredOnEveryDestination) {
    // Carets in the object's texts are no memo codes.
    grid = Grid(2, 3);
    grid->SetCells(1, 0, "x^Dy");
    grid->SetCells(0, 1, "E=mc^2");
    grid->SetCells(1, 1, "AT^T");
    grid->SetCells(0, 2, "2^10=1024");
    StartRun(grid.get());
    auto check = [](const std::string& Out) {
        for (const char* text : {"x^Dy", "E=mc^2", "AT^T", "2^10=1024", "Page 1"})
            EXPECT_NE(Out.find(text), std::string::npos) << text << " in\n" << Out;
    };
    EXPECT_EQ(PrintRun(), 1);
    check(Output());

    RS().OutputDest = TOutputDest::odPrinter;
    RS().FastPrinterText = true;
    EXPECT_EQ(PrintRun(), 1);
    check(spooler.Spooler().LastJob().Data);

    RS().FastPrinterText = false;
    EXPECT_EQ(PrintRun(), 1);
    std::string drawn;
    for (const TVirtualPage& page : printer.Driver().LastDocument().Pages)
        for (const std::string& line : page.Texts()) drawn += line + "\n";
    check(drawn);
}

TEST_F(PageLoopTest, ControlCharactersInTheDataPrintAsBlanks) {
    using namespace std::string_literals;
    grid = Grid(2, 3);
    grid->SetCells(0, 1, "a\fb");
    grid->SetCells(1, 1, "\x1B(s3B");
    grid->SetCells(0, 2, "bell\a");
    grid->SetCells(1, 2, "x\0y"s);
    StartRun(grid.get());
    // The only control characters are the line ends and the form feeds
    // in front of the pages.
    auto check = [](const std::string& Out) {
        std::vector<std::string> lines = SplitLines(Out);
        for (std::string& line : lines) {
            if (!line.empty() && line[0] == '\f') line.erase(0, 1);
            for (char c : line)
                EXPECT_FALSE(static_cast<unsigned char>(c) < ' ') << static_cast<int>(c) << " in " << line;
        }
        for (const char* text : {"| a b ", "|  (s3B", "| bell ", "| x y "})
            EXPECT_NE(Out.find(text), std::string::npos) << text << " in\n" << Out;
    };
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(PS().PagesOutput, 1);
    check(Output());

    RS().OutputDest = TOutputDest::odPrinter;
    RS().FastPrinterText = true;
    EXPECT_EQ(PrintRun(), 1);
    check(spooler.Spooler().LastJob().Data);
}

// ---- Sheets ----------------------------------------------------------------

class PrinterSheetsTest : public PageLoopTest {
protected:
    PrinterSheetsTest() {
        RS().OutputDest = TOutputDest::odPrinter;
        RS().ShrinkToPage = false; // a wide report stays wide
        RS().Memo(M::rmPgTi).SetText("Page ^P");
    }
    const TVirtualDocument& Document() { return printer.Driver().LastDocument(); }
    // The page label drawn on each sheet.
    std::vector<std::string> SheetLabels() {
        std::vector<std::string> labels;
        for (const TVirtualPage& page : Document().Pages) {
            std::string label;
            for (const std::string& text : page.Texts())
                if (text.find("Page ") != std::string::npos) label = Trim(text);
            labels.push_back(label);
        }
        return labels;
    }
    // A grid as wide as two printed pages.
    std::unique_ptr<TStringGrid> TwoPagesWide(int Rows) {
        auto g = Grid(8, Rows);
        for (int c = 0; c < 8; ++c)
            for (int r = 1; r <= Rows; ++r) g->SetCells(c, r, std::string(16, 'a' + c) + std::to_string(r));
        return g;
    }
};

TEST_F(PrinterSheetsTest, TheCurrentPagePrintsOneSheetPerPageAcross) {
    grid = TwoPagesWide(5);
    RS().PrintWhat = TPrintWhat::pwCurrentPage;
    StartRun(grid.get());
    ASSERT_EQ(PS().PagesAcross, 2);
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_TRUE(Document().Ended);
    EXPECT_EQ(SheetLabels(), (std::vector<std::string>{"Page 1-1", "Page 1-2"}));
}

TEST_F(PrinterSheetsTest, ATestPageIsOneSheetAndNoEmptySheetFollowsTheLastPage) {
    grid = TwoPagesWide(5);
    RS().PrintWhat = TPrintWhat::pwTestPage;
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(SheetLabels(), (std::vector<std::string>{"Page 1-1"}));

    RS().PrintWhat = TPrintWhat::pwAll;
    grid = Grid(2, 200);
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    const std::vector<std::string> labels = SheetLabels();
    ASSERT_EQ(static_cast<int>(labels.size()), PS().PagesOutput);
    EXPECT_EQ(labels.back(), "Page " + std::to_string(PS().PagesOutput));
    // The lines of a text page go down the sheet a line height apart.
    const std::vector<TDrawOp>& ops = Document().Pages.front().Ops();
    ASSERT_GE(ops.size(), 3u);
    EXPECT_EQ(ops[0].Pos, (TPoint{0, 0}));
    EXPECT_EQ(ops[1].Pos, (TPoint{0, PS().LineHt}));
}

TEST_F(PrinterSheetsTest, APageLaidOutForThePreviewBreaksNoSheet) {
    RS().OutputDest = TOutputDest::odPrinter;
    RS().FastPrinterText = true;
    grid = Grid(3, 30);
    StartRun(grid.get());
    PrepareToPrint();
    ASSERT_TRUE(PS().UseFastPrinterText);
    TMemo memo(nullptr);
    PS().PreviewMemo = &memo;
    PS().CalcMemoHts();
    PS().InitPrintPages();
    PS().Oper = TOper::opPreview;
    for (int y = 1; y <= 3; ++y) {
        PS().CurPage = TPoint{1, y};
        PS().PrintPage();
    }
    EXPECT_TRUE(spooler.Spooler().Log().empty());
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_NE(memo.Lines().Text().find("Page 3"), std::string::npos);
    PS().PreviewMemo = nullptr;
}

// ---- Where a run starts ----------------------------------------------------

// The preview's page list: vertical page 2 began at data row 5, line 5.
class FakePreviewPages : public TPreviewPagePositions {
public:
    bool RestorePagePosition(const TPoint& Page, bool Fallback) override {
        Asked.push_back(Fallback);
        if (!Knows || (Page.Y != 2 && !Fallback)) return false;
        PrintSettings->CurPage.Y = 2;
        int x = std::max(1, Page.X);
        PrintSettings->CurColNdx = ObjInfo->GetPageXColNum(x);
        PrintSettings->CurPage.X = x;
        PrintSettings->FirstColNdx = PrintSettings->CurColNdx;
        ObjInfo->CurCell = TPoint{0, 5};
        PrintSettings->LineNum = PrintSettings->FirstLineNum = 5;
        return true;
    }
    bool Knows = true;
    std::vector<bool> Asked;
};

TEST_F(PageLoopTest, ARangeFromThePreviewStartsWhereThePreviewSawItsFirstPage) {
    grid = Grid(3, 20);
    StartRun(grid.get());
    PrepareToPrint();
    FakePreviewPages pages;
    PS().PreviewPages = &pages;
    PS().SetPageRange(TPrintWhat::pwPageRange, true, TPoint{0, 2}, TPoint{0, 2});
    EXPECT_EQ(pages.Asked, (std::vector<bool>{false}));
    EXPECT_FALSE(PS().StartAtFirstRcd);
    EXPECT_EQ(PS().CurPage.Y, 1); // the loop steps to page 2 first
    EXPECT_EQ(PS().PrintReport(false, nullptr), 1);
    EXPECT_EQ(PageLabels(), (std::vector<std::string>{"Page 2"}));
    EXPECT_NE(Output().find("|  5| r5c0 | r5c1 | r5c2 |"), std::string::npos);
    EXPECT_NE(Output().find("|  7| r7c0 |"), std::string::npos);
    EXPECT_EQ(Output().find("|  4|"), std::string::npos);

    // A list that knows no page makes the run start from the first record;
    // the first line number is the report's again.
    pages.Knows = false;
    pages.Asked.clear();
    PS().SetPageRange(TPrintWhat::pwPageRange, true, TPoint{0, 2}, TPoint{0, 2});
    EXPECT_EQ(pages.Asked, (std::vector<bool>{false, true}));
    EXPECT_TRUE(PS().StartAtFirstRcd);
    EXPECT_EQ(PS().FirstLineNum, 1);
    EXPECT_EQ(PS().PrintReport(false, nullptr), 1);
    EXPECT_NE(Output().find("|  4| r4c0 |"), std::string::npos);
    PS().PreviewPages = nullptr;
}

TEST_F(PageLoopTest, AStartingLineNumberCountsOnFromItsValue) {
    RS().StartingReportLineId = 98;
    grid = Grid(2, 4);
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_NE(Output().find("|  98| r1c0|"), std::string::npos);
    EXPECT_NE(Output().find("| 101| r4c0|"), std::string::npos);
}

// ---- Data sources ----------------------------------------------------------

using TablePageLoopTest = PageLoopTest;

TEST_F(TablePageLoopTest, ATableReportInTheIbmLineDrawingSet) {
    RS().OutputQuality = 1;
    RS().TxtCharsPageWid = 40;
    RS().LinesPerpage = 12;
    RS().Memo(M::rmPgTi).SetText("");
    auto table = Table(
        "CREATE TABLE items(id INTEGER, name VARCHAR(10), price REAL);"
        "INSERT INTO items VALUES(1, 'tea', 2.5), (2, 'coffee', 12.25), (3, 'water', 0.5);");
    StartRun(table.get());
    EXPECT_EQ(PrintRun(), 1);
    // Numbers stand right, texts left; a short number keeps its column's
    // spare room on its right.
    EXPECT_EQ(Output(), std::string(31, ' ') +
                            "\r\n"
                            "        ┌──┬───┬───────┬──────┐\r\n"
                            "        │ #│ id│  name │ price│\r\n"
                            "        ├──┼───┼───────┼──────┤\r\n"
                            "        │ 1│ 1 │ tea   │   2.5│\r\n"
                            "        │ 2│ 2 │ coffee│ 12.25│\r\n"
                            "        │ 3│ 3 │ water │   0.5│\r\n"
                            "        └──┴───┴───────┴──────┘\r\n"
                            "\f\r\n");
}

TEST_F(TablePageLoopTest, EveryRowPrintsOnceInItsPlaceOverManyPages) {
    RS().OutputQuality = 1;
    RS().TxtCharsPageWid = 40;
    RS().LinesPerpage = 9;
    RS().Memo(M::rmPgTi).SetText("");
    RS().Snugfit = TSnugfit::osAllRows;
    SetOpt(S::soLineNumbers, false);
    std::string sql = "CREATE TABLE items(id INTEGER, name VARCHAR(10), price REAL); INSERT INTO items VALUES";
    using Row = std::vector<std::string>;
    std::vector<Row> expected;
    for (int i = 1; i <= 20; ++i) {
        const std::string id = std::to_string(i), name = "item " + std::to_string(i % 7), price = id + ".5";
        sql += (i > 1 ? ", (" : "(") + id + ", '" + name + "', " + price + ")";
        expected.push_back({id, name, price});
    }
    auto table = Table(sql + ";");
    // The cells of every data line of the output, in order.
    auto dataRows = [&] {
        std::vector<Row> rows;
        for (const std::string& line : SplitLines(Output())) {
            if (line.find("│ item") == std::string::npos) continue;
            Row& row = rows.emplace_back();
            for (std::size_t at = line.find("│"), next; (next = line.find("│", at + 1)) != std::string::npos; at = next)
                row.push_back(Trim(line.substr(at + 3, next - at - 3)));
        }
        return rows;
    };

    StartRun(table.get());
    EXPECT_EQ(PrintRun(), 1);
    const std::string first = Output();
    EXPECT_EQ(PS().PagesOutput, 7); // three rows a page between the titles and the bottom border
    EXPECT_EQ(dataRows(), expected);
    // Printed again, the rows are read again, to the same file.
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(Output(), first);

    // Counted short of the table's rows, the scan measures those counted,
    // and the print still prints every row.
    StartRun(table.get());
    OI().Rows = 6;
    OI().CalcColWids(nullptr, nullptr, nullptr);
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(dataRows(), expected);
}

TEST_F(TablePageLoopTest, EveryDestinationGetsTheSameLines) {
    // One page on every destination, at the left margin (the printer's
    // page is wider than the text file's).
    RS().LinesPerpage = 60;
    RS().ReportAlignment = TAlignment::taLeftJustify;
    RS().Memo(M::rmPgTi).SetText("");
    auto table = Table(
        "CREATE TABLE items(id INTEGER, name VARCHAR(10));"
        "INSERT INTO items VALUES(1, 'tea'), (2, 'coffee'), (3, 'water'), (4, 'milk'), (5, 'juice'),"
        "(6, 'soda'), (7, 'wine');");
    StartRun(table.get());
    EXPECT_EQ(PrintRun(), 1);
    const std::string text = Output();
    ASSERT_EQ(PS().PagesOutput, 1);

    RS().OutputDest = TOutputDest::odPrinter;
    RS().FastPrinterText = true;
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(spooler.Spooler().LastJob().Data + "\r\n", text); // the closing string is the last form feed

    // On the printer's canvas: the same lines.
    RS().FastPrinterText = false;
    EXPECT_EQ(PrintRun(), 1);
    const TVirtualDocument& doc = printer.Driver().LastDocument();
    ASSERT_EQ(doc.Pages.size(), 1u);
    std::string drawn;
    for (const std::string& line : doc.Pages[0].Texts()) drawn += line + "\r\n";
    EXPECT_EQ(drawn + "\f\r\n", text);
}

TEST_F(TablePageLoopTest, AnEmptyTableOrQueryPrintsItsPageWithTheTitlesAndNoRow) {
    RS().CountNumRcds = false;
    RS().LinesPerpage = 12;
    RS().Memo(M::rmPgFtr).SetText("footer");
    const std::string page =
        "\n"
        "           Page 1\n"
        "     +------------------+\n"
        "     |    #   | id| name|\n"
        "     +------------------+\n" +
        std::string(6, '\n') + "           footer\n";
    auto table = Table("CREATE TABLE items(id INTEGER, name VARCHAR(10));");
    StartRun(table.get());
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(PS().PagesOutput, 1);
    EXPECT_EQ(OutputPages(), (std::vector<std::string>{page, "\n"})); // and the closing form feed

    TQuery query;
    query.SetName("qryItems");
    query.SetDatabaseName(db->FileName());
    query.SQL.SetText("SELECT id, name FROM items WHERE id > 0");
    StartRun(&query);
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(PS().PagesOutput, 1);
    EXPECT_EQ(OutputPages(), (std::vector<std::string>{page, "\n"}));

    // The preview of it shows the same page.
    StartRun(table.get());
    TMemo memo(nullptr);
    PS().PreviewMemo = &memo;
    PS().SetPageRange(TPrintWhat::pwAll, false, {}, {});
    PS().CalcMemoHts();
    PS().InitPrintPages();
    PS().Oper = TOper::opPreview;
    PS().CurPage = TPoint{1, 1};
    PS().PrintPage();
    EXPECT_EQ(TrimLineEnds(memo.Lines().Text()), page);
    PS().PreviewMemo = nullptr;
}

} // namespace
} // namespace trx::test
