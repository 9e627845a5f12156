// The arithmetic between columns, planes and report regions, and which
// regions a report prints.
#include "engine/obj_info.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/trx_errors.h"

namespace trx {

namespace {

// Column counts of the object: all report columns, row titles, row totals.
void ColCounts(int& N, int& F, int& T) {
    N = ObjInfo ? ObjInfo->ColCount() : 0;
    F = ObjInfo ? ObjInfo->FixedCols : 0;
    T = ObjInfo ? ObjInfo->RowToCols : 0;
}

} // namespace

bool TRptStyles::CnvtRegNdxToRegPlaneNdx(TRegNdx Reg, TXyDir Dir, TRegPlaneNdx& Plane) {
    if (!PrimaryRegs.Contains(Reg)) return false;
    const int n = Ord(Reg) - Ord(TRegNdx::rgRowTiHdr);
    Plane = static_cast<TRegPlaneNdx>((Dir == TXyDir::dY ? n / 3 : n % 3) + 1);
    return true;
}

TRegNdx TRptStyles::CnvtPlaneNdxsToRegNdx(TRegPlaneNdx XPlane, TRegPlaneNdx YPlane) {
    if (XPlane == TRegPlaneNdx::plAll || YPlane == TRegPlaneNdx::plAll)
        throw eTrxIntError(std::string(InternalErrorPrefix) +
                           "[CnvtPlaneNdxsToRegNdx] **\rAttempted to convert PlaneNdx=plAll");
    return static_cast<TRegNdx>(3 * Ord(YPlane) + Ord(XPlane) + 1);
}

void TRptStyles::CnvtColNdxToRegNdx(int ColNdx, TRegPlaneNdx YPlane, TRegNdx& Reg) const {
    if (YPlane == TRegPlaneNdx::plAll)
        throw eTrxIntError(std::string(InternalErrorPrefix) +
                           " in procedure [TRptStyles.CnvtColNdxToRegNdx]: \rColNdx = plAll and is invalid");
    int n, f, t;
    ColCounts(n, f, t);
    TRegPlaneNdx x = TRegPlaneNdx::plLast;
    if (ColNdx >= 0 && ColNdx < f)
        x = TRegPlaneNdx::plFirst;
    else if (ColNdx >= f && ColNdx <= n - t - 1)
        x = TRegPlaneNdx::plMiddle;
    Reg = CnvtPlaneNdxsToRegNdx(x, YPlane);
}

void TRptStyles::CnvtRegNdxToColRange(TRegNdx Reg, int& First, int& Last) const {
    TRegPlaneNdx x;
    if (!CnvtRegNdxToRegPlaneNdx(Reg, TXyDir::dX, x)) {
        First = -1;
        Last = -2;
        return;
    }
    CnvtXPlaneNdxToColNdxRange(x, First, Last);
}

void TRptStyles::CnvtXPlaneNdxToColNdxRange(TRegPlaneNdx XPlane, int& First, int& Last) const {
    int n, f, t;
    ColCounts(n, f, t);
    switch (XPlane) {
    case TRegPlaneNdx::plFirst:
        First = 0;
        Last = f - 1;
        break;
    case TRegPlaneNdx::plMiddle:
        First = f;
        Last = n - t - 1;
        break;
    case TRegPlaneNdx::plLast:
        First = n - t;
        Last = n - 1;
        break;
    case TRegPlaneNdx::plAll: break;
    }
}

bool TRptStyles::RegPrintable(TRegNdx Reg) const {
    const bool rowTiCols = ObjInfo && ObjInfo->FixedCols > 0;
    const bool titleRows = ObjInfo && ObjInfo->FixedRows > 0;
    const bool rowToCols = ObjInfo && ObjInfo->RowToCols > 0;
    const bool totalRows = ObjInfo && ObjInfo->TotalRows > 0;
    using R = TRegNdx;
    switch (Reg) {
    case R::rgDflt: return false;
    case R::rgRowTiHdr: return rowTiCols && titleRows;
    case R::rgColTiHdr: return titleRows && Opt(TStyleOptNdx::soColumnTitles);
    case R::rgRowToHdr: return titleRows && rowToCols;
    case R::rgRowTi: return rowTiCols;
    case R::rgCells: return true;
    case R::rgRowTo: return rowToCols;
    case R::rgRowTiFtr: return rowTiCols && totalRows;
    case R::rgColToFtr: return totalRows && Opt(TStyleOptNdx::soColumnTotals);
    case R::rgRowToFtr: return totalRows && rowToCols;
    default:
        return ReportSettings && ReportSettings->RptMemoExists(TtrxReportSettings::CnvtRegNdxToRptMemoNdx(Reg), true);
    }
}

} // namespace trx
