// String grids and the grid rules they share with the other grids.
#include <gtest/gtest.h>

#include "framework/grids/string_grid.h"

using namespace trx;

namespace {

TEST(StringGrid, CellsOutsideReadEmptyAndCannotBeSet) {
    TStringGrid g(nullptr);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.RowCount(), 5);
    g.SetCells(4, 4, "corner");
    EXPECT_EQ(g.Cells(4, 4), "corner");
    EXPECT_EQ(g.Cells(3, 4), "");
    EXPECT_EQ(g.Cells(5, 0), "");
    EXPECT_EQ(g.Cells(-1, 0), "");
    EXPECT_EQ(g.Cells(0, 99), "");
    EXPECT_THROW(g.SetCells(5, 0, "x"), EInvalidGridOperation);
    EXPECT_THROW(g.SetCells(0, -1, "x"), EInvalidGridOperation);
}

TEST(StringGrid, ResizingKeepsCellsInsideAndLosesTheRest) {
    TStringGrid g(nullptr);
    g.SetCells(1, 1, "keep");
    g.SetCells(4, 1, "cut");
    g.SetCells(1, 4, "cut too");
    g.SetColCount(3);
    g.SetRowCount(3);
    EXPECT_EQ(g.Cells(1, 1), "keep");
    g.SetColCount(5);
    g.SetRowCount(5);
    EXPECT_EQ(g.Cells(4, 1), "");
    EXPECT_EQ(g.Cells(1, 4), "");
    g.SetCells(4, 4, "new");
    EXPECT_EQ(g.Cells(4, 4), "new");
}

TEST(StringGrid, FixedCountsStayBelowCounts) {
    TStringGrid g(nullptr);
    g.SetFixedCols(2);
    g.SetFixedRows(0);
    EXPECT_EQ(g.FixedCols(), 2);
    try {
        g.SetFixedCols(5);
        FAIL() << "no error";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message, SFixedColTooBig);
    }
    EXPECT_THROW(g.SetFixedRows(5), EInvalidGridOperation);
    EXPECT_THROW(g.SetFixedRows(-1), EInvalidGridOperation);
    // Lowering a count lowers the fixed count with it.
    g.SetColCount(2);
    EXPECT_EQ(g.FixedCols(), 1);
    g.SetColCount(0);
    EXPECT_EQ(g.ColCount(), 1);
    EXPECT_EQ(g.FixedCols(), 0);
}

TEST(StringGrid, CurrentCellAndTopRow) {
    TStringGrid g(nullptr);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.TopRow(), 1);
    g.SetRowCount(100);
    g.SetDefaultRowHeight(20);
    g.SetBounds(0, 0, 200, 105); // the title row and four scrolling rows fit
    EXPECT_EQ(g.VisibleRowCount(), 4);
    g.SetRow(50);
    EXPECT_EQ(g.TopRow(), 47); // scrolled so that row 50 is the last visible
    g.SetRow(10);
    EXPECT_EQ(g.TopRow(), 10);
    g.SetTopRow(0); // never onto the fixed rows
    EXPECT_EQ(g.TopRow(), 1);
    g.SetTopRow(1000);
    EXPECT_EQ(g.TopRow(), 99);
    EXPECT_THROW(g.SetRow(100), EInvalidGridOperation);
    EXPECT_THROW(g.SetCol(-1), EInvalidGridOperation);
    // Shrinking brings the positions back inside.
    g.SetRow(90);
    g.SetRowCount(20);
    EXPECT_EQ(g.Row(), 19);
    EXPECT_LE(g.TopRow(), 19);
}

TEST(StringGrid, ColumnWidthsAndCanvasFont) {
    TStringGrid g(nullptr);
    EXPECT_EQ(g.ColWidths(3), 64);
    g.SetColWidths(3, 120);
    EXPECT_EQ(g.ColWidths(3), 120);
    EXPECT_EQ(g.ColWidths(2), 64);
    EXPECT_THROW(g.ColWidths(5), EInvalidGridOperation);
    g.SetColCount(8);
    EXPECT_EQ(g.ColWidths(7), 64);
    EXPECT_EQ(g.ColWidths(3), 120);

    // The canvas measures in the grid's font.
    g.Font().SetSize(10);
    const int small = g.Canvas().TextWidth("xxxx");
    g.Font().SetSize(20);
    EXPECT_EQ(g.Canvas().Font().Size(), 20);
    EXPECT_GT(g.Canvas().TextWidth("xxxx"), small);
}

} // namespace
