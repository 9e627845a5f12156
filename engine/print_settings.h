// The state of one print, preview or export run: units of measure and their
// conversions, page geometry, page range and current page, run status and
// result, output handles and the text page buffer; the page loop and the
// outputs work on it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/page_numbers.h"
#include "engine/report_types.h"
#include "engine/run_units.h"
#include "engine/text_page.h"
#include "framework/core/date_time.h"
#include "framework/core/display_width.h"
#include "framework/core/stringlist.h"
#include "framework/core/text_file.h"
#include "framework/core/types.h"
#include "framework/data/field_type.h"
#include "framework/printing/draw_text.h"
#include "framework/printing/graphics.h"
#include "framework/printing/spooler.h"

namespace trx {

class TBMLineList;
class TObjPosn;
class TMemo;
class TEdit;
class TForm;

// DrawTextA flags used by the layout.
inline constexpr unsigned DT_FLAGS_MEASURE_WRAPPED = 3088; // DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX
// Not a DrawTextA flag: the text is a report memo, whose codes "^D", "^P"
// and "^T" put in the run's date, page number and time. Every other text
// (titles, data) is laid out as it is stored.
inline constexpr unsigned DT_MEMOCODES = 0x10000;

// The preview's page list, as the page range sees it: it can put the walk
// back where a page began.
class TPreviewPagePositions {
public:
    virtual ~TPreviewPagePositions() = default;
    // Restores the walk position saved for Page (dataset bookmark, current
    // page Y, page across and first column, current cell, running and first
    // line numbers). With Fallback a row-level search is allowed.
    virtual bool RestorePagePosition(const TPoint& Page, bool Fallback) = 0;
};

// Left X and width of one X plane on the current page across.
struct TXPlaneLine {
    int32_t X = 0;
    int32_t Wid = 0;
};

// The units (TRunUnits) and the page points (TPageCursor) are values of
// their own, with the conversions and page numbers that need nothing else.
class TPrintSettings : public TObject, public TRunUnits, public TPageCursor {
public:
    TPrintSettings();
    ~TPrintSettings() override;
    TPrintSettings(const TPrintSettings&) = delete;
    TPrintSettings& operator=(const TPrintSettings&) = delete;

    // ---- Units, printers and page numbers ----
    int GetPageWidPix() const;
    int GetPageHeightPix() const;
    void SetUnits();
    void CalcPixPerInch();
    static int GetPrinterNdx(const std::string& Name);
    static void SetPrinterName(const std::string& Name);
    bool ChkPageRange(bool Check, TEdit* FromEdit, TEdit* ToEdit);
    std::string FormattedPageNum() const;

    // ---- Text cells, word wrap and line drawing ----
    // With MemoCodes the memo codes are worked out, else a caret is text.
    int BuildFldLines(bool CalcOnly, std::string_view Text, const TRect& Rect, TAlignment Alignment, bool MemoCodes);
    // BuildFldLines of a text with codes, line breaks, control characters or
    // more than a line.
    int BuildWrappedFldLines(bool CalcOnly, std::string_view Text, const TRect& Rect, TAlignment Alignment,
                             bool MemoCodes);
    int PrintText(const char* Text, int Count, TRect& Rect, unsigned Format);
    // Called for every cell: defined here so that it is inlined.
    static TAlignment CnvtFormatToAlignment(unsigned Format) {
        if (Format & DT_RIGHT) return TAlignment::taRightJustify;
        if (Format & DT_CENTER) return TAlignment::taCenter;
        return TAlignment::taLeftJustify;
    }
    int ScaleFontSize(int Size) const;
    void AssignFont(const TFont& Font);
    void PrintCellFill(const TRect& Rect);
    void PrintCellTextLine(TRegNdx /*Reg*/, char StartChr, char MidChr, char EndChr, int X1, int Y1, int X2, int Y2) {
        if (X1 < 1 || X2 < X1 || Y1 < 0 || Y2 < Y1) return;
        if (X1 == X2)
            TextPage.PutLineChr(StartChr, X1, Y1, Y2, NewLineWid());
        else
            TextPage.PutLineRun(StartChr, MidChr, EndChr, X1, X2, Y1, Y2, NewLineWid());
    }
    void PrintCellLine(bool FirstOnPage, TRegPlaneNdx Plane, TRegNdx Reg, TRegLineNdx LineNdx, bool HasLeft,
                       bool HasRight, const TRect& CellRect, const TRect& LineWids);
    void PrintCellLines(bool FirstOnPage, TRegPlaneNdx Plane, TRegNdx Reg, TRegLineNdx LeftKind, TRegLineNdx RightKind,
                        bool HasLeft, bool HasRight, const TRect& CellRect, const TRect& LineWids);
    // PrintCellLine of a needed line in text quality, and its vertical runs:
    // Chr at column X from line Y1 to Y2 (PrintCellTextLine of one column).
    void PrintTextCellLine(bool FirstOnPage, TRegPlaneNdx Plane, TRegLineNdx LineNdx, bool HasLeft, bool HasRight,
                           const TRect& CellRect, const TRect& LineWids);
    void PrintTextVertLine(char Chr, int X, int Y1, int Y2) {
        if (X >= 1 && Y1 >= 0 && Y2 >= Y1) TextPage.PutLineChr(Chr, X, Y1, Y2, NewLineWid());
    }
    // Whether the row being printed needs a line of kind LineNdx (the line
    // options and the row's place in its block); above the first row of a
    // block a separating line becomes a top border, unless adjacent borders
    // are shared and rows stand above on this page.
    bool RowNeedsLine(TRegLineNdx& LineNdx) const {
        using L = TRegLineNdx;
        if (LineNdx == L::liLineHoriz && FirstRow && (!ShareAdjBordersOn || NoRowYet)) LineNdx = L::liBorderTop;
        switch (LineNdx) {
        case L::liBorderLeft:
        case L::liBorderRight:
        case L::liBorderTop:
        case L::liBorderBottom: return BordersOn;
        case L::liLineVert: return VertLinesOn;
        case L::liLineHoriz:
            return ((GrpBrkThisRow || HorizLinesOn) && !NoRowYet) || (BordersOn && ShareAdjBordersOn && FirstRow);
        case L::liGrpBrkLine: return GrpBrkThisRow && !NoRowYet;
        default: return false;
        }
    }

