#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/run_scope.h"
#include "engine/trx_errors.h"
#include "framework/core/math_util.h"
#include "framework/forms/extra_controls.h"
#include "framework/grids/string_grid.h"
#include "support/forms/scripted_ui.h"

using namespace trx;
using P = TRegPlaneNdx;
using U = TUnitsOfMeasure;

namespace {

// A text-quality run on a page 40 characters wide, cell margins of one
// character on either side.
struct Placement : ::testing::Test {
    TRunScope run;
    TPrintSettings& ps = run.PS();
    TtrxReportSettings& rs = run.RS();
    TObjInfo& oi = run.OI();

    Placement() {
        rs.OutputQuality = 0;
        ps.SetUnits();
        ps.PageWid = 40;
        ps.CharCell[TXyDir::dX][U::umPix] = 10;
        rs.CellMargin[U::umTxt] = TRect{1, 0, 1, 0};
        rs.MaxStringColWid[U::umTxt] = 30;
        rs.MaxMemoColWid[U::umTxt] = 20;
        oi.Digits = 3;
    }

    void SetLines(bool Borders, bool Share, bool Vert) {
        ps.BordersOn = Borders;
        ps.ShareAdjBordersOn = Share;
        ps.VertLinesOn = Vert;
    }

    // F row-title columns and data columns of the given content widths; with
    // line numbers on, the line-number column (3 wide) follows the row titles.
    void MakeCols(int F, const std::vector<int>& Wids, bool LineNums) {
        oi.ColsList.clear();
        oi.FixedCols = F;
        oi.LineNumColPos = F;
        ps.LineNumbersOn = LineNums;
        for (std::size_t i = 0; i < Wids.size(); ++i) {
            auto d = std::make_unique<TColsListData>();
            d->Name = "Col#" + std::to_string(i);
            d->FldCalc = TFldCalc::fcGrid;
            d->FieldType = TFieldType::ftString;
            d->ColNdx = static_cast<int>(i);
            d->Print = true;
            oi.ColsList.push_back(std::move(d));
        }
        oi.ResetColsList(true);
        std::size_t w = 0;
        for (int i = 0; i < oi.ColCount(); ++i) {
            TColsListData& c = oi.Col(i);
            c.StrWids[P::plMiddle][U::umTxt].Wid = c.FldCalc == TFldCalc::fcLineNum ? 3 : Wids[w++];
        }
    }

    // What every placement must hold.
    void CheckPlacement(const std::string& Ctx) {
        const int available = ps.RightLimitX - ps.LeftMarginX;
        const TRect& m = rs.CellMargin[U::umTxt];
        int page = 0;
        for (int i = 0; i < oi.ColCount(); ++i) {
            const TColsListData& c = oi.Col(i);
            const std::string at = Ctx + " column " + std::to_string(i);
            EXPECT_GE(c.XPos, 1) << at;
            EXPECT_LE(c.XPos + c.TotalWid - 1, available) << at; // drawn within the available width
            EXPECT_GE(c.ContentWid, 0) << at;
            EXPECT_EQ(c.TotalWid, m.Left + c.LeftLineWid + c.ContentWid + m.Right + c.RightLineWid) << at;
            EXPECT_TRUE(c.PageAcross == page || c.PageAcross == page + 1) << at;
            EXPECT_EQ(c.FirstOnPage, c.PageAcross != page) << at;
            if (c.FirstOnPage) {
                EXPECT_EQ(c.XPos, 1) << at;
                if (ps.LineNumbersOn && c.XPlane != P::plFirst) {
                    EXPECT_EQ(c.FldCalc, TFldCalc::fcLineNum) << at;
                }
            }
            page = c.PageAcross;
            const bool last = i == oi.ColCount() - 1 || oi.Col(i + 1).PageAcross != page;
            EXPECT_EQ(c.LastOnPage, last) << at;
            if (last) {
                // The page's last column closes it with a border only when borders are on.
                EXPECT_EQ(c.RightLine, ps.BordersOn ? TRegLineNdx::liBorderRight : TRegLineNdx::liLineNone) << at;
                EXPECT_EQ(c.RightLineWid, ps.BordersOn ? 1 : 0) << at;
            }
            if (!last) {
                EXPECT_GE(oi.Col(i + 1).XPos, c.XPos + c.TotalWid) << at; // nothing covered
            }
        }
        EXPECT_EQ(ps.PagesAcross, page) << Ctx;
        int lineNumCols = 0;
        for (int i = 0; i < oi.ColCount(); ++i) lineNumCols += oi.Col(i).FldCalc == TFldCalc::fcLineNum;
        if (!ps.LineNumbersOn) {
            EXPECT_EQ(lineNumCols, 0) << Ctx;
        }
    }
};

} // namespace

