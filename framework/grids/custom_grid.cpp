#include "framework/grids/custom_grid.h"

#include <algorithm>

#include "framework/core/strings.h"
#include "framework/forms/property_values.h"

namespace trx {

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    SetTabStop(true);
    color_ = clWindow;
    canvas_.SetFont(Font());
}

void TCustomGrid::SetColCount(int Value) {
    if (Value < 1) Value = 1;
    if (Value == colCount_) return;
    if (Value <= fixedCols_) fixedCols_ = Value - 1;
    ChangeSize(Value, rowCount_);
}

void TCustomGrid::SetRowCount(int Value) {
    if (Value < 1) Value = 1;
    if (Value == rowCount_) return;
    if (Value <= fixedRows_) fixedRows_ = Value - 1;
    ChangeSize(colCount_, Value);
}

void TCustomGrid::SetFixedCols(int Value) {
    if (Value < 0) throw EInvalidGridOperation(SGridIndexOutOfRange);
    if (Value >= colCount_) throw EInvalidGridOperation(SFixedColTooBig);
    fixedCols_ = Value;
    ClampPositions();
    Invalidate();
}

void TCustomGrid::SetFixedRows(int Value) {
    if (Value < 0) throw EInvalidGridOperation(SGridIndexOutOfRange);
    if (Value >= rowCount_) throw EInvalidGridOperation(SFixedRowTooBig);
    fixedRows_ = Value;
    ClampPositions();
    Invalidate();
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount) {
    const int oldCols = colCount_;
    const int oldRows = rowCount_;
    colCount_ = NewColCount;
    rowCount_ = NewRowCount;
    if (!colWidths_.empty()) colWidths_.resize(static_cast<std::size_t>(colCount_), defaultColWidth_);
    if (!rowHeights_.empty()) rowHeights_.resize(static_cast<std::size_t>(rowCount_), defaultRowHeight_);
    SizeChanged(oldCols, oldRows);
    ClampPositions();
    Invalidate();
}

void TCustomGrid::SizeChanged(int /*OldColCount*/, int /*OldRowCount*/) {}

void TCustomGrid::ClampPositions() {
    // The current cell and the first scrolling cell stay in the scrolling
    // part of the grid, or on its last cell when there is none.
    col_ = std::clamp(col_, std::min(fixedCols_, colCount_ - 1), colCount_ - 1);
    row_ = std::clamp(row_, std::min(fixedRows_, rowCount_ - 1), rowCount_ - 1);
    leftCol_ = std::clamp(leftCol_, std::min(fixedCols_, colCount_ - 1), colCount_ - 1);
    topRow_ = std::clamp(topRow_, std::min(fixedRows_, rowCount_ - 1), rowCount_ - 1);
}

void TCustomGrid::SetCol(int Value) {
    if (Value < 0 || Value >= colCount_) throw EInvalidGridOperation(SGridIndexOutOfRange);
    col_ = Value;
    if (col_ >= fixedCols_ && col_ < leftCol_) leftCol_ = col_;
}

void TCustomGrid::SetRow(int Value) {
    if (Value < 0 || Value >= rowCount_) throw EInvalidGridOperation(SGridIndexOutOfRange);
    row_ = Value;
    ScrollToRow();
}

void TCustomGrid::ScrollToRow() {
    if (row_ < fixedRows_) return;
    if (row_ < topRow_) topRow_ = row_;
    const int visible = VisibleRowCount();
    if (row_ >= topRow_ + visible) topRow_ = row_ - visible + 1;
}

void TCustomGrid::SetTopRow(int Value) {
    topRow_ = std::clamp(Value, std::min(fixedRows_, rowCount_ - 1), rowCount_ - 1);
    Invalidate();
}

void TCustomGrid::SetLeftCol(int Value) {
    leftCol_ = std::clamp(Value, std::min(fixedCols_, colCount_ - 1), colCount_ - 1);
    Invalidate();
}

int TCustomGrid::VisibleRowCount() const {
    const int scrolling = rowCount_ - fixedRows_;
    if (scrolling <= 0) return 0;
    if (ClientHeight() <= 0) return scrolling;
    int room = ClientHeight();
    for (int r = 0; r < fixedRows_; ++r) room -= RowHeights(r) + GridLineWidth;
    int count = 0;
    for (int r = topRow_; r < rowCount_; ++r) {
        room -= RowHeights(r) + GridLineWidth;
        if (room < 0) break;
        ++count;
    }
    return std::max(count, 1);
}

void TCustomGrid::SetDefaultColWidth(int Value) {
    defaultColWidth_ = std::max(Value, 0);
    colWidths_.clear();
    Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
    defaultRowHeight_ = std::max(Value, 0);
    rowHeights_.clear();
    Invalidate();
}

int TCustomGrid::ColWidths(int Index) const {
    if (Index < 0 || Index >= colCount_) throw EInvalidGridOperation(SGridIndexOutOfRange);
    return colWidths_.empty() ? defaultColWidth_ : colWidths_[static_cast<std::size_t>(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
    if (Index < 0 || Index >= colCount_) throw EInvalidGridOperation(SGridIndexOutOfRange);
    if (colWidths_.empty()) colWidths_.assign(static_cast<std::size_t>(colCount_), defaultColWidth_);
    colWidths_[static_cast<std::size_t>(Index)] = std::max(Value, 0);
    Invalidate();
}

int TCustomGrid::RowHeights(int Index) const {
    if (Index < 0 || Index >= rowCount_) throw EInvalidGridOperation(SGridIndexOutOfRange);
    return rowHeights_.empty() ? defaultRowHeight_ : rowHeights_[static_cast<std::size_t>(Index)];
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
    if (Index < 0 || Index >= rowCount_) throw EInvalidGridOperation(SGridIndexOutOfRange);
    if (rowHeights_.empty()) rowHeights_.assign(static_cast<std::size_t>(rowCount_), defaultRowHeight_);
    rowHeights_[static_cast<std::size_t>(Index)] = std::max(Value, 0);
    Invalidate();
}

void TCustomGrid::FontChanged() {
    canvas_.SetFont(Font());
    TCustomControl::FontChanged();
}

void TCustomGrid::BoundsChanged(bool Moved, bool Sized) {
    TCustomControl::BoundsChanged(Moved, Sized);
    if (Sized) ScrollToRow();
}

bool TCustomGrid::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "ColCount"))
        SetColCount(PropInt(V));
    else if (SameText(N, "RowCount"))
        SetRowCount(PropInt(V));
    else if (SameText(N, "FixedCols"))
        SetFixedCols(PropInt(V));
    else if (SameText(N, "FixedRows"))
        SetFixedRows(PropInt(V));
    else if (SameText(N, "DefaultColWidth"))
        SetDefaultColWidth(PropInt(V));
    else if (SameText(N, "DefaultRowHeight"))
        SetDefaultRowHeight(PropInt(V));
    else
        return TCustomControl::SetProperty(N, V);
    return true;
}

} // namespace trx