    // ---- Page loop, memos and page regions ----
    void PrintRptMemo(TRptMemoNdx Memo, bool Measure);
    int GetRptMemoHt(TRptMemoNdx Memo, bool WithGaps) const;
    int CalcBottomHt(bool WithLines) const;
    int CalcTopHt(bool WithLines, bool FirstPage) const;
    void CalcMemoHts();
    int GetReportLineIdWid() const;
    int CalcPageWid() const;
    void CalcOffSet();
    void CalcXLines();
    int CalcCurTextLineHt(TRegPlaneNdx Plane);
    void PrintCellText(TRegPlaneNdx Plane, TFieldType FieldType);
    unsigned GetFieldTypeFormat(TRegPlaneNdx Plane, TFieldType FieldType) const;
    int GetFirstNonBlkColNdx(TRegPlaneNdx Plane);
    bool PrintPrimaryRegs(TRegPlaneNdx Plane, int RowHt);
    void PrintBorderBottom(TRegPlaneNdx Plane);
    void PrintRptHdr();
    void PrintRptFtr();
    void PrintPageHdr();
    bool PrintPageData();
    void PrintPageFtr();
    bool IsLastPage(bool CheckAcross, int Panel);
    void PrintPage();
    void InitPrintPages();
    void DefineYPlaneNums();
    void CorrectPageRange();
    void SetPageRange(TPrintWhat What, bool FromPreview, const TPoint& From, const TPoint& To);
    // What this run prints: the choice SetPageRange was given, which a print
    // from the preview sets apart from the stored one; the stored choice
    // when no page range was set.
    TPrintWhat RunPrintWhat() const;
    void PrintPages();
    TRegNdxs GetPrtRegs(TRegPlaneNdx Plane) const;

    // ---- Outputs and the print run ----
    static std::string CnvtStrToBinaryASCII(const std::string& Text);
    bool OpenOutput();
    void CloseOutput();
    void PrintSnapShot();
    void ExportPrimaryRegs(TRegPlaneNdx Plane, const std::string& Quote, const std::string& Delim);
    void PrintExport();
    int PrintReport(bool PauseAfterPrinting, TForm* Form);

    // ---- Fields ----
    TTextFile OutFile;
    TPrinterHandle SpoolHandle = 0;
    TCanvas* Canvas = nullptr;
    int32_t LastModalResult = 0;
    TMemo* PreviewMemo = nullptr;
    std::unique_ptr<TBMLineList> BMLineList;
    // The text page buffer of text output.
    TTextPage TextPage;
    TDateTime StartTime = 0;
    TRect PrintRect;
    TRect TextRect;
    TOper Oper = TOper::opPrinting;
    int32_t PanelsAcross = 0;
    int32_t CurPanel = 0;
    int32_t PagesAcross = 0;
    int32_t RepeatedRowTiCols = 0;
    // The choice of the last SetPageRange; cleared when a print from the
    // preview ends.
    std::optional<TPrintWhat> PageRangeWhat;
    int32_t PageWid = 0;
    int32_t PageHt = 0;
    int32_t LineNum = 0;
    int32_t PagesOutput = 0;
    int32_t LineHt = 0;
    int32_t LowestDataY = 0;
    int32_t PanelGap = 0;
    TOperStatus OperStatus = TOperStatus::osInActive;
    // Why the last print run was aborted: the message of the failure that
    // ended it; empty when none did (the user's abort or cancel included).
    std::string AbortReason;
    // The reason on one line, for a status line: its line breaks as blanks.
    std::string AbortReasonLine() const {
        std::string line = AbortReason;
        for (char& c : line)
            if (c == '\r' || c == '\n') c = ' ';
        return line;
    }
    // Whether the last print run's outcome, its abort reason included, was
    // shown on the progress window's result; set by the window.
    bool OutcomeShown = false;
    std::string DateText;
    std::string TimeText;
    std::string DestName;
    // The file the printer's document of the last print run went to, for a
    // printer that writes files (the PDF printer); empty otherwise.
    std::string DestFile;
    bool ToTextFile = false;
    bool ToRTFFile = false;
    bool ToExportFile = false;
    bool ToFile = false;
    bool IsSnapShot = false;
    bool ToPrinter = false;
    bool UseFastPrinterText = false;
    bool StartAtFirstRcd = false;
    bool RecalcPixPerInch = false;

