#include <gtest/gtest.h>

#include "engine/run_scope.h"
#include "engine/trx_errors.h"

using namespace trx;
using L = TRegLineNdx;
using P = TRegPlaneNdx;
using R = TRegNdx;
using S = TStyleOptNdx;

namespace {

// A run whose object has F row-title columns and N report columns in all.
struct StylesRun : ::testing::Test {
    TRunScope run;
    TCanvas canvas;

    StylesRun() { run.PS().Canvas = &canvas; }

    void MakeCols(int N, int F) {
        run.OI().ColsList.clear();
        for (int i = 0; i < N; ++i) run.OI().ColsList.push_back(std::make_unique<TColsListData>());
        run.OI().FixedCols = F;
    }
    void SetLines(bool borders, bool share, bool horiz, bool vert) {
        run.PS().BordersOn = borders;
        run.PS().ShareAdjBordersOn = share;
        run.PS().HorizLinesOn = horiz;
        run.PS().VertLinesOn = vert;
    }
    void UseGraphicQuality() { run.RS().OutputQuality = 2; }
};

} // namespace

TEST_F(StylesRun, OptionTableStartsOffWithTheDialogCaptions) {
    const TRptStyles& st = run.Styles();
    const char* captions[StyleOptCount] = {"Field Format",
                                           "Font",
                                           "Font Size",
                                           "Font Color",
                                           "Font Style",
                                           "Shading",
                                           "Horizontal Lines",
                                           "Group Break Lines",
                                           "Vertical Lines",
                                           "Borders",
                                           "Share Adjacent Borders",
                                           "Column Titles",
                                           "Column Totals",
                                           "",
                                           "Line Numbers",
                                           "",
                                           "Empty Rows",
                                           "Form Feeds",
                                           "Expand all Nodes",
                                           "3D"};
    for (int i = 0; i < StyleOptCount; ++i) {
        const TStyleOpt& o = st.StyleOpts[static_cast<S>(i)];
        EXPECT_EQ(o.Caption, captions[i]) << i;
        EXPECT_FALSE(o.Value) << i;
    }
    // Options without a kind are never offered; the graphic-only ones have no line-draw quality.
    for (S hidden : {S::soShading, S::soColumnTotals, S::soRowTitles, S::soRowTotals, S::soEmptyRows, S::so3D})
        EXPECT_TRUE(st.StyleOpts[hidden].ObjTypes.Empty());
    EXPECT_FALSE(st.StyleOpts[S::soFont].Qualities.Contains(TStyleOutputQuality::soqLinedraw));
    EXPECT_FALSE(st.StyleOpts[S::soShareAdjBorders].Qualities.Contains(TStyleOutputQuality::soqGraphical));
    EXPECT_TRUE(st.StyleOpts[S::soExpandAllNodes].ObjTypes == TStyleObjTypes{TStyleObjType::sotTree});
    EXPECT_TRUE(st.StyleOpts[S::soLineNumbers].ObjTypes.Contains(TStyleObjType::sotTree));
    for (auto& plane : st.MaxLineWids)
        for (int w : plane) EXPECT_EQ(w, -1);
}

TEST_F(StylesRun, KeysAndRegionArithmetic) {
    EXPECT_EQ(TRptStyles::MakeRegListKeyStr(R::rgCells, TRegObjNdx::roFill, 3), "9,1,3");
    EXPECT_EQ(TRptStyles::MakeRegListKeyStr(R::rgDflt, TRegObjNdx::roLine, -1), "0,2,-1");

    EXPECT_EQ(TRptStyles::CnvtPlaneNdxsToRegNdx(P::plMiddle, P::plLast), R::rgColToFtr);
    EXPECT_EQ(TRptStyles::CnvtPlaneNdxsToRegNdx(P::plFirst, P::plFirst), R::rgRowTiHdr);
    EXPECT_EQ(TRptStyles::CnvtPlaneNdxsToRegNdx(P::plLast, P::plMiddle), R::rgRowTo);
    try {
        TRptStyles::CnvtPlaneNdxsToRegNdx(P::plAll, P::plFirst);
        FAIL();
    } catch (const eTrxIntError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Internal Error: [CnvtPlaneNdxsToRegNdx] **\rAttempted to convert PlaneNdx=plAll");
    }

    for (int r = 0; r < RegNdxCount; ++r) {
        const auto reg = static_cast<R>(r);
        P x = P::plAll, y = P::plAll;
        const bool table = TRptStyles::CnvtRegNdxToRegPlaneNdx(reg, TXyDir::dX, x);
        EXPECT_EQ(table, TRptStyles::CnvtRegNdxToRegPlaneNdx(reg, TXyDir::dY, y));
        EXPECT_EQ(table, PrimaryRegs.Contains(reg));
        if (table) {
            EXPECT_EQ(TRptStyles::CnvtPlaneNdxsToRegNdx(x, y), reg); // the two conversions agree
        }
    }
}

