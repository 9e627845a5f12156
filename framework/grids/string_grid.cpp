#include "framework/grids/string_grid.h"

namespace trx {

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomGrid(AOwner) {
    rows_.resize(static_cast<std::size_t>(RowCount()));
}

std::string TStringGrid::Cells(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ARow >= static_cast<int>(rows_.size())) return {};
    const auto& row = rows_[static_cast<std::size_t>(ARow)];
    if (ACol >= static_cast<int>(row.size())) return {};
    return row[static_cast<std::size_t>(ACol)];
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        throw EInvalidGridOperation(SGridIndexOutOfRange);
    auto& row = rows_[static_cast<std::size_t>(ARow)];
    if (row.empty()) {
        if (Value.empty()) return;
        row.resize(static_cast<std::size_t>(ColCount()));
    }
    row[static_cast<std::size_t>(ACol)] = Value;
    Invalidate();
}

void TStringGrid::SizeChanged(int /*OldColCount*/, int /*OldRowCount*/) {
    rows_.resize(static_cast<std::size_t>(RowCount()));
    for (auto& row : rows_)
        if (!row.empty()) row.resize(static_cast<std::size_t>(ColCount()));
}

} // namespace trx
