#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/run_scope.h"
#include "framework/core/strings.h"

using namespace trx;
using L = TRegLineNdx;
using P = TRegPlaneNdx;

namespace {

struct LineOptions {
    bool Borders = false;
    bool Share = false;
    bool Horiz = false;
    bool Vert = false;
    bool GrpBrk = false;
};

// Renders a one-plane table (no row titles) the way the page loop lays out a
// page: title rows, then data rows, then the bottom border. Each row is a
// list of cell texts; the first row is the title row. Trailing blanks of
// the buffer lines are dropped.
struct TableRender : ::testing::Test {
    TRunScope run;

    std::vector<std::string> Render(const LineOptions& o, bool ibm, const std::vector<int>& Wids,
                                    const std::vector<std::vector<std::string>>& Rows, bool Titles = true) {
        TPrintSettings& ps = run.PS();
        TtrxReportSettings& rs = run.RS();
        TRptStyles& st = run.Styles();
        rs.GridLineDrawChrs = TtrxReportSettings::DefaultGridLineDrawChrs();
        rs.OutputQuality = ibm ? 1 : 0;
        rs.LineDraw = ibm ? TLineDraw::ldIBM : TLineDraw::ldASCII;
        ps.BordersOn = o.Borders;
        ps.ShareAdjBordersOn = o.Share;
        ps.HorizLinesOn = o.Horiz;
        ps.VertLinesOn = o.Vert;
        ps.GrpBrkLinesOn = o.GrpBrk;
        st.CalcMaxLineWids();

        const int n = static_cast<int>(Wids.size());
        run.OI().ColsList.clear();
        struct Geo {
            int X, Total, LeftW, RightW;
            L LeftKind, RightKind;
        };
        std::vector<Geo> geo;
        int x = 1;
        for (int i = 0; i < n; ++i) {
            auto col = std::make_unique<TColsListData>();
            col->XPlane = P::plMiddle;
            col->FirstOnPage = col->FirstOfPlane = i == 0;
            col->LastOnPage = col->LastOfPlane = i == n - 1;
            run.OI().ColsList.push_back(std::move(col));
            Geo g{};
            st.GetVertLines(i, i == 0, P::plMiddle, g.LeftKind, g.RightKind);
            g.LeftW = st.MaxLineWid(P::plMiddle, g.LeftKind);
            g.RightW = g.RightKind == L::liBorderRight ? st.MaxLineWid(P::plMiddle, L::liBorderRight) : 0;
            g.X = x;
            g.Total = g.LeftW + Wids[i] + g.RightW;
            x += g.Total;
            geo.push_back(g);
        }
        ps.XOffset = 0;
        ps.TableWid = x - 1;
        ps.PageWid = 80;
        ps.TextPage.Clear();

        int y = -1; // the last line used
        auto firstNonBlank = [&](const std::vector<std::string>& cells) {
            if (!o.GrpBrk) return -1;
            for (int i = 0; i < n; ++i)
                if (!cells[i].empty()) return i;
            return -1;
        };
        auto printRow = [&](P plane, const std::vector<std::string>& cells) {
            const int top = y + 1;
            int topW;
            ps.FirstNonBlkColNdx = -1;
            if (o.Borders && ps.FirstRow) {
                topW = st.MaxLineWid(plane, L::liBorderTop);
            } else {
                topW = st.MaxLineWid(plane, L::liLineHoriz);
                if (!o.Horiz) ps.FirstNonBlkColNdx = firstNonBlank(cells);
                if (plane == P::plMiddle && o.GrpBrk && ps.FirstNonBlkColNdx >= 0 &&
                    ps.FirstNonBlkColNdx < ps.PrevFirstNonBlkColNdx)
                    topW = st.MaxLineWid(plane, L::liGrpBrkLine);
            }
            const int bottom = top + topW; // one text line
            for (int i = 0; i < n; ++i) {
                const Geo& g = geo[i];
                const TColsListData& col = run.OI().Col(i);
                ps.CurColNdx = i;
                const TRect cell{g.X, top, g.X + g.Total - 1, bottom};
                const bool hasLeft = (col.FirstOfPlane || col.FirstOnPage) && g.LeftW > 0;
                const bool hasRight = g.RightW > 0 && (col.LastOfPlane || col.LastOnPage);
                ps.PrintCellLines(col.FirstOnPage, plane, TRegNdx::rgCells, g.LeftKind, g.RightKind, hasLeft, hasRight,
                                  cell, TRect{g.LeftW, topW, g.RightW, 0});
                ps.BuildFldLines(false, cells[i].c_str(),
                                 TRect{cell.Left + g.LeftW, top + topW, cell.Right - g.RightW, bottom},
                                 TAlignment::taLeftJustify, false);
            }
            y = bottom;
            ps.PrevFirstNonBlkColNdx = ps.FirstNonBlkColNdx;
            ps.NoRowYet = ps.FirstRow = false;
        };
        auto borderBottom = [&](P plane) {
            L kind = L::liBorderBottom;
            if (!st.IsLineNeeded(plane, kind)) return;
            ++y;
            for (int i = 0; i < n; ++i) {
                const Geo& g = geo[i];
                const TColsListData& col = run.OI().Col(i);
                ps.CurColNdx = i;
                ps.PrintCellLine(col.FirstOnPage, plane, TRegNdx::rgCells, L::liBorderBottom,
                                 (col.FirstOfPlane || col.FirstOnPage) && g.LeftW > 0,
                                 g.RightW > 0 && (col.LastOfPlane || col.LastOnPage),
                                 TRect{g.X, y, g.X + g.Total - 1, y}, TRect{g.LeftW, 1, g.RightW, 0});
            }
        };

        ps.NoRowYet = ps.FirstRow = true;
        ps.PrevFirstNonBlkColNdx = ps.FirstNonBlkColNdx = -1;
        std::size_t r = 0;
        if (Titles) {
            printRow(P::plFirst, Rows[0]);
            r = 1;
            if (o.Borders && !o.Share) borderBottom(P::plLast);
        }
        ps.FirstRow = true;
        for (; r < Rows.size(); ++r) printRow(P::plMiddle, Rows[r]);
        borderBottom(P::plLast);

        std::vector<std::string> lines;
        for (int i = 0; i < ps.TextPage.Count(); ++i) lines.push_back(TrimRight(ps.TextPage.Line(i)));
        return lines;
    }
};

const std::vector<int> Wids{4, 5};
const std::vector<std::vector<std::string>> Rows{{"Name", "Qty"}, {"ab", "1"}, {"cd", "22"}};

} // namespace

