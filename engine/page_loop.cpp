// The page loop: the header, data rows and footer of each panel, the panels
// of one sheet, the last page, the start of a run, the page range, and the
// pages down and across of a print with the line bookmarks that give every
// page across the same records.
#include <algorithm>
#include <memory>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_progress.h"
#include "engine/trx_errors.h"
#include "framework/core/date_time.h"
#include "framework/forms/standard_controls.h"
#include "framework/printing/printer.h"

namespace trx {

namespace {

using P = TRegPlaneNdx;
using L = TRegLineNdx;
using M = TRptMemoNdx;

double PageNum(const TPoint& Page) { return TPrintSettings::CnvtPageNumToDouble(Page); }

} // namespace

// ---- One panel -------------------------------------------------------------

void TPrintSettings::PrintPageHdr() {
    if (CurPanel <= 1) {
        if (CurPage.Y == 1) PrintRptHdr();
        PrintRptMemo(M::rmPgTi, false);
        PrintRptMemo(M::rmPgHdr, false);
        HdrRect = PrintRect;
    } else {
        PrintRect = HdrRect;
    }
    PrintRect.Bottom -= 1;
    PrintRect.Left = XOffset;
    NoRowYet = true;
    FirstRow = true;
    if (!ObjInfo || !RptStyles) return;
    TObjInfo& oi = *ObjInfo;
    TRptStyles& st = *RptStyles;
    if (!oi.GridLike) return;

    if (OperStatus == TOperStatus::osActive && st.Opt(TStyleOptNdx::soColumnTitles) && !RptFtrOnlyRow) {
        // The title rows leave the walk through the data as it was.
        const int keepLineNum = LineNum;
        const bool keepEof = oi.Eof;
        const TPoint keepCell = oi.CurCell;
        if (oi.GridWithoutDataSet) oi.CurCell = oi.Start;
        oi.BookmarkFailed = false;
        TPlaneRows& titles = st.PlaneRows[P::plFirst];
        titles.Counter = 0;
        while (titles.Counter < titles.Rows && PrintPrimaryRegs(P::plFirst, -1)) {
            ++titles.Counter;
            oi.GetNextRcd(P::plFirst, false);
        }
        LineNum = keepLineNum;
        oi.Eof = keepEof;
        if (oi.GridWithoutDataSet) oi.CurCell = keepCell;
    }
    // Unshared borders close the title block with a border of its own.
    if (BordersOn && !ShareAdjBordersOn && !NoRowYet) {
        PrintRect.Bottom += 1;
        PrintBorderBottom(P::plLast);
    }
}

bool TPrintSettings::PrintPageData() {
    FirstRow = true;
    BMLineNdx = -1;
    if (!ObjInfo || !RptStyles) return true;
    TObjInfo& oi = *ObjInfo;
    // With pages across, the first page across of a page row reads the
    // records and bookmarks its lines; the others replay the bookmarks.
    const bool across = PagesAcross >= 2;
    const bool saving = across && (BMLineList->Count() == 0 || CurPage.Y != PrevPage.Y);
    const bool replaying = across && !saving;
    if (!replaying && (oi.Eof || NoDataRows)) return true;

    // The first row of the page may be cut to the room there is.
    RowMayBeCut = true;
    struct TClearCut {
        bool& Flag;
        ~TClearCut() { Flag = false; }
    } clearCut{RowMayBeCut};

    for (;;) {
        ++BMLineNdx;
        int height = -1;
        if (replaying) {
            if (!BMLineList->GotoRcdBookMark(BMLineNdx, height)) return false;
        } else {
            oi.BookmarkFailed = false;
        }
        if (!PrintPrimaryRegs(P::plMiddle, height)) return false;
        RowMayBeCut = false;
        if (CurPage.X == 1 && Oper != TOper::opScanning) ++oi.RcdsDone;
        if (saving) BMLineList->SaveRcdBookmark();

        const bool lastReplayed = replaying && BMLineNdx >= BMLineList->Count() - 1;
        bool atEnd = false;
        if (!replaying || (lastReplayed && (MovingForward ? CurPage.X == PagesAcross : CurPage.X == 1)))
            atEnd = oi.GetNextRcd(P::plMiddle, false);
        if (lastReplayed || atEnd) return true;
        ++RptStyles->PlaneRows[P::plMiddle].Counter;
    }
}

void TPrintSettings::PrintPageFtr() {
    if (ObjInfo && ObjInfo->GridLike && !NoRowYet) PrintBorderBottom(P::plLast);
    PrintRect.Bottom += 1;
    if (CurPanel > 1) return;
    if (IsLastPage(false, 1)) PrintRptFtr();
    PrintRect.Bottom = PageHt - CalcBottomHt(false);
    PrintRptMemo(M::rmPgFtr, false);
    PrintRptMemo(M::rmPgNum, false);
    PrintRptMemo(M::rmCopyright, false);
}

// ---- Pages -----------------------------------------------------------------

bool TPrintSettings::IsLastPage(bool CheckAcross, int Panel) {
    const bool atEnd = ObjInfo && ObjInfo->Eof;
    if (CurPage.Y == LastPage.Y && (!CheckAcross || CurPage.X == LastPage.X) && (atEnd || Panel >= PanelsAcross))
        return true;
    if (atEnd && (CurPage.X == PagesAcross || !CheckAcross) && !LastPageKnown()) {
        // A report footer carried to the next page row makes that row the last.
        if (CheckAcross && !RptFtrCarried) LastPage = CurPage;
        return true;
    }
    return false;
}

void TPrintSettings::StartSheet() {
    if (!SheetStarted) return;
    SheetStarted = false;
    if (UseFastPrinterText) {
        if (!SpoolPageStarted) return;
        SpoolPageStarted = false;
        if (!EndPagePrinter(SpoolHandle))
            throw ETrxPrtError(
                std::string(PrintingErrorPrefix) +
                "Print Spooler Error **\rUnable to end the page (EndPagePrinter). Page:" + IntToStr(PrevPage.Y));
    } else if (ToPrinter && Printer()->Printing()) {
        Printer()->NewPage();
    }
}

void TPrintSettings::PrintPage() {
    const bool text = TextQuality();
    if (CurPage.Y != PrevPage.Y) {
        BMLineList->FreeAllBookmarks();
        RptFtrOnlyRow = RptFtrCarried;
        RptFtrCarried = false;
    }
    MovingForward = PageNum(CurPage) > PageNum(PrevPage);

    // A printed page goes on a sheet of its own: the sheet of the page
    // before ends now, so that no empty sheet follows the last page.
    if (Oper == TOper::opPrinting) {
        StartSheet();
        if (!text) SheetStarted = ToPrinter;
    }

    PrintRect = TRect{};
    TextRect = TRect{};
    PrintRect.Bottom = ReportSettings ? ReportSettings->PageMargin[CurUnits].Top : 0;
    CalcOffSet();
    CalcXLines();
    if (text) TextPage.Clear();

    CurPanel = 1;
    const int keepXOffset = XOffset;
    const TRect keepRect = PrintRect;
    const int advance = PanelAdvance();
    for (;;) {
        PrintPageHdr();
        PrintPageData();
        if (RptStyles) PrintRect.Bottom += RptStyles->MaxLineWid(P::plLast, L::liBorderBottom);
        PrintPageFtr();
        ++CurPanel;
        if (IsLastPage(true, CurPanel - 1) || CurPanel > PanelsAcross) break;
        XOffset += advance;
        PrintRect = keepRect;
    }
    XOffset = keepXOffset;

    if (text) {
        if (Oper == TOper::opPrinting)
            OutputTextPage();
        else if (Oper == TOper::opPreview && PreviewMemo) {
            TStringList lines;
            for (int i = 0; i < TextPage.Count(); ++i) lines.Add(TextPage.Line(i));
            PreviewMemo->Lines().Assign(lines);
        }
    }
    PrevPage = CurPage;
}

// ---- A run -----------------------------------------------------------------

TRunPosition::TRunPosition(TPrintSettings& Settings)
    : settings_(Settings), posn_(std::make_unique<TObjPosn>()), page_(Settings.CurPage) {}

TRunPosition::~TRunPosition() {
    if (ObjInfo) ObjInfo->FreeMemoBuffer();
    posn_->RestorePosn();
    settings_.CurPage = page_;
}

void TPrintSettings::DefineYPlaneNums() {
    if (!RptStyles || !ObjInfo) return;
    TObjInfo& oi = *ObjInfo;
    TPlaneArray<TPlaneRows>& rows = RptStyles->PlaneRows;
    for (P plane : {P::plFirst, P::plMiddle, P::plLast}) {
        rows[plane].Rows = 0;
        rows[plane].Counter = 0;
    }
    rows[P::plFirst].Rows = oi.FixedRows;
    rows[P::plLast].Rows = oi.TotalRows;
    switch (oi.ObjType) {
    case TObjType::IsStringGrid: rows[P::plMiddle].Rows = oi.Rows - oi.FixedRows - oi.TotalRows; break;
    case TObjType::IsDecGrid: rows[P::plMiddle].Rows = oi.Rows - oi.FixedRows; break;
    default: rows[P::plMiddle].Rows = oi.Rows; break;
    }
}

void TPrintSettings::StampRunDateTime() {
    const TDateTime now = Now();
    std::string dateFmt = "ddddd", timeFmt = "t";
    if (ReportSettings) {
        ReportSettings->RunDateTime = now;
        if (!ReportSettings->MemoDateFormatStr.empty()) dateFmt = ReportSettings->MemoDateFormatStr;
        if (!ReportSettings->MemoTimeFormatStr.empty()) timeFmt = ReportSettings->MemoTimeFormatStr;
    }
    DateText = FormatDateTime(dateFmt, now);
    TimeText = FormatDateTime(timeFmt, now);
}

void TPrintSettings::InitPrintPages() {
    // The memos were measured with the run's date and time; a run that
    // measured none takes them now.
    if (DateText.empty() && TimeText.empty()) StampRunDateTime();
    const TDateTime now = Now();
    LastPage = LastPageUnknown;
    PrevPage = TPoint{0, 0};
    PagesOutput = 0;
    CurPanel = 0;
    LineNum = FirstLineNum - 1;
    StartTime = now;
    FirstNonBlkColNdx = -1;
    PrevFirstNonBlkColNdx = -1;
    NoDataRows = false;
    RptFtrCarried = false;
    RptFtrOnlyRow = false;
    if (ObjInfo) {
        ObjInfo->RcdsDone = 0;
        ObjInfo->Eof = false;
        LastColNdx = ObjInfo->ColCount() - 1;
    }
    DefineYPlaneNums();
    const bool currentPage = RunPrintWhat() == TPrintWhat::pwCurrentPage;
    if (StartAtFirstRcd || currentPage) {
        if (ObjInfo) NoDataRows = !ObjInfo->GetFirstRcd();
    } else {
        ++LineNum;
    }
    OperStatus = TOperStatus::osActive;
}

void TPrintSettings::CorrectPageRange() {
    if (PageRangeFrom.X < 0) PageRangeFrom.X = 0;
    if (PageRangeFrom.Y <= 0) PageRangeFrom.Y = 1;
    if (PageRangeFrom.X > PagesAcross) PageRangeFrom.X = PagesAcross;
    if (PageRangeTo.X > PagesAcross) PageRangeTo.X = PagesAcross;
    if (PageNum(PageRangeFrom) > PageNum(PageRangeTo) && (PageRangeTo.Y != PageRangeFrom.Y || PageRangeTo.X != 0))
        PageRangeTo = PageRangeFrom;
}

TPrintWhat TPrintSettings::RunPrintWhat() const {
    if (PageRangeWhat) return *PageRangeWhat;
    return ReportSettings ? ReportSettings->PrintWhat : TPrintWhat::pwAll;
}

void TPrintSettings::SetPageRange(TPrintWhat What, bool FromPreview, const TPoint& From, const TPoint& To) {
    PageRangeWhat = What;
    CurPage.Y = 0;
    FirstLineNum = ReportSettings ? ReportSettings->StartingReportLineId : 1;
    switch (What) {
    case TPrintWhat::pwAll:
        PageRangeFrom = TPoint{0, 1};
        PageRangeTo = TPoint{0, 99999};
        StartAtFirstRcd = true;
        break;
    case TPrintWhat::pwCurrentPage:
        PageRangeFrom = TPoint{0, 1};
        PageRangeTo = TPoint{0, 1};
        StartAtFirstRcd = false;
        break;
    case TPrintWhat::pwTestPage:
        PageRangeFrom = TPoint{1, 1};
        PageRangeTo = TPoint{1, 1};
        StartAtFirstRcd = true;
        break;
    case TPrintWhat::pwPageRange:
        PageRangeFrom = From;
        PageRangeTo = To;
        StartAtFirstRcd = true;
        // The preview knows where its pages began: the run starts there
        // instead of walking from the first record.
        if (FromPreview && PreviewPages &&
            (PreviewPages->RestorePagePosition(From, false) || PreviewPages->RestorePagePosition(From, true))) {
            StartAtFirstRcd = false;
            CurPage.Y -= 1;
        }
        break;
    default: break;
    }
}

void TPrintSettings::PrintPages() {
    if (!ObjInfo) return;
    TObjInfo& oi = *ObjInfo;
    const TRunPosition keep(*this);
    // A print of every page, one page across, that directly follows a scan
    // of all rows reads the rows the scan recorded, once: the next print
    // reads the records again.
    struct TReplay {
        TObjInfo& Oi;
        ~TReplay() {
            if (!Oi.ReplayingScan) return;
            Oi.ReplayingScan = false;
            Oi.ScannedRows.Discard();
        }
    } replay{oi};
    oi.ReplayingScan = RunPrintWhat() == TPrintWhat::pwAll && StartAtFirstRcd && PagesAcross <= 1 &&
                       PageRangeFrom.Y <= 1 && oi.PrepareScanReplay();
    InitPrintPages();
    int fromX = std::max(1, PageRangeFrom.X);
    const int startCol = oi.GetPageXColNum(fromX);
    const double from = PageNum(PageRangeFrom), to = PageNum(PageRangeTo);
    const bool all = !ReportSettings || RunPrintWhat() == TPrintWhat::pwAll;

    // The first page row is laid out even without a data row: an empty
    // object still prints its memos and column titles.
    for (bool firstRow = true; (firstRow || !oi.Eof || RptFtrCarried) && OperStatus == TOperStatus::osActive;
         firstRow = false) {
        ++CurPage.Y;
        CurPage.X = 0;
        CurColNdx = 0;
        do {
            ++CurPage.X;
            if (CurPage.X > 1) {
                int x = CurPage.X;
                CurColNdx = oi.GetPageXColNum(x);
            }
            const double page = PageNum(CurPage);
            if (page >= from) {
                if (page > to && (PageRangeTo.X != 0 || CurPage.Y != PageRangeTo.Y)) {
                    oi.Eof = true;
                    RptFtrCarried = false;
                    break;
                }
                Oper = TOper::opPrinting;
            } else if (CurPage.Y == PageRangeFrom.Y) {
                CurPage.X = fromX;
                CurColNdx = startCol;
                Oper = TOper::opPrinting;
            } else {
                Oper = TOper::opScanning;
            }
            FirstColNdx = CurColNdx;
            PrintPage();
            if (Oper == TOper::opPrinting) {
                ++PagesOutput;
                ++TotalPagesOutput;
            }
            int current = all ? oi.RcdsDone : CurPage.Y;
            int total = all ? oi.Rows : PageRangeTo.Y;
            UpdateProgressBar(current, total, CurPage);
            // Pages before the range are laid out on their first page across only.
            if (Oper == TOper::opScanning) break;
        } while (CurPage.X < PagesAcross && OperStatus == TOperStatus::osActive);
        BMLineList->FreeAllBookmarks();
    }
}

} // namespace trx
