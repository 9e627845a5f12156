// Selecting the font of a column's region on the output canvas as the
// walk across the columns reaches another X plane.
#include "engine/obj_info.h"
#include "engine/rpt_styles.h"

namespace trx {

void TObjInfo::ChkForFontChange(TRegPlaneNdx& CurPlane, TRegPlaneNdx XPlane, TRegPlaneNdx YPlane) {
    if (XPlane == CurPlane) return;
    if (RptStyles) RptStyles->SetFont(TRptStyles::CnvtPlaneNdxsToRegNdx(XPlane, YPlane), 0, false, true);
    CurPlane = XPlane;
}

} // namespace trx