TEST_F(Placement, NoColumnLeavesThePageOrCoversAnother) {
    const std::vector<std::vector<int>> widthSets{{5, 8, 6, 12, 3}, {50, 4, 7}, {10, 10, 10, 10}, {3, 60, 2, 36}};
    for (int pw : {40, 15})
        for (int margins = 0; margins < 2; ++margins)
            for (int lineNums = 0; lineNums < 2; ++lineNums)
                for (int lines = 0; lines < 8; ++lines)
                    for (int f = 0; f < 2; ++f)
                        for (std::size_t w = 0; w < widthSets.size(); ++w) {
                            rs.PageMargin[U::umTxt] = margins ? TRect{3, 0, 2, 0} : TRect{};
                            ps.PageWid = pw;
                            SetLines(lines & 1, lines & 2, lines & 4);
                            MakeCols(f, widthSets[w], lineNums);
                            oi.CalcColPosns(nullptr);
                            CheckPlacement("page " + std::to_string(pw) + " margins " + std::to_string(margins) +
                                           " line numbers " + std::to_string(lineNums) + " lines " +
                                           std::to_string(lines) + " row titles " + std::to_string(f) + " widths " +
                                           std::to_string(w));
                        }
}

TEST_F(Placement, ColumnsSideBySideWithTheirLines) {
    SetLines(true, false, true);
    MakeCols(1, {4, 5, 6}, false);
    oi.CalcColPosns(nullptr);
    EXPECT_EQ(ps.LeftMarginX, 0);
    EXPECT_EQ(ps.RightLimitX, 40);
    ASSERT_EQ(oi.ColCount(), 3);
    const TColsListData &t = oi.Col(0), &a = oi.Col(1), &b = oi.Col(2);
    // The row-title column has its own right border, and a gap of its width follows.
    EXPECT_EQ(t.XPos, 1);
    EXPECT_EQ(t.LeftLine, TRegLineNdx::liBorderLeft);
    EXPECT_EQ(t.RightLine, TRegLineNdx::liBorderRight);
    EXPECT_EQ(t.TotalWid, 1 + 1 + 4 + 1 + 1);
    EXPECT_EQ(a.XPos, 1 + 8 + 1);
    EXPECT_EQ(a.LeftLine, TRegLineNdx::liBorderLeft); // first of its plane
    EXPECT_EQ(a.RightLine, TRegLineNdx::liLineNone);
    EXPECT_EQ(b.LeftLine, TRegLineNdx::liLineVert);
    EXPECT_EQ(b.XPos, a.XPos + a.TotalWid);
    EXPECT_TRUE(b.LastOnPage && b.LastOfPlane);
    EXPECT_EQ(b.RightLineWid, 1);
    EXPECT_EQ(b.EndX, b.XPos + b.TotalWid);
    EXPECT_TRUE(t.FirstOfPlane && a.FirstOfPlane && !b.FirstOfPlane);
    EXPECT_EQ(ps.PagesAcross, 1);
}

TEST_F(Placement, SpareRoomBesideAWiderTitle) {
    MakeCols(0, {4}, false);
    oi.Col(0).StrWids[P::plFirst][U::umTxt].Wid = 9;
    oi.CalcColPosns(nullptr);
    EXPECT_EQ(oi.Col(0).ContentWid, 9);
    EXPECT_EQ(oi.Col(0).SpareLeft, 2);
    EXPECT_EQ(oi.Col(0).SpareRight, 3);
}

