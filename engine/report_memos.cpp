// The eight report memos on the page: their measured heights, their place
// between the page margins, the room they leave for data rows, and the
// report header and footer.
#include <algorithm>
#include <cstring>

#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/trx_errors.h"
#include "framework/core/format.h"
#include "framework/core/math_util.h"
#include "framework/printing/draw_text.h"

namespace trx {

namespace {

using M = TRptMemoNdx;
using P = TRegPlaneNdx;
using L = TRegLineNdx;

} // namespace

void TPrintSettings::PrintRptMemo(TRptMemoNdx Memo, bool Measure) { PlaceRptMemo(Memo, Measure, -1); }

void TPrintSettings::PlaceRptMemo(TRptMemoNdx Memo, bool Measure, int MaxHt) {
    if (!ReportSettings || !ReportSettings->RptMemoExists(Memo, true)) return;
    TtrxReportSettings& rs = *ReportSettings;
    TRptMemo& memo = rs.Memo(Memo);
    const bool text = TextQuality();

    if (RptStyles) RptStyles->SetFont(TtrxReportSettings::CnvtRptMemoNdxToRegNdx(Memo), 0, false, true);
    unsigned flags = (Measure ? (DT_CALCRECT | DT_NOPREFIX) : DT_NOPREFIX) | DT_MEMOCODES;
    if (memo.Alignment == TAlignment::taRightJustify)
        flags |= DT_RIGHT;
    else if (memo.Alignment == TAlignment::taCenter)
        flags |= DT_CENTER;

    // The memo's left edge and width are per cent of the printable width,
    // from the left margin; the rectangle includes both of its ends. It
    // never runs past the right page margin, nor, in text, left of the
    // page's first column.
    const TRect& pageMargin = rs.PageMargin[CurUnits];
    const int printable = PageWid - pageMargin.Left - pageMargin.Right;
    const int rightLimit = PageWid - pageMargin.Right;
    const TRect& margin = text ? memo.MarginTxt : memo.MarginPix;
    TRect rect;
    rect.Left = LeftMarginX + MulDiv(printable, memo.XPosPer, 100);
    rect.Right = std::min(rect.Left + MulDiv(printable, memo.WidPer, 100), rightLimit);
    if (text) rect.Left = std::max(rect.Left, 1);
    rect.Top = PrintRect.Bottom + margin.Top;
    int height = memo.MemoHt;
    if (MaxHt >= 0) height = std::min(height, MaxHt);
    rect.Bottom = Measure ? rect.Top + 500 : rect.Top + height - (text ? 1 : 0);

    int used = 0;
    if (rect.Right >= rect.Left && (Measure || height > 0)) {
        if (Canvas) {
            Canvas->Brush().SetStyle(TBrushStyle::bsClear);
            Canvas->Brush().SetColor(clWhite);
        }
        const char* buf = memo.Buf.get();
        used = PrintText(buf, static_cast<int>(strnlen(buf, static_cast<std::size_t>(memo.BufLen))), rect, flags);
        // A height measured on the screen is converted to printer pixels.
        if (Measure && !text && Oper == TOper::opPreview && ScreenPixPerInch[TXyDir::dY] > 0)
            used = MulDiv(used, PrinterPixPerInch[TXyDir::dY], ScreenPixPerInch[TXyDir::dY]);
    }
    if (Measure)
        memo.MemoHt = used;
    else
        PrintRect.Bottom = rect.Top + used + margin.Bottom;
}

int TPrintSettings::GetRptMemoHt(TRptMemoNdx Memo, bool WithGaps) const {
    if (!ReportSettings || !ReportSettings->RptMemoExists(Memo, true)) return 0;
    const TRptMemo& memo = ReportSettings->Memo(Memo);
    int ht = memo.MemoHt;
    if (WithGaps) {
        const TRect& margin = TextQuality() ? memo.MarginTxt : memo.MarginPix;
        ht += margin.Top + margin.Bottom;
    }
    return ht;
}

int TPrintSettings::CalcBottomHt(bool WithLines) const {
    int ht = GetRptMemoHt(M::rmPgNum, true) + GetRptMemoHt(M::rmPgFtr, true) + GetRptMemoHt(M::rmCopyright, true);
    if (ReportSettings) ht += ReportSettings->PageMargin[CurUnits].Bottom;
    if (WithLines && RptStyles)
        ht += std::max(RptStyles->MaxLineWid(P::plMiddle, L::liLineHoriz),
                       RptStyles->MaxLineWid(P::plMiddle, L::liBorderBottom));
    return ht;
}

int TPrintSettings::CalcTopHt(bool WithLines, bool FirstPage) const {
    int ht = GetRptMemoHt(M::rmPgTi, true) + GetRptMemoHt(M::rmPgHdr, true);
    if (FirstPage) ht += GetRptMemoHt(M::rmRptTi, true) + GetRptMemoHt(M::rmRptHdr, true);
    if (ReportSettings) ht += ReportSettings->PageMargin[CurUnits].Top;
    if (WithLines && RptStyles)
        ht += std::max(RptStyles->MaxLineWid(P::plMiddle, L::liBorderTop),
                       RptStyles->MaxLineWid(P::plMiddle, L::liLineHoriz));
    return ht;
}

void TPrintSettings::CalcMemoHts() {
    // A memo measures with the texts its codes print: the run's date and
    // time are taken now.
    StampRunDateTime();
    for (int m = 0; m < RptMemoCount; ++m) PrintRptMemo(static_cast<M>(m), true);
    LowestDataY = PageHt - CalcBottomHt(true) - 1;
    int room = LowestDataY - CalcTopHt(BordersOn, CurPage.Y < 2) - 5;
    // A report footer without room under the last rows goes on a page of
    // its own, below the page memos: it must fit there whole.
    if (ReportSettings && ReportSettings->RptMemoExists(M::rmRptFtr, true)) {
        const int lineWid = RptStyles ? RptStyles->MaxLineWid(P::plLast, L::liBorderBottom) : 0;
        room = std::min(
            room, PageHt - CalcBottomHt(false) - CalcTopHt(false, false) - lineWid - GetRptMemoHt(M::rmRptFtr, true));
    }
    if (room < 0) {
        std::string amount;
        if (TextQuality())
            amount = Format("%d vertical lines", {-room});
        else
            amount = Format("%f vertical inches", {CnvtPixToThous(-room, TXyDir::dY) / 1000.0});
        throw ETrxSUError(std::string(SetupErrorPrefix) +
                          "*WARNING* Report Memos are too large for page size. \r\r"
                          "Decrease size of Titles & Memos or select a larger paper size.\rAnother " +
                          amount + " required.");
    }
    // The page has room for rows down; it must have room across too.
    ChkColsFitPage();
}

void TPrintSettings::PrintRptHdr() {
    PrintRptMemo(M::rmRptTi, false);
    PrintRptMemo(M::rmRptHdr, false);
}

void TPrintSettings::PrintRptFtr() {
    // The footer stands whole above the memos at the bottom of the page, or
    // goes on the next page; the memos never print over it.
    if (!ReportSettings || !ReportSettings->RptMemoExists(M::rmRptFtr, true)) return;
    const TRptMemo& memo = ReportSettings->Memo(M::rmRptFtr);
    const TRect& margin = TextQuality() ? memo.MarginTxt : memo.MarginPix;
    const int bottomTop = PageHt - CalcBottomHt(false);
    const int room = bottomTop - (PrintRect.Bottom + margin.Top) - margin.Bottom;
    if (memo.MemoHt > room && !RptFtrOnlyRow) {
        RptFtrCarried = true;
        return;
    }
    PlaceRptMemo(M::rmRptFtr, false, std::max(0, room));
}

} // namespace trx