TEST_F(StylesRun, ColumnsMapToRegionsByTheirPlane) {
    MakeCols(5, 2); // columns 0, 1 row titles; 2..4 data
    TRegNdx reg = R::rgDflt;
    run.Styles().CnvtColNdxToRegNdx(1, P::plFirst, reg);
    EXPECT_EQ(reg, R::rgRowTiHdr);
    run.Styles().CnvtColNdxToRegNdx(2, P::plMiddle, reg);
    EXPECT_EQ(reg, R::rgCells);
    run.Styles().CnvtColNdxToRegNdx(4, P::plLast, reg);
    EXPECT_EQ(reg, R::rgColToFtr);
    run.Styles().CnvtColNdxToRegNdx(5, P::plMiddle, reg); // beyond the data columns
    EXPECT_EQ(reg, R::rgRowTo);
    run.Styles().CnvtColNdxToRegNdx(-1, P::plMiddle, reg);
    EXPECT_EQ(reg, R::rgRowTo);
    try {
        run.Styles().CnvtColNdxToRegNdx(0, P::plAll, reg);
        FAIL();
    } catch (const eTrxIntError& e) {
        EXPECT_EQ(e.Message,
                  "Tabrix! Internal Error:  in procedure [TRptStyles.CnvtColNdxToRegNdx]: \r"
                  "ColNdx = plAll and is invalid");
    }

    int first = 7, last = 7;
    run.Styles().CnvtRegNdxToColRange(R::rgRowTiFtr, first, last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 1);
    run.Styles().CnvtRegNdxToColRange(R::rgColTiHdr, first, last);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 4);
    run.Styles().CnvtRegNdxToColRange(R::rgRowTo, first, last); // no row-total columns: empty range
    EXPECT_EQ(first, 5);
    EXPECT_EQ(last, 4);
    run.Styles().CnvtRegNdxToColRange(R::rgPgNumMem, first, last);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(last, -2);
    first = last = 9;
    run.Styles().CnvtXPlaneNdxToColNdxRange(P::plAll, first, last);
    EXPECT_EQ(first, 9);
    EXPECT_EQ(last, 9);
}

TEST_F(StylesRun, ParallelRegionsFollowTheLineDirection) {
    P plane = P::plAll;
    EXPECT_EQ(TRptStyles::GetParallelRegions(R::rgCells, L::liLineVert, plane),
              (TRegNdxs{R::rgColTiHdr, R::rgCells, R::rgColToFtr}));
    EXPECT_EQ(plane, P::plMiddle);
    EXPECT_EQ(TRptStyles::GetParallelRegions(R::rgRowToFtr, L::liBorderTop, plane),
              (TRegNdxs{R::rgRowTiFtr, R::rgColToFtr, R::rgRowToFtr}));
    EXPECT_EQ(plane, P::plLast);
    EXPECT_EQ(TRptStyles::GetParallelRegions(R::rgRowTiHdr, L::liBorderRight, plane),
              (TRegNdxs{R::rgRowTiHdr, R::rgRowTi, R::rgRowTiFtr}));
    EXPECT_EQ(plane, P::plFirst);
    EXPECT_EQ(TRptStyles::GetParallelRegions(R::rgPgTiMem, L::liLineHoriz, plane), TRegNdxs{R::rgPgTiMem});
    EXPECT_EQ(plane, P::plAll);
}

