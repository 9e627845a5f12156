// TCustomGrid: the common ground of the grid controls. A grid is a table of
// ColCount x RowCount cells; the first FixedCols columns and FixedRows rows
// are fixed (titles). It has a current cell (Col, Row), a first visible
// scrolling row and column (TopRow, LeftCol), and column widths and row
// heights in screen pixels. Its canvas draws in the grid's font.
//
// The counts follow the framework's rules: a count below 1 becomes 1, the
// fixed counts must stay below the counts (EInvalidGridOperation "Fixed
// column count must be less than column count", "Fixed row count must be
// less than row count"), and lowering a count below a fixed count lowers
// the fixed count with it. The current cell, TopRow and LeftCol move back
// inside the grid when it shrinks.
#pragma once

#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/forms/control.h"

namespace trx {

class EInvalidGridOperation : public Exception {
    using Exception::Exception;
};

inline constexpr const char* SGridIndexOutOfRange = "Grid index out of range";
inline constexpr const char* SFixedColTooBig = "Fixed column count must be less than column count";
inline constexpr const char* SFixedRowTooBig = "Fixed row count must be less than row count";

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);

    int ColCount() const { return colCount_; }
    void SetColCount(int Value);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int Value);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int Value);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int Value);

    // The current cell. Setting a cell outside the grid raises
    // EInvalidGridOperation SGridIndexOutOfRange; the grid scrolls so that a
    // scrolling current cell stays visible.
    int Col() const { return col_; }
    void SetCol(int Value);
    int Row() const { return row_; }
    void SetRow(int Value);
    // First visible scrolling row and column; kept within the scrolling part.
    int TopRow() const { return topRow_; }
    void SetTopRow(int Value);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int Value);
    // Scrolling rows that fit wholly below the fixed rows (at least 1 while
    // the grid has a scrolling row; all of them while the grid has no height).
    int VisibleRowCount() const;

    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int Value);
    // Raise EInvalidGridOperation SGridIndexOutOfRange for an index outside the grid.
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);

    int GridLineWidth = 1;

    bool SetProperty(const std::string& Name, const std::string& Value) override;

protected:
    // The counts changed; descendants resize their cell storage.
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    void FontChanged() override;
    void BoundsChanged(bool Moved, bool Sized) override;

private:
    void ChangeSize(int NewColCount, int NewRowCount);
    void ClampPositions();
    void ScrollToRow();

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int col_ = 1;
    int row_ = 1;
    int topRow_ = 1;
    int leftCol_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    std::vector<int> colWidths_; // empty, or one per column
    std::vector<int> rowHeights_; // empty, or one per row
};

} // namespace trx
