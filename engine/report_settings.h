// The report-settings record: every option of one report, its eight memos
// and its passwords, with the memo-region mapping and the global
// preferences kept in "Tabrix.Ini".
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/report_types.h"
#include "framework/core/date_time.h"
#include "framework/core/exceptions.h"
#include "framework/core/strings.h"
#include "framework/core/types.h"

namespace trx {

using TtrxReportId = ShortString<30>;
using TtrxUserName = ShortString<8>;

// One memo of a report.
class TRptMemo : public TObject {
public:
    TRptMemo() = default;
    ~TRptMemo() override = default;

    // Frees any buffer and allocates Size zero-filled bytes.
    void AllocMemoBuf(int Size);
    void FreeMemoBuf();
    // Clamps WidPer to 0..100 and XPosPer to 0..90, then keeps the memo
    // within 100 per cent.
    void Validate();
    // MarginPix from MarginThous through the run's unit conversion.
    void CalcPixMemoMargins();

    // The text up to its terminating NUL; empty without a buffer.
    std::string Text() const;
    // Replaces the text: a buffer of the text's length plus the NUL.
    void SetText(const std::string& Value);

    int32_t XPosPer = 0;
    int32_t WidPer = 0;
    TRect MarginPix;
    TRect MarginTxt;
    TRect MarginThous;
    int32_t BufLen = 0; // bytes of Buf, terminating NUL included; 0 without buffer
    int32_t MemoHt = 0; // measured height in the run's current unit
    TAlignment Alignment = TAlignment::taLeftJustify;
    bool Visible = false;
    std::string FontName;
    int32_t FontSize = 0;
    int32_t FontStyle = 0;
    int32_t FontColor = 0;
    std::unique_ptr<char[]> Buf; // NUL-terminated text, CR LF line breaks
};

using TGridLineDrawChrs = std::array<std::array<std::array<char, 8>, 4>, 2>; // [TLineDraw][TLDGridH][TLDGridV]
using TTreeLineDrawChrs = std::array<std::array<char, 5>, 2>; // [TLineDraw][TTDChrs]

class TtrxReportSettings : public TObject {
public:
    TtrxReportSettings();
    ~TtrxReportSettings() override;
    TtrxReportSettings(const TtrxReportSettings&) = delete;
    TtrxReportSettings& operator=(const TtrxReportSettings&) = delete;

    // An export, or a line-drawing quality other than a window snapshot.
    bool OutputQualityIsText() const {
        if (OutputDest == TOutputDest::odExportFile) return true;
        if (PrintWhat == TPrintWhat::pwWindowSnapShot) return false;
        return OutputQuality < 2;
    }
    int ValidateFontSize(int Size) const;
    static std::string CnvtSnapShotSizeText(const std::string& Text);
    static std::string CnvtSnapShotSizeAbrev(const std::string& Code);
    void CalcPixMeasurements();
    bool RptMemoExists(TRptMemoNdx Ndx, bool MustBeVisible) const;
    static TRegNdx CnvtRptMemoNdxToRegNdx(TRptMemoNdx Ndx);
    static TRptMemoNdx CnvtRegNdxToRptMemoNdx(TRegNdx Region);
    static std::string FormatNonZeroPageNum(const TPoint& Page);
    void LoadGlobalSettings();
    void SaveGlobalSettings();

    // Line-drawing character accessors.
    char GridChr(TLineDraw Set, TLDGridH Row, TLDGridV Col) const {
        return GridLineDrawChrs[Ord(Set)][Ord(Row)][Ord(Col)];
    }
    char TreeChr(TLineDraw Set, TTDChrs Chr) const { return TreeLineDrawChrs[Ord(Set)][Ord(Chr)]; }
    // The built-in tables.
    static const TGridLineDrawChrs& DefaultGridLineDrawChrs();
    static const TTreeLineDrawChrs& DefaultTreeLineDrawChrs();

    TRptMemo& Memo(TRptMemoNdx Ndx) { return *RptMemos[Ord(Ndx)]; }
    const TRptMemo& Memo(TRptMemoNdx Ndx) const { return *RptMemos[Ord(Ndx)]; }

