// The rows of a page: the table's width and place on the current page
// across, the height of a row from its wrapped texts, the cells of one row
// with their lines and texts, the bottom border, and the regions a plane
// prints.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/trx_errors.h"
#include "framework/core/display_width.h"
#include "framework/core/strings.h"
#include "framework/printing/draw_text.h"

namespace trx {

namespace {

using P = TRegPlaneNdx;
using L = TRegLineNdx;
using FT = TFieldType;

const char* const BookmarkFailedText = "*ERROR* Unable to retrieve record. Record deleted?";

// The width a cell's text gets: the content, less the spare room beside the
// data except in the title rows.
int CellTextWid(const TColsListData& Col, TRegPlaneNdx Plane) {
    int wid = Col.ContentWid;
    if (Plane != P::plFirst) wid -= Col.SpareLeft + Col.SpareRight;
    return wid;
}

// The left and right ends of a column's lines: the left one where a plane
// or the page begins, the right one where a plane or the page ends.
bool HasLeftLine(const TColsListData& Col) { return (Col.FirstOfPlane || Col.FirstOnPage) && Col.LeftLineWid > 0; }
bool HasRightLine(const TColsListData& Col) { return Col.RightLineWid > 0 && (Col.LastOfPlane || Col.LastOnPage); }

} // namespace

// ---- Widths and offset -----------------------------------------------------

int TPrintSettings::GetReportLineIdWid() const {
    if (!LineNumbersOn || !ObjInfo) return 0;
    for (int i = 0; i < ObjInfo->ColCount(); ++i)
        if (ObjInfo->Col(i).FldCalc == TFldCalc::fcLineNum) return ObjInfo->Col(i).TotalWid;
    return 0;
}

void TPrintSettings::ChkColsFitPage() const {
    if (!ObjInfo) return;
    // The placement narrows a column that is too wide for its page; one left
    // without a single character of room would print empty on every page.
    const int oneChr = CurUnits == TUnitsOfMeasure::umTxt ? 1 : std::max(1, CharCell[TXyDir::dX][CurUnits]);
    for (int i = 0; i < ObjInfo->ColCount(); ++i) {
        const TColsListData& col = ObjInfo->Col(i);
        const int measured = col.StrWids[P::plAll][CurUnits].Wid;
        if (!col.Print || col.ContentWid >= std::min(measured, oneChr)) continue;
        std::string title = col.StrWids[P::plFirst][TUnitsOfMeasure::umTxt].Str;
        if (title.empty()) title = col.Name;
        throw ETrxSUError(std::string(SetupErrorPrefix) + "Report PageSize Problem\rPage is too narrow for column " +
                          title + "\rUse wider paper or smaller margins" +
                          (LineNumbersOn ? ", or turn off Line Numbers" : ""));
    }
}

int TPrintSettings::PageAcrossWid() const {
    if (!ObjInfo) return 0;
    int first = -1, end = 0;
    for (int i = 0; i < ObjInfo->ColCount(); ++i) {
        const TColsListData& col = ObjInfo->Col(i);
        if (col.PageAcross < CurPage.X) continue;
        if (col.PageAcross > CurPage.X) break;
        if (!col.Print) continue;
        if (first < 0) first = col.XPos;
        end = col.XPos + col.TotalWid;
    }
    return first < 0 ? 0 : end - first;
}

int TPrintSettings::PanelAdvance() const { return std::max(PanelStep, PageAcrossWid() + PanelGap); }

int TPrintSettings::CalcPageWid() const {
    if (PanelsAcross >= 2) return PanelsAcross * PanelAdvance() - PanelGap;
    return PageAcrossWid();
}

void TPrintSettings::CalcOffSet() {
    const TAlignment align = ReportSettings ? ReportSettings->ReportAlignment : TAlignment::taLeftJustify;
    switch (align) {
    case TAlignment::taRightJustify: XOffset = RightLimitX - CalcPageWid(); break;
    case TAlignment::taCenter: XOffset = LeftMarginX + (RightLimitX - LeftMarginX - CalcPageWid()) / 2; break;
    default: XOffset = LeftMarginX; break;
    }
    if (XOffset < 0) XOffset = LeftMarginX;
}

void TPrintSettings::CalcXLines() {
    for (auto& line : XPlaneLines) line = TXPlaneLine{-1, 0};
    P cur = P::plAll;
    XPlaneLines[cur].X = XOffset;
    if (ObjInfo) {
        for (int i = CurColNdx; i <= LastColNdx && i < ObjInfo->ColCount(); ++i) {
            const TColsListData& col = ObjInfo->Col(i);
            if (col.PageAcross != CurPage.X) break;
            if (col.XPlane == cur) continue;
            XPlaneLines[cur].Wid = col.XPos + XOffset - XPlaneLines[cur].X;
            cur = col.XPlane;
            XPlaneLines[cur].X = col.XPos + XOffset;
        }
    }
    XPlaneLines[cur].Wid = TableWid + XOffset - XPlaneLines[cur].X;
}

// ---- Row height ------------------------------------------------------------

int TPrintSettings::CalcCurTextLineHt(TRegPlaneNdx Plane) {
    if (!RptStyles || !ReportSettings || !ObjInfo) return 0;
    TRptStyles& st = *RptStyles;
    const TtrxReportSettings& rs = *ReportSettings;
    TObjInfo& oi = *ObjInfo;
    const int textHt = st.PlaneRows[Plane].TextHt;
    if (rs.MaxStringLines <= 1 && rs.MaxMemoLines <= 1) return textHt;
    // The recorded rows of a table have no memo column.
    if (Plane == P::plMiddle && rs.MaxStringLines <= 1 && oi.ReplayingScan) return textHt;

    const bool text = TextQuality();
    auto heightLimit = [&](int Lines) { return text ? Lines : textHt * Lines; };
    const int stringLimit = heightLimit(rs.MaxStringLines);
    const int memoLimit = heightLimit(rs.MaxMemoLines);
    const int tallest = std::max(stringLimit, memoLimit);
    int stringHt = textHt, memoHt = textHt;

    P fontPlane = P::plAll;
    for (int i = 0; i <= LastColNdx && i < oi.ColCount(); ++i) {
        const TColsListData& col = oi.Col(i);
        if (!col.Print) continue;
        // Titles are text whatever the column holds.
        const FT kind = Plane == P::plFirst ? FT::ftString : col.FieldType;
        const bool isString = kind == FT::ftString;
        const bool isMemo = kind == FT::ftMemo;
        const int lines = isString ? rs.MaxStringLines : (isMemo ? rs.MaxMemoLines : 1);
        if (lines <= 1) continue;
        if (col.XPlane != fontPlane) {
            TRegNdx reg = TRegNdx::rgDflt;
            st.CnvtColNdxToRegNdx(i, Plane, reg);
            st.SetFont(reg, 0, false, true);
            fontPlane = col.XPlane;
        }
        const int widLimit = isString ? rs.MaxStringColWid[CurUnits] : rs.MaxMemoColWid[CurUnits];
        const int wid = std::min(CellTextWid(col, Plane), widLimit);
        if (wid < 1) continue;

        const std::string& cell = CellText;
        oi.GetColData(Plane, i, true, CellText);
        const char* buf = cell.c_str();
        int count = Length(cell);
        if (oi.MemoSize > 0) {
            buf = oi.MemoText();
            count = static_cast<int>(std::strlen(buf));
        }
        TRect rect{1, 0, wid, 500};
        const int ht = PrintText(buf, count, rect, DT_FLAGS_MEASURE_WRAPPED);
        int& bucket = isString ? stringHt : memoHt;
        if (ht > bucket) bucket = std::min(ht, isString ? stringLimit : memoLimit);
        if (bucket >= tallest) break;
    }
    return std::max(stringHt, memoHt);
}

// ---- Cell text -------------------------------------------------------------

unsigned TPrintSettings::GetFieldTypeFormat(TRegPlaneNdx Plane, TFieldType FieldType) const {
    if (Plane == P::plFirst) {
        switch (ReportSettings ? ReportSettings->ColTitleAlignment : TAlignment::taLeftJustify) {
        case TAlignment::taRightJustify: return DT_RIGHT;
        case TAlignment::taCenter: return DT_CENTER;
        default: return DT_LEFT;
        }
    }
    if (FieldType == FT::ftBoolean) return DT_CENTER;
    if (FieldType == FT::ftString || FieldType == FT::ftMemo) {
        const int lines = !ReportSettings             ? 1
                          : FieldType == FT::ftString ? ReportSettings->MaxStringLines
                                                      : ReportSettings->MaxMemoLines;
        return lines >= 2 ? DT_WORDBREAK : DT_LEFT;
    }
    return DT_RIGHT;
}

void TPrintSettings::PrintCellText(TRegPlaneNdx Plane, TFieldType FieldType) {
    if (!ObjInfo) return;
    TObjInfo& oi = *ObjInfo;
    const bool failed = oi.BookmarkFailed;
    std::string& text = CellText;
    // A recorded text is read where it stands.
    std::string_view view;
    if (failed) {
        text.assign(BookmarkFailedText);
        view = text;
    } else if (!oi.GetScannedText(Plane, CurColNdx, view)) {
        oi.GetColData(Plane, CurColNdx, true, text);
        view = text;
    }

    // A number must show whole: it may take the spare room beside the data,
    // left first; one that still does not fit shows as asterisks. Titles are
    // text and wrap instead.
    const bool number = FieldType != FT::ftString && FieldType != FT::ftMemo;
    if (number && !failed && Plane != P::plFirst && CurColNdx >= 0 && CurColNdx < oi.ColCount()) {
        const TColsListData& col = oi.Col(CurColNdx);
        const bool inChars = TextQuality() || !Canvas;
        const int textWid = inChars ? DisplayWidth(view) : Canvas->TextWidth(std::string(view));
        const int rectWid = TextRect.Right - TextRect.Left + (inChars ? 1 : 0);
        int excess = textWid - rectWid;
        if (excess > 0) {
            const int left = std::min(excess, col.SpareLeft);
            TextRect.Left -= left;
            excess -= left;
            const int right = std::min(excess, col.SpareRight);
            TextRect.Right += right;
            excess -= right;
            if (excess > 0) {
                const int wid = std::max(0, TextRect.Right - TextRect.Left + (inChars ? 1 : 0));
                const int starWid = inChars ? 1 : std::max(1, Canvas->TextWidth("*"));
                text = StringOfChar('*', wid / starWid);
                view = text;
            }
        }
    }
    PrintText(view.data(), static_cast<int>(view.size()), TextRect, GetFieldTypeFormat(Plane, FieldType) | DT_NOPREFIX);
}

int TPrintSettings::GetFirstNonBlkColNdx(TRegPlaneNdx Plane) {
    if (!GrpBrkLinesOn || !ObjInfo) return -1;
    for (int i = 0; i < ObjInfo->ColCount(); ++i) {
        ObjInfo->GetColData(Plane, i, true, CellText);
        if (!Trim(CellText).empty()) return i;
    }
    return -1;
}

// ---- One row ---------------------------------------------------------------

bool TPrintSettings::PrintPrimaryRegs(TRegPlaneNdx Plane, int RowHt) {
    if (!ObjInfo || !RptStyles || !ReportSettings) return false;
    TObjInfo& oi = *ObjInfo;
    TRptStyles& st = *RptStyles;
    const TRect& cellMargin = ReportSettings->CellMargin[CurUnits];
    const bool text = TextQuality();

    int height = RowHt < 0 ? CalcCurTextLineHt(Plane) : RowHt;
    const int top = PrintRect.Bottom + 1;
    int extra = 0;
    if (text && Plane == P::plMiddle) extra = cellMargin.Bottom > 0 ? cellMargin.Bottom : std::max(0, cellMargin.Top);

    // The line above the row: a top border on the first row of a block, a
    // separating line, or a group-break line where the first text moved left.
    int gb = -1;
    int topWid;
    if (BordersOn && FirstRow) {
        topWid = st.MaxLineWid(Plane, L::liBorderTop);
    } else {
        topWid = st.MaxLineWid(Plane, L::liLineHoriz);
        if (!HorizLinesOn) {
            gb = GetFirstNonBlkColNdx(Plane);
            if (Plane == P::plMiddle && GrpBrkLinesOn && gb >= 0 && gb < PrevFirstNonBlkColNdx)
                topWid = st.MaxLineWid(Plane, L::liGrpBrkLine);
        }
    }

    // The row fits when its text and the margin below it stay above the
    // lowest data line, and so does the whole cell with its lines.
    const int frame = cellMargin.Top + cellMargin.Bottom + topWid - 1;
    if (top + height + extra > LowestDataY || top + frame + height > LowestDataY) {
        if (!RowMayBeCut || Plane != P::plMiddle) return false;
        // Nothing else is on the page: the row gets the room there is.
        const int room = std::min(LowestDataY - top - extra, LowestDataY - top - frame);
        const int oneLine = text ? 1 : std::max(1, st.PlaneRows[Plane].TextHt);
        if (room < oneLine)
            throw ETrxPrtError(std::string(PrintingErrorPrefix) +
                               "\rThe page has no room for one line of a report row. Page:" + IntToStr(CurPage.Y));
        height = room;
    }

    FirstNonBlkColNdx = gb;
    const int bottom = top + frame + height;
    // The text of a cell goes inside its lines and margins, and a data text
    // inside the spare room beside the data too.
    auto placeText = [&](const TColsListData& col, const TRect& cell, int rightWid) {
        TextRect = TRect{cell.Left + col.LeftLineWid + cellMargin.Left, cell.Top + topWid + cellMargin.Top,
                         cell.Right - rightWid - cellMargin.Right, cell.Bottom - cellMargin.Bottom};
        if (Plane != P::plFirst) {
            TextRect.Left += col.SpareLeft;
            TextRect.Right -= col.SpareRight;
        }
        if (TextRect.Right < TextRect.Left - 1) TextRect.Right = TextRect.Left - 1;
    };
    auto printText = [&](const TColsListData& col, const TRect& cell, int rightWid) {
        placeText(col, cell, rightWid);
        PrintCellText(Plane, Plane == P::plFirst || oi.BookmarkFailed ? FT::ftString : col.FieldType);
    };
    auto endRow = [&] {
        PrintRect.Top = top;
        PrintRect.Bottom = bottom;
        PrevFirstNonBlkColNdx = FirstNonBlkColNdx;
        NoRowYet = false;
        FirstRow = false;
    };

    // A data row of one text line with no line above it, on a line of its
    // own, has the same line characters as the rows before it on this page:
    // the first such row writes them, the others copy them and write only
    // their texts. Fonts and fills do not change a text page.
    const bool plain = text && Plane == P::plMiddle && !FirstRow && !oi.BookmarkFailed && !GrpBrkLinesOn &&
                       topWid == 0 && bottom == top && top >= TextPage.Count();
    const TRowLinesPlace place{CurPage, CurPanel, XOffset, FirstColNdx};
    if (plain && TextPage.HasRowLines(place)) {
        TextPage.PutRowLines(top, NewLineWid());
        GrpBrkThisRow = false;
        for (CurColNdx = FirstColNdx; CurColNdx <= LastColNdx && CurColNdx < oi.ColCount(); ++CurColNdx) {
            const TColsListData& col = oi.Col(CurColNdx);
            if (col.PageAcross != CurPage.X) break;
            if (!col.Print) continue;
            placeText(col, TRect{XOffset + col.XPos, top, XOffset + col.XPos + col.TotalWid - 1, bottom},
                      col.RightLineWid);
            // A recorded text of printable ASCII that fits is copied into
            // its place (a number that fits needs none of the room beside it).
            std::string_view recorded;
            if (oi.GetScannedText(Plane, CurColNdx, recorded) &&
                TextPage.PutPlainText(recorded, TextRect,
                                      CnvtFormatToAlignment(GetFieldTypeFormat(Plane, col.FieldType))))
                continue;
            PrintCellText(Plane, col.FieldType);
        }
        endRow();
        return true;
    }
    if (plain) TextPage.StartRowLines(place);

    P fontPlane = P::plAll;
    for (CurColNdx = FirstColNdx; CurColNdx <= LastColNdx && CurColNdx < oi.ColCount(); ++CurColNdx) {
        const TColsListData& col = oi.Col(CurColNdx);
        if (col.PageAcross != CurPage.X) break;
        if (!col.Print) continue;
        // The region of the cell; text quality needs it for the fill and the
        // font of each X plane only.
        TRegNdx reg = TRegNdx::rgDflt;
        if (!text || col.XPlane != fontPlane) st.CnvtColNdxToRegNdx(CurColNdx, Plane, reg);
        if (col.XPlane != fontPlane) {
            st.SetFill(BordersOn, reg, 0, true);
            st.SetFont(reg, 0, false, true);
            fontPlane = col.XPlane;
        }

        TRect cell{XOffset + col.XPos, top, XOffset + col.XPos + col.TotalWid - 1, bottom};
        TRegLineNdx rightKind = col.RightLine;
        int rightWid = col.RightLineWid;
        bool hasRight = HasRightLine(col);
        if (oi.BookmarkFailed) {
            // The message spans the panel, closed by a right border.
            cell.Right = std::max(cell.Left, XOffset + PageAcrossWid());
            rightKind = L::liBorderRight;
            rightWid = BordersOn ? st.MaxLineWid(col.XPlane, L::liBorderRight) : 0;
            hasRight = rightWid > 0;
        }
        if (!text) PrintCellFill(cell);
        PrintCellLines(col.FirstOnPage, Plane, reg, col.LeftLine, rightKind, HasLeftLine(col), hasRight, cell,
                       TRect{col.LeftLineWid, topWid, rightWid, 0});

        printText(col, cell, rightWid);
        if (oi.BookmarkFailed) {
            ++CurColNdx;
            break;
        }
    }
    TextPage.EndRowLines(NewLineWid());
    endRow();
    return true;
}

void TPrintSettings::PrintBorderBottom(TRegPlaneNdx Plane) {
    if (!RptStyles || !ObjInfo) return;
    TRptStyles& st = *RptStyles;
    TRegLineNdx kind = L::liBorderBottom;
    if (!st.IsLineNeeded(Plane, kind)) return;
    const int wid = st.MaxLineWid(Plane, L::liBorderBottom);
    // A border closes the block: no group break of the last row shows in it.
    GrpBrkThisRow = false;
    const int keepCol = CurColNdx;
    for (int i = 0; i < ObjInfo->ColCount(); ++i) {
        const TColsListData& col = ObjInfo->Col(i);
        if (col.PageAcross < CurPage.X || !col.Print) continue;
        if (col.PageAcross > CurPage.X) break;
        TRegNdx reg = TRegNdx::rgDflt;
        st.CnvtColNdxToRegNdx(i, Plane, reg);
        const TRect cell{XOffset + col.XPos, PrintRect.Bottom, XOffset + col.XPos + col.TotalWid - 1, PrintRect.Bottom};
        CurColNdx = i;
        PrintCellLine(col.FirstOnPage, Plane, reg, L::liBorderBottom, HasLeftLine(col), HasRightLine(col), cell,
                      TRect{col.LeftLineWid, 0, col.RightLineWid, wid});
    }
    CurColNdx = keepCol;
}

TRegNdxs TPrintSettings::GetPrtRegs(TRegPlaneNdx Plane) const {
    if (!ObjInfo) return {};
    using R = TRegNdx;
    if (ObjInfo->TreeLike) return Plane == P::plMiddle ? TRegNdxs{R::rgCells} : TRegNdxs{};
    if (!ObjInfo->GridLike) return {};
    switch (Plane) {
    case P::plFirst: return TRegNdxs{R::rgRowTiHdr, R::rgColTiHdr, R::rgRowToHdr};
    case P::plMiddle: return TRegNdxs{R::rgRowTi, R::rgCells, R::rgRowTo};
    case P::plLast: return TRegNdxs{R::rgRowTiFtr, R::rgColToFtr, R::rgRowToFtr};
    default: return {};
    }
}

} // namespace trx
