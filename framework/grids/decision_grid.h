// TDecisionGrid: the cross-tabulation grid of decision support. Its cells
// are addressed from the data origin: column 0 and row 0 hold the first
// summary value, negative columns are the row headers (one per row
// dimension) and negative rows the column headers (one per column
// dimension).
//
// Its counts are the grid's: ColCount and FixedCols include the grid's
// leading label column, which stands left of the row headers and holds no
// cell; RowCount and FixedRows include the header rows. So a grid of H row
// headers, V column headers and C x R summary values has ColCount 1 + H + C,
// FixedCols 1 + H, RowCount V + R and FixedRows V; its cells run from
// (-H, -V) to (C - 1, R - 1).
#pragma once

#ifdef UseDecGrid

#include <string>
#include <vector>

#include "framework/forms/control.h"

namespace trx {

class TDecisionGrid : public TCustomControl {
public:
    explicit TDecisionGrid(TComponent* AOwner);

    // Lays the grid out anew, with every cell empty. Negative numbers count as 0.
    void SetDimensions(int RowHeaderCols, int ColHeaderRows, int DataCols, int DataRows);

    int ColCount() const { return 1 + headerCols_ + dataCols_; }
    int RowCount() const { return headerRows_ + dataRows_; }
    int FixedCols() const { return 1 + headerCols_; }
    int FixedRows() const { return headerRows_; }

    // The text of a cell; empty outside the grid.
    std::string Cells(int ACol, int ARow) const;
    // Raises EInvalidOperation "Grid index out of range" outside the grid.
    void SetCells(int ACol, int ARow, const std::string& Value);

private:
    bool Inside(int ACol, int ARow) const;
    std::size_t Offset(int ACol, int ARow) const;

    int headerCols_ = 0;
    int headerRows_ = 0;
    int dataCols_ = 0;
    int dataRows_ = 0;
    std::vector<std::string> cells_;
};

} // namespace trx

#endif // UseDecGrid