    TtrxReportId ReportId;
    TPrintWhat PrintWhat = TPrintWhat::pwAll;
    TPoint PageRangeFrom;
    TPoint PageRangeTo;
    TOutputDest OutputDest = TOutputDest::odPrinter;
    bool Modified = false;
    bool SettingsReadOnly = false;
    bool PreviewFirst = false;
    bool CreatedAtRuntime = false;
    bool ComponentDeleted = false;
    bool UseReportViewer = false;
    bool AppendToFile = false;
    bool ShrinkToPage = false;
    bool ExpandToPage = false;
    bool RepeatRowTitles = false;
    bool CountNumRcds = false;
    bool ExportOnlyPrintableChrs = false;
    bool FastPrinterText = false;
    bool AllowFastPrinterText = false;
    bool PauseAfterPrinting = false;
    bool DisplayReportOptionsWin = false;
    bool DisplayProgressWindow = false;
    bool CloseWinAfterPrinting = false;
    bool ShowHint = false;
    bool DefaultPrinter = false;
    TtrxUserName UserName;
    std::string PrinterName;
    std::string StyleName;
    std::string ReplFontName;
    std::string TextFontName;
    std::string HiddenTabs;
    TUnitsArray<int32_t> InterPanelGap;
    TUnitsArray<int32_t> MaxStringColWid;
    TUnitsArray<int32_t> MaxMemoColWid;
    int32_t RcdEstimate = 0;
    int32_t ExportMaxStrLng = 0;
    int32_t ExportMaxMemoLng = 0;
    int32_t MaxRowsToSnugfit = 0;
    int32_t ReplFontColor = 0;
    int32_t StartingReportLineId = 0;
    int32_t TextFontColor = 0;
    int32_t TextFontSize = 0;
    int32_t TextFontStyle = 0;
    int32_t ReplFontSize = 0;
    int32_t ReplFontStyle = 0;
    int32_t PanelsAcrossPage = 0;
    int32_t NodeIndentation = 0;
    int32_t HorizLineFreq = 0;
    int32_t VertHtAdjPer = 0;
    int32_t TxtCharsPageWid = 0;
    int32_t LinesPerpage = 0;
    int32_t MaxStringLines = 0;
    int32_t MaxMemoLines = 0;
    int32_t LargestFontSize = 0;
    int32_t SmallestFontSize = 0;
    int32_t PreviewZoomLevel = 0;
    int32_t DMPaperSize = 0;
    int32_t DMCopies = 0;
    int32_t DMDuplex = 0;
    int32_t DMCollate = 0;
    TUnitsArray<TRect> CellMargin;
    TUnitsArray<TRect> PageMargin;
    uint8_t OutputQuality = 0; // TOutputQuality; 2 or more stands for a graphic quality
    TPrinterOrient Orientation = TPrinterOrient::poPortraitOrient;
    TAlignment ColTitleAlignment = TAlignment::taLeftJustify;
    TAlignment ReportAlignment = TAlignment::taLeftJustify;
    TSnugfit Snugfit = TSnugfit::osAllRows;
    ShortString<3> ExportFieldDelim;
    ShortString<3> ExportQuote;
    ShortString<2> SnapShotSize;
    TDateTime CreateDate = 0;
    TDateTime RunDateTime = 0;
    TDateTime LastSaveDate = 0;
    TIfOutputFileExists IfOutputFileExists = TIfOutputFileExists::oeOverWriteFile;
    std::string RptOptPW;
    std::string RptSetUpPW;
    std::string RptPW;
    std::string DialogTitle;
    std::string ReportDesc;
    std::string OutputFileName;
    std::string MemoDateFormatStr;
    std::string MemoTimeFormatStr;
    std::string MemoPageFormatStr;
    std::string InitPrinterStr;
    std::string FinishPrinterStr;
    TLineDraw LineDraw = TLineDraw::ldASCII;
    TTreeLineDrawChrs TreeLineDrawChrs{};
    TGridLineDrawChrs GridLineDrawChrs{};
    std::array<std::unique_ptr<TRptMemo>, RptMemoCount> RptMemos;
};

// The run's settings record; set while a report runs, else nullptr.
extern TtrxReportSettings* ReportSettings;

// Whether the run lays its report out in character cells (a line-drawing
// quality); false while no report runs.
inline bool TextQuality() { return ReportSettings && ReportSettings->OutputQualityIsText(); }

} // namespace trx