TEST_F(Placement, AColumnWiderThanThePageGetsTheAvailableWidth) {
    MakeCols(0, {50, 4}, false);
    oi.CalcColPosns(nullptr);
    EXPECT_EQ(oi.Col(0).TotalWid, 40);
    EXPECT_EQ(oi.Col(0).PageAcross, 1);
    EXPECT_EQ(oi.Col(1).PageAcross, 2);
    EXPECT_EQ(oi.Col(1).XPos, 1);

    // With a border added at the page's end it still ends on the page.
    SetLines(true, true, true);
    oi.CalcColPosns(nullptr);
    EXPECT_EQ(oi.Col(0).TotalWid, 40);
    EXPECT_EQ(oi.Col(0).RightLine, TRegLineNdx::liBorderRight);
}

TEST_F(Placement, EveryPageAcrossStartsWithItsLineNumbers) {
    rs.PageMargin[U::umTxt] = TRect{2, 0, 3, 0};
    SetLines(true, true, true);
    MakeCols(0, {20, 20, 50}, true);
    oi.CalcColPosns(nullptr);
    // Pages: [#, 20], [#, 20], [#, 50 narrowed beside the line numbers].
    ASSERT_EQ(oi.ColCount(), 6);
    for (int page = 0; page < 3; ++page) {
        const TColsListData& num = oi.Col(2 * page);
        const TColsListData& data = oi.Col(2 * page + 1);
        EXPECT_EQ(num.FldCalc, TFldCalc::fcLineNum);
        EXPECT_EQ(num.PageAcross, page + 1);
        EXPECT_EQ(data.PageAcross, page + 1);
        EXPECT_EQ(data.XPos, num.XPos + num.TotalWid);
    }
    const TColsListData& kept = oi.Col(5);
    EXPECT_EQ(kept.EndX, 35); // narrowed to the table's own width, 40 - 2 - 3
    EXPECT_EQ(kept.XPos + kept.TotalWid - 1, 35);
    CheckPlacement("line numbers");

    // A report that starts with row titles gets no line numbers before them.
    MakeCols(1, {30, 30}, true);
    oi.CalcColPosns(nullptr);
    EXPECT_EQ(oi.Col(0).FldCalc, TFldCalc::fcGrid);
    EXPECT_EQ(oi.Col(1).FldCalc, TFldCalc::fcLineNum);
    CheckPlacement("row titles");
}

TEST_F(Placement, PlacementForgetsTheLastPage) {
    MakeCols(0, {5}, false);
    ps.LastPage = TPoint{1, 7};
    oi.CalcColPosns(nullptr);
    EXPECT_EQ(ps.LastPage, LastPageUnknown);
    EXPECT_LT(ps.LastPage.Y, -1); // what the page loop reads as "not known yet"

    // The page loop finds the last page of a new layout, and keeps it.
    ps.PagesAcross = 2;
    ps.PanelsAcross = 1;
    oi.Eof = true;
    ps.CurPage = TPoint{1, 4};
    EXPECT_FALSE(ps.IsLastPage(true, 1)); // data ended, but a page across is still to come
    ps.CurPage = TPoint{2, 4};
    EXPECT_TRUE(ps.IsLastPage(true, 1));
    EXPECT_EQ(ps.LastPage, (TPoint{2, 4}));

    // Placed anew (a narrower page: more pages down), the old last page is
    // forgotten and the new one is found again.
    oi.CalcColPosns(nullptr);
    ps.PagesAcross = 2;
    ps.CurPage = TPoint{2, 6};
    EXPECT_TRUE(ps.IsLastPage(true, 1));
    EXPECT_EQ(ps.LastPage, (TPoint{2, 6}));
    oi.Eof = false;
    ps.CurPage = TPoint{2, 4};
    EXPECT_FALSE(ps.IsLastPage(true, 1));
}

TEST_F(Placement, PagesAcrossPanel) {
    TPanel panel(nullptr);
    MakeCols(0, {5, 6}, false);
    oi.CalcColPosns(&panel);
    EXPECT_EQ(panel.Caption(), "1 Page Across");
    EXPECT_EQ(panel.Color(), clBtnFace);

    MakeCols(0, {30, 30, 30}, false);
    oi.CalcColPosns(&panel);
    EXPECT_EQ(panel.Caption(), "3 Pages Across");
    EXPECT_EQ(panel.Color(), clBtnFace); // the preview shows them all
    ps.ToFile = true;
    oi.CalcColPosns(&panel);
    EXPECT_EQ(panel.Color(), clYellow);
    ps.ToFile = false;
    ps.ToPrinter = true;
    oi.CalcColPosns(&panel);
    EXPECT_EQ(panel.Color(), clYellow);
}

