// Table lines and borders of a cell: runs of line-drawing characters in the
// text page buffer with the junction character at each end, or pen lines and
// brush fills on the output canvas.
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"

namespace trx {

void TPrintSettings::PrintCellFill(const TRect& Rect) {
    if (TextQuality() || !Canvas) return;
    TPen& pen = Canvas->Pen();
    const int width = pen.Width();
    const TPenStyle style = pen.Style();
    pen.SetStyle(TPenStyle::psClear);
    pen.SetWidth(0);
    Canvas->Rectangle(Rect);
    pen.SetWidth(width);
    pen.SetStyle(style);
}

void TPrintSettings::GetLineChrNdxs(bool FirstOnPage, TRegPlaneNdx Plane, TLDGridH& Row, TLDGridV& StartCol,
                                    TLDGridV& MidCol, TLDGridV& EndCol, bool HasRight, bool HasLeft) const {
    using H = TLDGridH;
    using V = TLDGridV;
    const bool titles = Plane == TRegPlaneNdx::plFirst;
    const int cur = CurColNdx, gb = FirstNonBlkColNdx;
    // A shared border between two blocks of rows is a separating line.
    if (Row == H::hldTop && BordersOn && FirstRow && !titles && !NoRowYet && ShareAdjBordersOn) Row = H::hldHLine;
    const bool joined = !titles && Row == H::hldHLine && BordersOn && FirstRow;

    if (HasLeft && BordersOn && (!ShareAdjBordersOn || FirstOnPage)) {
        StartCol = GrpBrkThisRow && cur < gb ? V::vldVLine : V::vldLeft;
    } else if (!FirstOnPage && (VertLinesOn || (HasLeft && ShareAdjBordersOn))) {
        if (HorizLinesOn || joined || (GrpBrkThisRow && cur > gb))
            StartCol = V::vldVHLine;
        else if (GrpBrkThisRow && cur == gb)
            StartCol = V::vldGBLine;
        else
            StartCol = V::vldVLine;
    } else {
        const bool hLine = HorizLinesOn || (GrpBrkThisRow && cur > gb) ||
                           (BordersOn && (Row == H::hldTop || Row == H::hldHLine) && FirstRow) || Row == H::hldBottom;
        StartCol = hLine ? V::vldHLine : V::vldBlank;
    }

    switch (Row) {
    case H::hldTop:
    case H::hldBottom: MidCol = BordersOn ? V::vldData : V::vldBlank; break;
    case H::hldHLine: MidCol = HorizLinesOn || (GrpBrkThisRow && cur >= gb) || joined ? V::vldData : V::vldBlank; break;
    case H::hldData: MidCol = V::vldBlank; break;
    }
    EndCol = HasRight && BordersOn ? V::vldRight : V::vldBlank;
}

void TPrintSettings::PrintCellLine(bool FirstOnPage, TRegPlaneNdx Plane, TRegNdx Reg, TRegLineNdx LineNdx, bool HasLeft,
                                   bool HasRight, const TRect& CellRect, const TRect& LineWids) {
    using L = TRegLineNdx;
    if (!RptStyles || !RptStyles->IsLineNeeded(Plane, LineNdx)) return;

    if (TextQuality()) {
        PrintTextCellLine(FirstOnPage, Plane, LineNdx, HasLeft, HasRight, CellRect, LineWids);
        return;
    }

    if (!Canvas || !RptStyles->SetLine(true, Reg, LineNdx, true)) return;
    auto line = [&](int x1, int y1, int x2, int y2) {
        Canvas->MoveTo(x1, y1);
        Canvas->LineTo(x2, y2);
    };
    switch (LineNdx) {
    case L::liBorderLeft:
    case L::liLineVert: line(CellRect.Left, CellRect.Top, CellRect.Left, CellRect.Bottom); break;
    case L::liBorderRight: line(CellRect.Right, CellRect.Top, CellRect.Right, CellRect.Bottom); break;
    case L::liBorderTop:
    case L::liLineHoriz: line(CellRect.Left, CellRect.Top, CellRect.Right, CellRect.Top); break;
    case L::liBorderBottom: line(CellRect.Left, CellRect.Bottom, CellRect.Right, CellRect.Bottom); break;
    default: break;
    }
}

void TPrintSettings::PrintTextCellLine(bool FirstOnPage, TRegPlaneNdx Plane, TRegLineNdx LineNdx, bool HasLeft,
                                       bool HasRight, const TRect& CellRect, const TRect& LineWids) {
    using L = TRegLineNdx;
    using H = TLDGridH;
    using V = TLDGridV;
    const TLineDraw set = ReportSettings->LineDraw;
    auto G = [&](H r, V c) { return ReportSettings->GridChr(set, r, c); };
    auto vertical = [&](char ch, int x) { PrintTextVertLine(ch, x, CellRect.Top + LineWids.Top, CellRect.Bottom); };
    auto horizontal = [&](H row, int y) {
        V startCol = V::vldBlank, midCol = V::vldBlank, endCol = V::vldBlank;
        GetLineChrNdxs(FirstOnPage, Plane, row, startCol, midCol, endCol, HasRight, HasLeft);
        PrintCellTextLine(TRegNdx::rgDflt, G(row, startCol), G(row, midCol), G(row, endCol), CellRect.Left, y,
                          CellRect.Right, y);
    };
    switch (LineNdx) {
    case L::liBorderLeft: vertical(G(H::hldData, V::vldLeft), CellRect.Left); break;
    case L::liBorderRight: vertical(G(H::hldData, V::vldRight), CellRect.Right); break;
    case L::liLineVert: {
        H row = H::hldData;
        V startCol = V::vldBlank, midCol = V::vldBlank, endCol = V::vldBlank;
        GetLineChrNdxs(FirstOnPage, Plane, row, startCol, midCol, endCol, HasRight, HasLeft);
        vertical(G(row, startCol), CellRect.Left);
        break;
    }
    case L::liBorderTop: horizontal(H::hldTop, CellRect.Top); break;
    case L::liLineHoriz: horizontal(H::hldHLine, CellRect.Top); break;
    case L::liBorderBottom: horizontal(H::hldBottom, CellRect.Bottom); break;
    default: break;
    }
}

void TPrintSettings::PrintCellLines(bool FirstOnPage, TRegPlaneNdx Plane, TRegNdx Reg, TRegLineNdx LeftKind,
                                    TRegLineNdx RightKind, bool HasLeft, bool HasRight, const TRect& CellRect,
                                    const TRect& LineWids) {
    GrpBrkThisRow = Plane == TRegPlaneNdx::plMiddle && GrpBrkLinesOn && FirstNonBlkColNdx >= 0 &&
                    FirstNonBlkColNdx < PrevFirstNonBlkColNdx;
    if (RptStyles && TextQuality()) {
        // As below, with the quality asked once.
        TRegLineNdx kind = TRegLineNdx::liLineHoriz;
        if (RowNeedsLine(kind)) PrintTextCellLine(FirstOnPage, Plane, kind, HasLeft, HasRight, CellRect, LineWids);
        kind = LeftKind;
        if (RowNeedsLine(kind)) PrintTextCellLine(FirstOnPage, Plane, kind, false, false, CellRect, LineWids);
        kind = TRegLineNdx::liBorderRight;
        if (RightKind == kind && RowNeedsLine(kind))
            PrintTextCellLine(FirstOnPage, Plane, kind, false, false, CellRect, LineWids);
        return;
    }
    PrintCellLine(FirstOnPage, Plane, Reg, TRegLineNdx::liLineHoriz, HasLeft, HasRight, CellRect, LineWids);
    PrintCellLine(FirstOnPage, Plane, Reg, LeftKind, false, false, CellRect, LineWids);
    if (RightKind == TRegLineNdx::liBorderRight)
        PrintCellLine(FirstOnPage, Plane, Reg, TRegLineNdx::liBorderRight, false, false, CellRect, LineWids);
}

} // namespace trx
