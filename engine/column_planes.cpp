// The X plane of a report column: row titles, data or row totals.
#include "engine/obj_info.h"
#include "engine/trx_errors.h"
#include "framework/core/strings.h"

namespace trx {

TRegPlaneNdx TObjInfo::CnvtColNdxToXPlaneNdx(int ColNdx) const {
    const int n = ColCount();
    if (ColNdx >= 0 && ColNdx < FixedCols && ColNdx < n) return TRegPlaneNdx::plFirst;
    if (ColNdx >= FixedCols && ColNdx <= n - 1 - RowToCols) return TRegPlaneNdx::plMiddle;
    if (ColNdx >= n - RowToCols && ColNdx >= 0 && ColNdx <= n - 1) return TRegPlaneNdx::plLast;
    throw eTrxIntError(std::string(InternalErrorPrefix) + "[CnvtColNdxToXPlaneNdx] **\rColNdx:" + IntToStr(ColNdx) +
                       " is out of range 0.." + IntToStr(n - 1));
}

} // namespace trx