TEST_F(Placement, RowTitlesThatDoNotFitAskFirst) {
    rs.RepeatRowTitles = true;
    MakeCols(2, {30, 30, 5}, false);
    {
        TScriptedUi ui;
        ui.OnFailure = [](const std::string& m) { ADD_FAILURE() << m; };
        ui.AnswerMessage(mrYes, "Row Titles are too large to fit on a single page");
        oi.CalcColPosns(nullptr);
        EXPECT_FALSE(rs.RepeatRowTitles);
        ASSERT_EQ(ui.CallsOf(TDialogKind::dkMessageDlg).size(), 1u);
        EXPECT_EQ(ui.CallsOf(TDialogKind::dkMessageDlg)[0].HelpContext, 800);
        EXPECT_EQ(oi.Col(1).PageAcross, 2);
    }
    rs.RepeatRowTitles = true;
    TScriptedUi ui;
    ui.OnFailure = [](const std::string& m) { ADD_FAILURE() << m; };
    ui.AnswerMessage(mrCancel);
    try {
        oi.CalcColPosns(nullptr);
        FAIL();
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message,
                  "Tabrix! Setup Error: Report PageSize Problem\rPage is too narrow for repeating row "
                  "titles\rTurn off Repeating Row Titles in report options or use wider paper");
    }
    EXPECT_TRUE(rs.RepeatRowTitles);
}

TEST_F(Placement, TextQualityCapsStringsAndMemos) {
    MakeCols(0, {0, 0, 0}, false);
    oi.Col(1).FieldType = TFieldType::ftMemo;
    oi.Col(2).FieldType = TFieldType::ftInteger;
    const std::string longText(45, 'w');
    oi.ChkFldStr(0, longText, TFieldType::ftString, P::plMiddle);
    oi.ChkFldStr(1, longText, TFieldType::ftMemo, P::plMiddle);
    oi.ChkFldStr(2, longText, TFieldType::ftInteger, P::plMiddle);
    oi.ChkFldStr(2, longText, TFieldType::ftInteger, P::plFirst); // titles are strings
    EXPECT_EQ(oi.Col(0).StrWids[P::plMiddle][U::umTxt].Wid, 30);
    EXPECT_EQ(oi.Col(0).StrWids[P::plMiddle][U::umPix].Wid, 300);
    EXPECT_EQ(oi.Col(1).StrWids[P::plMiddle][U::umTxt].Wid, 20);
    EXPECT_EQ(oi.Col(2).StrWids[P::plMiddle][U::umTxt].Wid, 45);
    EXPECT_EQ(oi.Col(2).StrWids[P::plFirst][U::umTxt].Wid, 30);
    EXPECT_EQ(oi.Col(0).StrWids[P::plMiddle][U::umTxt].Str, longText);

    // Equal lengths keep the text that came first.
    oi.ChkFldLng("first", 2, 1, 50, P::plLast);
    oi.ChkFldLng("second", 2, 1, 50, P::plLast);
    EXPECT_EQ(oi.Col(2).StrWids[P::plLast][U::umTxt].Str, "first");
    oi.ChkFldLng("ignored", 9, 1, 50, P::plLast); // no such column
}

TEST_F(Placement, PixelCapsNeedNoCharacterCell) {
    rs.OutputQuality = 2;
    ps.SetUnits();
    TCanvas canvas;
    ps.Canvas = &canvas;
    MakeCols(0, {0}, false);
    rs.MaxStringColWid[U::umPix] = 40;
    const std::string text(30, 'w');
    ASSERT_GT(canvas.TextWidth(text), 40);
    ps.CharCell[TXyDir::dX][U::umPix] = 8;
    oi.ChkFldStr(0, text, TFieldType::ftString, P::plMiddle);
    EXPECT_EQ(oi.Col(0).StrWids[P::plMiddle][U::umPix].Wid, 40);
    EXPECT_EQ(oi.Col(0).StrWids[P::plMiddle][U::umTxt].Wid, 5);
    ps.CharCell[TXyDir::dX][U::umPix] = 0;
    MakeCols(0, {0}, false);
    oi.ChkFldStr(0, text, TFieldType::ftString, P::plMiddle);
    EXPECT_EQ(oi.Col(0).StrWids[P::plMiddle][U::umPix].Wid, 40);
}