TEST_F(StylesRun, HorizontalLineAboveTheFirstRowOfABlock) {
    TPrintSettings& ps = run.PS();
    SetLines(true, false, true, false);
    ps.FirstRow = true;
    ps.NoRowYet = false;
    L kind = L::liLineHoriz;
    EXPECT_TRUE(run.Styles().IsLineNeeded(P::plMiddle, kind));
    EXPECT_EQ(kind, L::liBorderTop); // adjacent borders not shared

    ps.ShareAdjBordersOn = true;
    kind = L::liLineHoriz;
    EXPECT_TRUE(run.Styles().IsLineNeeded(P::plMiddle, kind));
    EXPECT_EQ(kind, L::liLineHoriz); // shared, and rows above on this page

    ps.NoRowYet = true;
    kind = L::liLineHoriz;
    EXPECT_TRUE(run.Styles().IsLineNeeded(P::plMiddle, kind));
    EXPECT_EQ(kind, L::liBorderTop); // the first row on the page

    // Within a block: horizontal and group-break lines only below a row of this page.
    SetLines(false, false, true, false);
    ps.FirstRow = false;
    kind = L::liLineHoriz;
    EXPECT_FALSE(run.Styles().IsLineNeeded(P::plMiddle, kind));
    ps.NoRowYet = false;
    EXPECT_TRUE(run.Styles().IsLineNeeded(P::plMiddle, kind));
    kind = L::liGrpBrkLine;
    EXPECT_FALSE(run.Styles().IsLineNeeded(P::plMiddle, kind));
    ps.GrpBrkThisRow = true;
    EXPECT_TRUE(run.Styles().IsLineNeeded(P::plMiddle, kind));
    kind = L::liBorderLeft;
    EXPECT_FALSE(run.Styles().IsLineNeeded(P::plMiddle, kind));
    kind = L::liLineNone;
    EXPECT_FALSE(run.Styles().IsLineNeeded(P::plMiddle, kind));
}

TEST_F(StylesRun, MaxLineWidsFollowTheOptionsOnly) {
    TPrintSettings& ps = run.PS();
    TRptStyles& st = run.Styles();
    SetLines(false, false, false, true);
    st.CalcMaxLineWids();
    for (P x : {P::plFirst, P::plMiddle, P::plLast}) {
        EXPECT_EQ(st.MaxLineWid(x, L::liBorderLeft), 0);
        EXPECT_EQ(st.MaxLineWid(x, L::liLineVert), 1);
        EXPECT_EQ(st.MaxLineWid(x, L::liBorderRight), 0);
        EXPECT_EQ(st.MaxLineWid(x, L::liLineHoriz), 0);
        EXPECT_EQ(st.MaxLineWid(x, L::liGrpBrkLine), 1); // group-break lines always count
    }

    // Row flags left over from a page laid out earlier change nothing.
    SetLines(true, true, true, false);
    st.CalcMaxLineWids();
    const auto expected = st.MaxLineWids;
    EXPECT_EQ(expected[P::plMiddle][L::liBorderTop], 1);
    EXPECT_EQ(expected[P::plMiddle][L::liLineHoriz], 1);
    EXPECT_EQ(expected[P::plMiddle][L::liLineVert], 0);
    ps.NoRowYet = true;
    ps.FirstRow = true;
    ps.GrpBrkThisRow = false;
    st.ResetMaxLineWids(-1);
    st.CalcMaxLineWids();
    EXPECT_EQ(st.MaxLineWids, expected);
    EXPECT_TRUE(ps.NoRowYet);
    EXPECT_TRUE(ps.FirstRow);
    EXPECT_FALSE(ps.GrpBrkThisRow);
}

TEST_F(StylesRun, LineWidthsInGraphicQualityNeedAStyle) {
    UseGraphicQuality();
    run.PS().OutPixPerInch[TXyDir::dY] = 300;
    run.PS().ScalePct = 100;
    SetLines(true, false, false, false);
    bool found = true;
    EXPECT_EQ(run.Styles().GetLineWid(R::rgCells, L::liBorderTop, true, found), 0);
    EXPECT_FALSE(found);

    auto line = std::make_unique<TRegLineData>();
    line->Flag = true;
    line->WidThous = 20; // 6 pixels at 300 per inch
    run.Styles().LineList[TRptStyles::MakeRegListKeyStr(R::rgCells, TRegObjNdx::roLine, Ord(L::liBorderTop))] =
        std::move(line);
    EXPECT_EQ(run.Styles().GetLineWid(R::rgCells, L::liBorderTop, true, found), 6);
    EXPECT_TRUE(found);
    P plane = P::plAll;
    EXPECT_EQ(run.Styles().GetMaxLineWid(true, R::rgRowTi, L::liBorderTop, 0, true, plane), 6);
    EXPECT_EQ(plane, P::plMiddle);
    EXPECT_EQ(run.Styles().GetMaxLineWid(false, R::rgRowTi, L::liBorderTop, 0, true, plane), 0);
    EXPECT_EQ(run.Styles().GetLineWid(R::rgPgTiMem, L::liBorderTop, true, found), 0); // not a table region
}

