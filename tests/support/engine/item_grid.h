// The string grid of items that many report tests print: a title row
// ("C0", "C1", ...) over rows whose cells name their place ("r1c0").
#pragma once

namespace trx {
class TStringGrid;
} // namespace trx

namespace trx::test {

// Gives Grid Cols columns, the title row (fixed) and Rows rows of items.
void FillItemGrid(TStringGrid& Grid, int Cols, int Rows);

} // namespace trx::test
