// The page loop over whole reports to a text file: pages down and across,
// page ranges, line numbers and bookmarks, panels, memos, form feeds, and
// rows that do not fit.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/report_fixture.h"
#include "engine/trx_errors.h"
#include "framework/data/table.h"
#include "support/sqlite_file.h"

namespace trx::test {
namespace {

using M = TRptMemoNdx;
using S = TStyleOptNdx;

class PageLoopTest : public ReportTest {
protected:
    PageLoopTest() {
        RS().OutputQuality = 0;  // ASCII lines read best in a test
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
    ASSERT_EQ(pages.size(), 7u);  // and the closing form feed
    // Pages 1 and 2 were laid out to count the records and line numbers;
    // the second page across repeats the records of the first.
    EXPECT_EQ(pages[0],
              "\n"
              "           Page 3-1\n"
              "  +------------------------+\n"
              "  | # |  C0  |      C1     |\n"
              "  |---+------+-------------|\n"
              "  |  7| r7c0 | long text 7 |\n"
              "  |  8| r8c0 | long text 8 |\n"
              "  |  9| r9c0 | long text 9 |\n"
              "  +------------------------+\n");
    EXPECT_EQ(pages[1],
              "\n"
              "           Page 3-2\n"
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

TEST_F(PageLoopTest, EveryPageAfterTheFirstBeginsWithAFormFeed) {
    grid = Grid(3, 9);
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(PS().PagesOutput, 3);
    const std::string out = Output();
    EXPECT_EQ(std::count(out.begin(), out.end(), '\f'), 3);
    EXPECT_NE(out.find("\r\n\f "), std::string::npos);  // in front of a page's first line
    EXPECT_EQ(out.substr(out.size() - 3), "\f\r\n");    // and one closing line
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

} // namespace
} // namespace trx::test