TEST_F(TableRender, BordersSharedBordersAndVerticalLines) {
    const LineOptions o{.Borders = true, .Share = true, .Vert = true};
    EXPECT_EQ(Render(o, true, Wids, Rows), (std::vector<std::string>{"┌────┬─────┐", "│Name│Qty  │", "├────┼─────┤",
                                                                     "│ab  │1    │", "│cd  │22   │", "└────┴─────┘"}));
    // The ASCII set has no junctions on the outer borders.
    EXPECT_EQ(Render(o, false, Wids, Rows), (std::vector<std::string>{"+----------+", "|Name|Qty  |", "|----+-----|",
                                                                      "|ab  |1    |", "|cd  |22   |", "+----------+"}));
}

TEST_F(TableRender, BordersWithoutSharingCloseEachBlock) {
    const LineOptions o{.Borders = true, .Vert = true};
    EXPECT_EQ(Render(o, true, Wids, Rows),
              (std::vector<std::string>{"┌────┬─────┐", "│Name│Qty  │", "└────┴─────┘", "┌────┬─────┐", "│ab  │1    │",
                                        "│cd  │22   │", "└────┴─────┘"}));
    EXPECT_EQ(Render(o, false, Wids, Rows),
              (std::vector<std::string>{"+----------+", "|Name|Qty  |", "+----------+", "+----------+", "|ab  |1    |",
                                        "|cd  |22   |", "+----------+"}));
}

TEST_F(TableRender, BordersOnlyDrawAFrame) {
    const LineOptions o{.Borders = true, .Share = true};
    EXPECT_EQ(Render(o, true, Wids, Rows), (std::vector<std::string>{"┌─────────┐", "│NameQty  │", "├─────────┤",
                                                                     "│ab  1    │", "│cd  22   │", "└─────────┘"}));
}

TEST_F(TableRender, AllLinesMakeAGrid) {
    const LineOptions o{.Borders = true, .Share = true, .Horiz = true, .Vert = true};
    EXPECT_EQ(Render(o, true, Wids, Rows),
              (std::vector<std::string>{"┌────┬─────┐", "│Name│Qty  │", "├────┼─────┤", "│ab  │1    │", "├────┼─────┤",
                                        "│cd  │22   │", "└────┴─────┘"}));
    EXPECT_EQ(Render(o, false, Wids, Rows),
              (std::vector<std::string>{"+----------+", "|Name|Qty  |", "|----+-----|", "|ab  |1    |", "|----+-----|",
                                        "|cd  |22   |", "+----------+"}));
}

