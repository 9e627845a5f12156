#include "support/engine/item_grid.h"

#include <string>

#include "framework/core/compiler_warnings.h"
#include "framework/grids/string_grid.h"

namespace trx::test {

void FillItemGrid(TStringGrid& Grid, int Cols, int Rows) {
    Grid.SetColCount(Cols);
    Grid.SetRowCount(Rows + 1);
    Grid.SetFixedRows(1);
    // GCC 12 warns falsely about the string concatenations here.
    TRX_GCC_BOGUS_RESTRICT_BEGIN
    for (int c = 0; c < Cols; ++c) {
        Grid.SetCells(c, 0, "C" + std::to_string(c));
        for (int r = 1; r <= Rows; ++r) Grid.SetCells(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
    }
    TRX_GCC_BOGUS_RESTRICT_END
}

} // namespace trx::test