TEST_F(Placement, ResizingRemeasuresTheStoredTexts) {
    MakeCols(0, {0, 0}, false);
    oi.ChkFldStr(0, "Title", TFieldType::ftString, P::plFirst);
    oi.ChkFldStr(0, std::string(12, 'x'), TFieldType::ftString, P::plMiddle);
    oi.ChkFldStr(1, std::string(35, 'y'), TFieldType::ftString, P::plMiddle);
    rs.MaxStringColWid[U::umTxt] = 8; // a new limit
    oi.ResizeColWids(nullptr);
    EXPECT_EQ(oi.Col(0).StrWids[P::plFirst][U::umTxt].Wid, 5);
    EXPECT_EQ(oi.Col(0).StrWids[P::plAll][U::umTxt].Wid, 8);
    EXPECT_EQ(oi.Col(1).StrWids[P::plAll][U::umTxt].Wid, 8);
    EXPECT_EQ(oi.Col(1).StrWids[P::plMiddle][U::umTxt].Str, std::string(35, 'y')); // the texts stay
    EXPECT_EQ(oi.Col(0).ContentWid, 8);
    EXPECT_EQ(oi.Col(1).XPos, oi.Col(0).XPos + oi.Col(0).TotalWid);
}

TEST_F(Placement, TextHeightsOfRegionsAndPlanes) {
    MakeCols(1, {3, 4}, false);
    oi.CalcTextHts();
    TRptStyles& st = run.Styles();
    EXPECT_EQ(st.PlaneRows[P::plMiddle].TextHt, 1);
    EXPECT_EQ(st.RegTextHts[TRegNdx::rgRowTi], 1);
    EXPECT_EQ(st.RegTextHts[TRegNdx::rgCells], 1);
    EXPECT_EQ(st.RegTextHts[TRegNdx::rgRowTo], 0); // no row-total columns
    EXPECT_EQ(st.RegTextHts[TRegNdx::rgPgTiMem], 1);

    rs.OutputQuality = 2;
    ps.SetUnits();
    TCanvas canvas;
    ps.Canvas = &canvas;
    oi.Col(1).StrWids[P::plMiddle][U::umPix].Str = "Tall";
    oi.CalcTextHts();
    EXPECT_EQ(st.RegTextHts[TRegNdx::rgCells], canvas.TextHeight("Tall"));
    EXPECT_EQ(st.PlaneRows[P::plMiddle].TextHt, canvas.TextHeight("Tall"));
    EXPECT_EQ(st.RegTextHts[TRegNdx::rgPgNumMem], canvas.TextHeight("TygW"));
}

namespace {

// One row of a string grid measured: titles in row 0, data below.
struct GridRow : Placement {
    TStringGrid grid{nullptr};

    GridRow() {
        grid.SetName("sgItems");
        grid.SetColCount(3);
        grid.SetRowCount(4);
        grid.SetFixedCols(0);
        grid.SetFixedRows(1);
        const char* cells[4][3] = {{"Name", "Qty", "Remark"},
                                   {"apple", "1", "fresh"},
                                   {"banana split", "250", ""},
                                   {"fig", "3", "a remark that is longer than the cap"}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c) grid.SetCells(c, r, cells[r][c]);
        oi.ObjectToPrint = &grid;
        ps.OutPixPerInch[TXyDir::dX] = 300;
        ps.ScreenPixPerInch[TXyDir::dX] = 100;
    }
    void Define(bool LineNums) {
        ps.LineNumbersOn = LineNums;
        oi.DefineObj();
        oi.CalcRows();
    }
    int Len(int Col, P Plane) { return oi.Col(Col).StrWids[Plane][U::umTxt].Wid; }
};

} // namespace