TEST_F(StylesRun, TextQualityUsesTheTextFontAtTheScaledSize) {
    TtrxReportSettings& rs = run.RS();
    rs.TextFontName = "Courier New";
    rs.TextFontSize = 10;
    rs.TextFontStyle = 8; // bold
    rs.TextFontColor = clBlue;
    rs.SmallestFontSize = 4;
    rs.LargestFontSize = 40;
    run.PS().ScalePct = 150;
    EXPECT_TRUE(run.Styles().SetFont(R::rgColTiHdr, 3, false, false));
    EXPECT_EQ(canvas.Font().Name(), "Courier New");
    EXPECT_EQ(canvas.Font().Size(), 15);
    EXPECT_TRUE(canvas.Font().Style() == TFontStyles{TFontStyle::fsBold});
    EXPECT_EQ(canvas.Font().Color(), clBlue);

    canvas.Brush().SetColor(clBlue);
    EXPECT_TRUE(run.Styles().SetFont(R::rgPgNumMem, 0, true, false));
    EXPECT_EQ(canvas.Font().Color(), clBlue ^ 0xFFFFFF); // would vanish on its own background

    SetLines(true, false, false, false);
    bool found = false;
    EXPECT_EQ(run.Styles().GetLineWid(R::rgRowTi, L::liBorderLeft, true, found), 1);
}

TEST_F(StylesRun, GraphicFontsFallBackToColumnZeroThenTheDefaultRegion) {
    UseGraphicQuality();
    TtrxReportSettings& rs = run.RS();
    rs.ReplFontName = "Arial";
    rs.ReplFontSize = 9;
    rs.ReplFontStyle = 4; // italic
    rs.ReplFontColor = clRed;
    TRptStyles& st = run.Styles();

    std::string name;
    int size = 0;
    TFontStyles style;
    TColor color = 0;
    EXPECT_FALSE(st.GetFont(R::rgCells, 2, true, name, size, style, color));
    canvas.Font().SetName("Unchanged");
    EXPECT_FALSE(st.SetFont(R::rgCells, 2, false, true));
    EXPECT_EQ(canvas.Font().Name(), "Unchanged");

    auto font = std::make_unique<TRegFontData>();
    font->Font.SetName("Times");
    font->Font.SetSize(14);
    font->Font.SetColor(clGreen);
    st.FontList[TRptStyles::MakeRegListKeyStr(R::rgDflt, TRegObjNdx::roFont, 0)] = std::move(font);
    // Only the options that are on take the style's attribute; the rest come from the replacement font.
    st.StyleOpts[S::soFontSize].Value = true;
    EXPECT_TRUE(st.GetFont(R::rgCells, 2, true, name, size, style, color));
    EXPECT_EQ(name, "Arial");
    EXPECT_EQ(size, 14);
    EXPECT_TRUE(style == TFontStyles{TFontStyle::fsItalic});
    EXPECT_EQ(color, clRed);
    EXPECT_FALSE(st.GetFont(R::rgCells, 2, false, name, size, style, color));

    auto cellFont = std::make_unique<TRegFontData>();
    cellFont->Font.SetName("Courier");
    cellFont->Font.SetSize(8);
    st.FontList[TRptStyles::MakeRegListKeyStr(R::rgCells, TRegObjNdx::roFont, 0)] = std::move(cellFont);
    st.StyleOpts[S::soFont].Value = true;
    EXPECT_TRUE(st.GetFont(R::rgCells, 2, true, name, size, style, color));
    EXPECT_EQ(name, "Courier");
    EXPECT_EQ(size, 8);

    std::string styleName = "Fancy";
    EXPECT_FALSE(st.LoadStyle(styleName)); // graphic styles cannot be loaded
    EXPECT_TRUE(st.FontList.empty());
    rs.PrintWhat = TPrintWhat::pwWindowSnapShot;
    EXPECT_TRUE(st.LoadStyle(styleName));
    EXPECT_EQ(styleName, "");
}

