// TStringGrid: a grid that holds a text in every cell.
#pragma once

#include <string>
#include <vector>

#include "framework/grids/custom_grid.h"

namespace trx {

class TStringGrid : public TCustomGrid {
public:
    explicit TStringGrid(TComponent* AOwner);

    // The text of a cell; empty for a cell outside the grid.
    std::string Cells(int ACol, int ARow) const;
    // Raises EInvalidGridOperation SGridIndexOutOfRange for a cell outside
    // the grid. Cells cut off by lowering a count are lost.
    void SetCells(int ACol, int ARow, const std::string& Value);

protected:
    void SizeChanged(int OldColCount, int OldRowCount) override;

private:
    // Row by row; a row is empty until one of its cells is set.
    std::vector<std::vector<std::string>> rows_;
};

} // namespace trx