TEST_F(GridRow, MeasuresTheTextsOfOneRow) {
    Define(false);
    oi.CurCell.Y = 0;
    oi.CalcColWid(true, P::plFirst);
    oi.CurCell.Y = 2;
    oi.CalcColWid(true, P::plMiddle);
    oi.CurCell.Y = 3;
    oi.CalcColWid(true, P::plMiddle);
    EXPECT_EQ(Len(0, P::plFirst), 4);
    EXPECT_EQ(Len(2, P::plFirst), 6);
    EXPECT_EQ(Len(0, P::plMiddle), 12);
    EXPECT_EQ(oi.Col(0).StrWids[P::plMiddle][U::umTxt].Str, "banana split");
    EXPECT_EQ(Len(1, P::plMiddle), 3);
    EXPECT_EQ(Len(2, P::plMiddle), 30); // capped
}

TEST_F(GridRow, LineNumbersAreMeasuredWithTheTitles) {
    Define(true);
    ASSERT_EQ(oi.Col(0).FldCalc, TFldCalc::fcLineNum);
    oi.CurCell.Y = 0;
    oi.CalcColWid(true, P::plFirst);
    EXPECT_EQ(oi.Col(0).StrWids[P::plFirst][U::umTxt].Str, "#");
    EXPECT_EQ(oi.Col(0).StrWids[P::plMiddle][U::umTxt].Str, oi.GetMaxLineNumStr(false));
    EXPECT_EQ(Len(0, P::plMiddle), 1); // 4 rows: one digit
}

TEST_F(GridRow, WithoutTheDataColumnsAreAsWideAsOnScreen) {
    Define(true); // the line-number column has no on-screen width of its own
    grid.SetColWidths(0, 120);
    grid.SetColWidths(1, 40);
    oi.CurCell.Y = 1;
    ASSERT_NO_THROW(oi.CalcColWid(false, P::plMiddle));
    const TColsListData& name = oi.Col(1);
    ASSERT_EQ(name.ColNdx, 0);
    EXPECT_EQ(name.StrWids[P::plMiddle][U::umPix].Wid, 360); // 120 screen pixels at 300 / 100
    const int count = MulDiv(120, 5, grid.Canvas().TextWidth("apple"));
    EXPECT_EQ(name.StrWids[P::plMiddle][U::umTxt].Str, std::string(count, 'x'));
    EXPECT_EQ(name.StrWids[P::plMiddle][U::umTxt].Wid, count);
    EXPECT_EQ(oi.Col(2).StrWids[P::plMiddle][U::umPix].Wid, 120);

    // An empty cell gives an empty sample at the on-screen width.
    oi.ResetColsList(true);
    oi.CurCell.Y = 2;
    oi.CalcColWid(false, P::plMiddle);
    EXPECT_EQ(oi.Col(3).StrWids[P::plMiddle][U::umTxt].Wid, 0);
    EXPECT_EQ(oi.Col(3).StrWids[P::plMiddle][U::umPix].Wid, ps.CnvtScrPixToOutPix(grid.ColWidths(2), TXyDir::dX));
}

TEST_F(GridRow, EveryTitleRowIsMeasuredAndTheDataRowsOnce) {
    grid.SetRowCount(6);
    grid.SetFixedRows(3);
    const char* cells[6][3] = {{"a", "x", "t"},    {"bbbbbbb", "y", "u"}, {"cc", "zzzzzzzzz", "v"},
                               {"data", "1", "w"}, {"d", "22", "w"},      {"dd", "333", "wwww"}};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 3; ++c) grid.SetCells(c, r, cells[r][c]);
    Define(false);
    oi.Eof = true; // left from an earlier walk
    oi.CalcColWids(nullptr, nullptr, nullptr);
    EXPECT_EQ(oi.RcdsDone, 3);
    EXPECT_EQ(oi.SizingStatus, TColSizingStatus::csCompleted);
    EXPECT_EQ(oi.Col(0).StrWids[P::plFirst][U::umTxt].Str, "bbbbbbb");
    EXPECT_EQ(oi.Col(1).StrWids[P::plFirst][U::umTxt].Str, "zzzzzzzzz");
    // No title row is read as a data row.
    EXPECT_EQ(oi.Col(0).StrWids[P::plMiddle][U::umTxt].Str, "data");
    EXPECT_EQ(oi.Col(1).StrWids[P::plMiddle][U::umTxt].Str, "333");
    EXPECT_EQ(oi.Col(2).StrWids[P::plMiddle][U::umTxt].Str, "wwww");
    EXPECT_EQ(oi.Col(0).ContentWid, 7);
}