TEST_F(StylesRun, MissingLineAndFillStylesDrawNothing) {
    UseGraphicQuality();
    TRptStyles& st = run.Styles();
    canvas.Pen().SetColor(clBlack);
    EXPECT_FALSE(st.SetLine(true, R::rgCells, L::liLineVert, true));
    EXPECT_EQ(canvas.Pen().Style(), TPenStyle::psClear);
    EXPECT_EQ(canvas.Pen().Width(), 0);
    EXPECT_EQ(canvas.Pen().Color(), clNone);
    EXPECT_EQ(st.GetFill(true, R::rgCells, 1, true), nullptr);
    EXPECT_EQ(st.GetFill(false, R::rgCells, 1, true), nullptr);
    canvas.Brush().SetColor(clYellow);
    st.SetFill(true, R::rgCells, 1, true);
    EXPECT_EQ(canvas.Brush().Style(), TBrushStyle::bsSolid);
    st.SetFill(false, R::rgCells, 1, true);
    EXPECT_EQ(canvas.Brush().Style(), TBrushStyle::bsClear);

    auto fill = std::make_unique<TRegFillData>();
    fill->Flag = true;
    fill->Brush.SetColor(clAqua);
    st.FillList[TRptStyles::MakeRegListKeyStr(R::rgCells, TRegObjNdx::roFill, 0)] = std::move(fill);
    TBrush* brush = st.GetFill(true, R::rgCells, 3, true);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->Color(), clAqua);
    EXPECT_EQ(st.GetFill(true, R::rgCells, 3, false), nullptr);
    st.SetFill(true, R::rgCells, 3, true);
    EXPECT_EQ(canvas.Brush().Color(), clAqua);

    auto pen = std::make_unique<TRegLineData>();
    pen->Flag = false;
    pen->Pen.SetWidth(3);
    pen->Pen.SetColor(clMaroon);
    st.LineList[TRptStyles::MakeRegListKeyStr(R::rgCells, TRegObjNdx::roLine, Ord(L::liLineVert))] = std::move(pen);
    EXPECT_TRUE(st.SetLine(true, R::rgCells, L::liLineVert, true));
    EXPECT_EQ(canvas.Pen().Color(), clMaroon);
    EXPECT_EQ(canvas.Pen().Width(), 0); // a style line that is switched off is the thinnest pen
    EXPECT_FALSE(st.SetLine(false, R::rgCells, L::liLineVert, true));
}

TEST_F(StylesRun, PrintableRegionsFollowTheObjectAndOptions) {
    TObjInfo& oi = run.OI();
    TRptStyles& st = run.Styles();
    oi.FixedRows = 1;
    oi.FixedCols = 0;
    EXPECT_TRUE(st.RegPrintable(R::rgCells));
    EXPECT_FALSE(st.RegPrintable(R::rgDflt));
    EXPECT_FALSE(st.RegPrintable(R::rgColTiHdr));
    st.StyleOpts[S::soColumnTitles].Value = true;
    EXPECT_TRUE(st.RegPrintable(R::rgColTiHdr));
    EXPECT_FALSE(st.RegPrintable(R::rgRowTiHdr));
    EXPECT_FALSE(st.RegPrintable(R::rgRowTi));
    oi.FixedCols = 1;
    EXPECT_TRUE(st.RegPrintable(R::rgRowTiHdr));
    EXPECT_TRUE(st.RegPrintable(R::rgRowTi));
    EXPECT_FALSE(st.RegPrintable(R::rgRowTiFtr)); // no total rows
    EXPECT_FALSE(st.RegPrintable(R::rgRowTo));
    EXPECT_FALSE(st.RegPrintable(R::rgPgTiMem));
    TRptMemo& memo = run.RS().Memo(TRptMemoNdx::rmPgTi);
    memo.SetText("Title");
    EXPECT_FALSE(st.RegPrintable(R::rgPgTiMem)); // not visible
    memo.Visible = true;
    EXPECT_TRUE(st.RegPrintable(R::rgPgTiMem));
}

TEST_F(StylesRun, VerticalLineKindsOfAColumn) {
    MakeCols(3, 0);
    TObjInfo& oi = run.OI();
    L left, right;
    SetLines(true, false, false, true);
    oi.Col(0).FirstOfPlane = true;
    run.Styles().GetVertLines(0, false, P::plMiddle, left, right);
    EXPECT_EQ(left, L::liBorderLeft);
    EXPECT_EQ(right, L::liLineNone);
    run.Styles().GetVertLines(1, false, P::plMiddle, left, right);
    EXPECT_EQ(left, L::liLineVert);
    run.Styles().GetVertLines(1, true, P::plMiddle, left, right);
    EXPECT_EQ(left, L::liBorderLeft);
    oi.Col(2).LastOfPlane = true;
    run.Styles().GetVertLines(2, false, P::plMiddle, left, right);
    EXPECT_EQ(right, L::liBorderRight);
    run.PS().ShareAdjBordersOn = true;
    run.Styles().GetVertLines(2, false, P::plMiddle, left, right);
    EXPECT_EQ(right, L::liLineNone);
    oi.Col(2).LastOnPage = true;
    run.Styles().GetVertLines(2, false, P::plMiddle, left, right);
    EXPECT_EQ(right, L::liBorderRight);
}
