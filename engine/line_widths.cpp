// Which table lines a row needs, their widths, the widest line of each kind
// per plane, and the vertical line kinds of a column.
#include <algorithm>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"

namespace trx {

namespace {

using L = TRegLineNdx;
using R = TRegNdx;

// The table regions in index order.
constexpr R TableRegs[] = {R::rgRowTiHdr, R::rgColTiHdr, R::rgRowToHdr, R::rgRowTi,   R::rgCells,
                           R::rgRowTo,    R::rgRowTiFtr, R::rgColToFtr, R::rgRowToFtr};
constexpr L AllLineKinds[] = {L::liBorderLeft, L::liLineVert,     L::liBorderRight, L::liBorderTop,
                              L::liLineHoriz,  L::liBorderBottom, L::liGrpBrkLine,  L::liLineNone};

} // namespace

bool TRptStyles::IsLineNeeded(TRegPlaneNdx /*Plane*/, TRegLineNdx& LineNdx) const {
    return PrintSettings && PrintSettings->RowNeedsLine(LineNdx);
}

int TRptStyles::GetLineWid(TRegNdx Reg, TRegLineNdx LineNdx, bool /*Flag*/, bool& Found) const {
    Found = true;
    TRegLineNdx kind = LineNdx;
    if (!PrimaryRegs.Contains(Reg) || !IsLineNeeded(TRegPlaneNdx::plAll, kind)) return 0;
    if (TextQuality()) return 1;
    auto it = LineList.find(MakeRegListKeyStr(Reg, TRegObjNdx::roLine, Ord(kind)));
    Found = it != LineList.end();
    if (!Found || !it->second->Flag || !PrintSettings) return 0;
    const TXyDir dir = HorizontalLines.Contains(kind) ? TXyDir::dY : TXyDir::dX;
    return PrintSettings->CnvtThousToUnits(it->second->WidThous, PrintSettings->CurUnits, dir, true);
}

TRegNdxs TRptStyles::GetParallelRegions(TRegNdx Reg, TRegLineNdx LineNdx, TRegPlaneNdx& Plane) {
    if (!PrimaryRegs.Contains(Reg)) {
        Plane = TRegPlaneNdx::plAll;
        return TRegNdxs{Reg};
    }
    const int n = Ord(Reg) - Ord(R::rgRowTiHdr); // 0..8: 3 * (Y - 1) + (X - 1)
    TRegNdxs regs;
    if (VerticalLines.Contains(LineNdx)) {
        const int x = n % 3;
        Plane = static_cast<TRegPlaneNdx>(x + 1);
        for (int y = 0; y < 3; ++y) regs.Include(TableRegs[3 * y + x]);
    } else {
        const int y = n / 3;
        Plane = static_cast<TRegPlaneNdx>(y + 1);
        for (int x = 0; x < 3; ++x) regs.Include(TableRegs[3 * y + x]);
    }
    return regs;
}

int TRptStyles::GetMaxLineWid(bool Needed, TRegNdx Reg, TRegLineNdx LineNdx, int /*ColNdx*/, bool Flag,
                              TRegPlaneNdx& Plane) const {
    const TRegNdxs regs = GetParallelRegions(Reg, LineNdx, Plane);
    if (!Needed) return 0;
    int wid = 0;
    for (int r = 0; r < RegNdxCount; ++r) {
        const auto reg = static_cast<TRegNdx>(r);
        if (!regs.Contains(reg)) continue;
        bool found = false;
        wid = std::max(wid, GetLineWid(reg, LineNdx, Flag, found));
    }
    return wid;
}

void TRptStyles::ResetMaxLineWids(int Value) {
    for (auto& plane : MaxLineWids) plane.Fill(Value);
}

void TRptStyles::CalcMaxLineWids() {
    if (!PrintSettings) return;
    // The widths follow the line options only: the row flags of whatever page
    // was laid out last must not decide them. Group-break lines count.
    TPrintSettings& ps = *PrintSettings;
    const bool grpBrk = ps.GrpBrkThisRow, noRowYet = ps.NoRowYet, firstRow = ps.FirstRow;
    ps.GrpBrkThisRow = true;
    ps.NoRowYet = false;
    ps.FirstRow = false;
    ResetMaxLineWids(0);
    CalcRegMaxLineWids({R::rgRowTiHdr, R::rgColTiHdr, R::rgRowToHdr}, VerticalLines);
    CalcRegMaxLineWids({R::rgRowTiHdr, R::rgRowTi, R::rgRowTiFtr}, HorizontalLines);
    ps.GrpBrkThisRow = grpBrk;
    ps.NoRowYet = noRowYet;
    ps.FirstRow = firstRow;
}

void TRptStyles::CalcRegMaxLineWids(TRegNdxs Regions, TRegLineNdxs Kinds) {
    const TPrintSettings& ps = *PrintSettings;
    for (R reg : TableRegs) {
        if (!Regions.Contains(reg)) continue;
        for (L kind : AllLineKinds) {
            if (!Kinds.Contains(kind)) continue;
            bool needed;
            if (BorderLines.Contains(kind) && ps.BordersOn)
                needed = true;
            else
                needed = (ps.VertLinesOn && kind == L::liLineVert) || (ps.HorizLinesOn && kind == L::liLineHoriz) ||
                         kind == L::liGrpBrkLine;
            TRegPlaneNdx plane = TRegPlaneNdx::plAll;
            const int wid = GetMaxLineWid(needed, reg, kind, 0, true, plane);
            MaxLineWids[plane][kind] = wid;
        }
    }
}

void TRptStyles::GetVertLines(int ColNdx, bool FirstOnPage, TRegPlaneNdx /*XPlane*/, TRegLineNdx& LeftKind,
                              TRegLineNdx& RightKind) const {
    const bool borders = PrintSettings && PrintSettings->BordersOn;
    const bool share = PrintSettings && PrintSettings->ShareAdjBordersOn;
    bool firstOfPlane = false, lastOfPlane = false, lastOnPage = false;
    if (ObjInfo && ColNdx >= 0 && ColNdx < ObjInfo->ColCount()) {
        const TColsListData& col = ObjInfo->Col(ColNdx);
        firstOfPlane = col.FirstOfPlane;
        lastOfPlane = col.LastOfPlane;
        lastOnPage = col.LastOnPage;
    }
    LeftKind = (FirstOnPage || (firstOfPlane && borders)) ? L::liBorderLeft : L::liLineVert;
    RightKind = (lastOnPage || (lastOfPlane && !share)) ? L::liBorderRight : L::liLineNone;
}

} // namespace trx