TEST_F(TableRender, InsideLinesWithoutBorders) {
    const LineOptions o{.Horiz = true, .Vert = true};
    EXPECT_EQ(Render(o, true, Wids, Rows, false),
              (std::vector<std::string>{"", "Name│Qty", "────┼─────", "ab  │1", "────┼─────", "cd  │22"}));
}

TEST_F(TableRender, GroupBreakLinesStartAtTheColumnThatChanged) {
    const LineOptions o{.Borders = true, .Share = true, .Vert = true, .GrpBrk = true};
    const std::vector<std::vector<std::string>> rows{
        {"A", "B", "C"}, {"x", "a", "1"}, {"", "", "2"}, {"", "b", "3"}, {"y", "c", "4"}};
    EXPECT_EQ(Render(o, true, {2, 2, 2}, rows),
              (std::vector<std::string>{"┌──┬──┬──┐", "│A │B │C │", "├──┼──┼──┤", "│x │a │1 │", "│  │  │2 │",
                                        "│  ├──┼──┤", "│  │b │3 │", "├──┼──┼──┤", "│y │c │4 │", "└──┴──┴──┘"}));
    EXPECT_EQ(Render(o, false, {2, 2, 2}, rows),
              (std::vector<std::string>{"+--------+", "|A |B |C |", "|--+--+--|", "|x |a |1 |", "|  |  |2 |",
                                        "|  |--+--|", "|  |b |3 |", "|--+--+--|", "|y |c |4 |", "+--------+"}));

    // Without vertical lines and borders the break line begins one place
    // into the column that changed (no line stands at its left edge) and
    // runs to the right end of the row.
    const LineOptions plain{.GrpBrk = true};
    EXPECT_EQ(Render(plain, true, {2, 2, 2}, rows, false),
              (std::vector<std::string>{"A B C", "x a 1", "    2", "   ───", "  b 3", " ─────", "y c 4"}));
}

TEST_F(TableRender, RunsOfLineCharactersStayInTheBuffer) {
    TPrintSettings& ps = run.PS();
    ps.XOffset = 2;
    ps.TableWid = 6;
    ps.PageWid = 80;
    ps.PrintCellTextLine(TRegNdx::rgCells, 'a', 'b', 'c', 3, 1, 6, 1);
    ASSERT_EQ(ps.TextPage.Count(), 2);
    EXPECT_EQ(ps.TextPage.Line(0), "        "); // new lines are as wide as the table on the page
    EXPECT_EQ(ps.TextPage.Line(1), "  abbc  ");
    ps.PrintCellTextLine(TRegNdx::rgCells, 'x', 'y', ' ', 1, 0, 3, 0); // a blank end repeats the middle
    EXPECT_EQ(ps.TextPage.Line(0), "xyy     ");
    ps.PrintCellTextLine(TRegNdx::rgCells, '|', '-', '+', 10, 0, 10, 1); // one column: the start only
    EXPECT_EQ(ps.TextPage.Line(0), "xyy      |");
    EXPECT_EQ(ps.TextPage.Line(1), "  abbc   |");

    // An end before the start, or a start before the first column, writes nothing.
    const std::vector<std::string> before{ps.TextPage.Line(0), ps.TextPage.Line(1)};
    ps.PrintCellTextLine(TRegNdx::rgCells, 'q', 'q', 'q', 5, 0, 4, 1);
    ps.PrintCellTextLine(TRegNdx::rgCells, 'q', 'q', 'q', 0, 0, 3, 1);
    ps.PrintCellTextLine(TRegNdx::rgCells, 'q', 'q', 'q', -7, 0, -2, 1);
    ps.PrintCellTextLine(TRegNdx::rgCells, 'q', 'q', 'q', 1, 5, 3, 4);
    ps.PrintCellTextLine(TRegNdx::rgCells, 'q', 'q', 'q', 1, -1, 3, 0);
    EXPECT_EQ(ps.TextPage.Count(), 2);
    EXPECT_EQ(ps.TextPage.Line(0), before[0]);
    EXPECT_EQ(ps.TextPage.Line(1), before[1]);

    ps.TextPage.Clear();
    ps.TableWid = -1; // columns not measured yet
    ps.PrintCellTextLine(TRegNdx::rgCells, 'a', 'b', 'c', 1, 0, 2, 0);
    EXPECT_EQ(ps.TextPage.Line(0), "ac");
}