    // The page loop's working values.
    TRect HdrRect;
    TPlaneArray<TXPlaneLine> XPlaneLines;
    int32_t FirstColNdx = 0;
    int32_t FirstNonBlkColNdx = 0;
    int32_t PrevFirstNonBlkColNdx = 0;
    int32_t CurColNdx = 0;
    int32_t LastColNdx = 0;
    int32_t PanelStep = 0;
    int32_t LeftMarginX = 0;
    int32_t RightLimitX = 0;
    int32_t TotalPagesOutput = 0;
    int32_t XOffset = 0;
    int32_t TableWid = 0;
    int32_t BMLineNdx = 0;
    int32_t FirstLineNum = 0;
    bool LineNumbersOn = false;
    bool MovingForward = false;
    bool ShareAdjBordersOn = false;
    bool BordersOn = false;
    bool HorizLinesOn = false;
    bool VertLinesOn = false;
    bool GrpBrkThisRow = false;
    bool GrpBrkLinesOn = false;
    bool NoRowYet = false;
    bool FirstRow = false;

    // The preview's page list while the preview is open, else nullptr.
    TPreviewPagePositions* PreviewPages = nullptr;

private:
    // The room of the text of the cell being printed or measured.
    std::string CellText;
    // Raw spooling: what was opened and started, so that closing ends
    // exactly that.
    bool SpoolPrinterOpen = false;
    bool SpoolDocStarted = false;
    bool SpoolPageStarted = false;
    // A printed page went to the current sheet; the next printed page
    // starts a new sheet first.
    bool SheetStarted = false;
    // The walk found no data row when the run started.
    bool NoDataRows = false;
    // No data row is on the page yet: a row taller than the room left is
    // cut to it instead of moving to the next page.
    bool RowMayBeCut = false;
    // The report footer found no room above the memos at the foot of a page
    // of this page row: it goes on the next page row, which holds nothing
    // else (RptFtrOnlyRow: no column titles either).
    bool RptFtrCarried = false;
    bool RptFtrOnlyRow = false;

    // The width of a line that the line characters add to the text page:
    // up to the table's right end on the current panel, at most the page.
    int NewLineWid() const { return std::max(0, std::min(XOffset + TableWid, PageWid)); }
    // Measures or prints a memo; a printed memo takes at most MaxHt (-1: no limit).
    void PlaceRptMemo(TRptMemoNdx Memo, bool Measure, int MaxHt);
    // The run's moment (RunDateTime) and the date and time texts of the
    // memo codes.
    void StampRunDateTime();
    // Raises the setup error of a column that the page leaves no room for.
    void ChkColsFitPage() const;
    // Width of one panel's table on the current page across, with the gaps
    // that unshared right borders leave between columns.
    int PageAcrossWid() const;
    // Step from one panel to the next: never less than a panel's table and the gap.
    int PanelAdvance() const;
    // Ends the sheet of the page printed before, when there is one.
    void StartSheet();
    // Hands the text page buffer to the raw spooler, the file or the printer.
    void OutputTextPage();
    void ShowPageNumError(TEdit* Edit) const;
    void GetLineChrNdxs(bool FirstOnPage, TRegPlaneNdx Plane, TLDGridH& Row, TLDGridV& StartCol, TLDGridV& MidCol,
                        TLDGridV& EndCol, bool HasRight, bool HasLeft) const;
};

// Keeps the object's position and the current page while a run walks
// through the object; gives both back, and frees the memo buffer, when it
// goes, also after a failure.
class TRunPosition {
public:
    explicit TRunPosition(TPrintSettings& Settings);
    ~TRunPosition();
    TRunPosition(const TRunPosition&) = delete;
    TRunPosition& operator=(const TRunPosition&) = delete;

private:
    TPrintSettings& settings_;
    std::unique_ptr<TObjPosn> posn_;
    TPoint page_;
};

// A delimiter or quote setting of the export: a character code from 0 to
// 255 stands for that character, any other text for itself.
std::string DecodeExportChr(const std::string& Setting);
// Why an export cannot be written with this delimiter and quote (both
// decoded): the options window's message for them; empty when it can.
std::string ExportChrsFault(const std::string& Delim, const std::string& Quote);

// Fixed-width text: the first N characters, or the text padded with blanks.
std::string FixStrLng(const std::string& S, int N);

// The run's state; set while a report runs, else nullptr.
extern TPrintSettings* PrintSettings;

} // namespace trx
