#include "framework/grids/decision_grid.h"

#ifdef UseDecGrid

#include <algorithm>

namespace trx {

TDecisionGrid::TDecisionGrid(TComponent* AOwner) : TCustomControl(AOwner) { color_ = clWindow; }

void TDecisionGrid::SetDimensions(int RowHeaderCols, int ColHeaderRows, int DataCols, int DataRows) {
    headerCols_ = std::max(RowHeaderCols, 0);
    headerRows_ = std::max(ColHeaderRows, 0);
    dataCols_ = std::max(DataCols, 0);
    dataRows_ = std::max(DataRows, 0);
    cells_.assign(static_cast<std::size_t>(headerCols_ + dataCols_) * static_cast<std::size_t>(RowCount()),
                  std::string());
    Invalidate();
}

bool TDecisionGrid::Inside(int ACol, int ARow) const {
    return ACol >= -headerCols_ && ACol < dataCols_ && ARow >= -headerRows_ && ARow < dataRows_;
}

std::size_t TDecisionGrid::Offset(int ACol, int ARow) const {
    return static_cast<std::size_t>(ARow + headerRows_) * static_cast<std::size_t>(headerCols_ + dataCols_) +
           static_cast<std::size_t>(ACol + headerCols_);
}

std::string TDecisionGrid::Cells(int ACol, int ARow) const {
    return Inside(ACol, ARow) ? cells_[Offset(ACol, ARow)] : std::string();
}

void TDecisionGrid::SetCells(int ACol, int ARow, const std::string& Value) {
    if (!Inside(ACol, ARow)) throw EInvalidOperation("Grid index out of range");
    cells_[Offset(ACol, ARow)] = Value;
    Invalidate();
}

} // namespace trx

#endif // UseDecGrid