TEST_F(TableRender, SharedBorderBelowTheTitlesIsASeparatingLine) {
    TPrintSettings& ps = run.PS();
    run.RS().GridLineDrawChrs = TtrxReportSettings::DefaultGridLineDrawChrs();
    run.RS().LineDraw = TLineDraw::ldIBM;
    run.RS().OutputQuality = 1;
    ps.BordersOn = ps.ShareAdjBordersOn = true;
    ps.FirstRow = true;
    ps.NoRowYet = false;
    ps.TableWid = 5;
    ps.PageWid = 80;
    ps.PrintCellLine(true, P::plMiddle, TRegNdx::rgCells, L::liBorderTop, true, true, TRect{1, 0, 5, 1},
                     TRect{1, 1, 1, 0});
    EXPECT_EQ(ps.TextPage.Line(0), "├───┤");
    // The same line on top of the page is the top border.
    ps.NoRowYet = true;
    ps.PrintCellLine(true, P::plMiddle, TRegNdx::rgCells, L::liBorderTop, true, true, TRect{1, 0, 5, 1},
                     TRect{1, 1, 1, 0});
    EXPECT_EQ(ps.TextPage.Line(0), "┌───┐");
}

TEST_F(TableRender, StoredLineCharactersAreCodePage437AndPrintAsTheirBoxCharacters) {
    // A double-line top border as "Tabrix.Ini" stores it, and a line with
    // text that is not ASCII, which the page holds as UTF-8.
    TPrintSettings& ps = run.PS();
    run.RS().GridLineDrawChrs = TtrxReportSettings::DefaultGridLineDrawChrs();
    auto& top = run.RS().GridLineDrawChrs[Ord(TLineDraw::ldIBM)][Ord(TLDGridH::hldTop)];
    top[Ord(TLDGridV::vldLeft)] = '\xC9';
    top[Ord(TLDGridV::vldData)] = '\xCD';
    top[Ord(TLDGridV::vldRight)] = '\xBB';
    run.RS().LineDraw = TLineDraw::ldIBM;
    run.RS().OutputQuality = 1;
    ps.BordersOn = true;
    ps.FirstRow = ps.NoRowYet = true;
    ps.TableWid = 6;
    ps.PageWid = 80;
    ps.PrintCellLine(true, P::plMiddle, TRegNdx::rgCells, L::liBorderTop, true, true, TRect{1, 0, 6, 2},
                     TRect{1, 1, 1, 0});
    ps.PrintCellLine(true, P::plMiddle, TRegNdx::rgCells, L::liBorderLeft, false, false, TRect{1, 0, 6, 2},
                     TRect{1, 1, 1, 0});
    ps.PrintText("Zü中", 6, ps.TextRect = TRect{2, 1, 5, 1}, 0);
    ps.PrintCellLine(true, P::plMiddle, TRegNdx::rgCells, L::liBorderRight, false, false, TRect{1, 0, 6, 2},
                     TRect{1, 1, 1, 0});
    EXPECT_EQ(ps.TextPage.Line(0), "╔════╗");
    EXPECT_EQ(ps.TextPage.Line(1), "│Zü中│");
    EXPECT_EQ(ps.TextPage.PrinterLine(0), "\xC9\xCD\xCD\xCD\xCD\xBB"); // the raw printer gets the stored bytes
}

TEST_F(TableRender, GraphicQualityDrawsOnlyStyledLines) {
    TPrintSettings& ps = run.PS();
    TRecordingDevice device;
    TCanvas canvas(&device);
    ps.Canvas = &canvas;
    run.RS().OutputQuality = 2;
    ps.BordersOn = true;
    ps.PrintCellLines(true, P::plMiddle, TRegNdx::rgCells, L::liBorderLeft, L::liBorderRight, true, true,
                      TRect{10, 10, 50, 30}, TRect{1, 1, 1, 0});
    EXPECT_TRUE(device.Ops().empty()); // no line styles: nothing is drawn
    EXPECT_EQ(ps.TextPage.Count(), 0);

    auto line = std::make_unique<TRegLineData>();
    line->Flag = true;
    line->Pen.SetWidth(2);
    run.Styles().LineList[TRptStyles::MakeRegListKeyStr(TRegNdx::rgCells, TRegObjNdx::roLine, Ord(L::liBorderRight))] =
        std::move(line);
    ps.PrintCellLines(true, P::plMiddle, TRegNdx::rgCells, L::liBorderLeft, L::liBorderRight, true, true,
                      TRect{10, 10, 50, 30}, TRect{1, 1, 1, 0});
    ASSERT_EQ(device.Ops().size(), 1u);
    EXPECT_EQ(device.Ops()[0].Kind, TDrawOpKind::doLine);

    canvas.Brush().SetColor(clYellow);
    ps.PrintCellFill(TRect{0, 0, 9, 9});
    EXPECT_EQ(device.Ops().size(), 2u);
    EXPECT_EQ(canvas.Pen().Style(), TPenStyle::psSolid); // the pen is given back
}
