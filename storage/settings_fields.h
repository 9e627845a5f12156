// The field table of the report-settings file: one row per key, with the
// field it is stored in, its type and its default text.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/stringlist.h"

namespace trx {

// The type column of the table; conversions go by the row's field, not by it.
enum class TrsfFldTyp : uint8_t { rsftInteger, rsftBoolean, rsftReal, rsftString, rsftDateTime, rsftRect, rsftPoint };

// The fields that keys are stored in: the 98 fixed keys, the ten memo
// properties (one value each, shared by the eight memos) and the memo text.
enum class TrsfFld : uint8_t {
    rsfCreatedAtRuntime,
    rsfComponentDeleted,
    rsfStyleName,
    rsfOutputDest,
    rsfPrintWhat,
    rsfSnapShotSize,
    rsfStartingReportLineId,
    rsfPageRangeFrom,
    rsfPageRangeTo,
    rsfSettingsReadOnly,
    rsfPreviewFirst,
    rsfUseReportViewer,
    rsfAppendToFile,
    rsfShrinkToPage,
    rsfExpandToPage,
    rsfShowHint,
    rsfRepeatRowTitles,
    rsfExportOnlyPrintableChrs,
    rsfDefaultPrinter,
    rsfPrinterName,
    rsfPauseAfterPrinting,
    rsfDisplayProgressWindow,
    rsfHiddenTabs,
    rsfRcdEstimate,
    rsfCountNumRcds,
    rsfDisplayReportOptionsWin,
    rsfCloseWinAfterPrinting,
    rsfPanelsAcrossPage,
    rsfInterPanelGapThous,
    rsfInterPanelGapTxt,
    rsfNodeIndentation,
    rsfHorizLineFreq,
    rsfVertHtAdjPer,
    rsfLinesPerpage,
    rsfTxtCharsPageWid,
    rsfPageMarginThous,
    rsfCellMarginThous,
    rsfPageMarginTxt,
    rsfCellMarginTxt,
    rsfMaxStringColWidThous,
    rsfMaxMemoColWidThous,
    rsfMaxStringColWidTxt,
    rsfMaxMemoColWidTxt,
    rsfMaxStringLines,
    rsfMaxMemoLines,
    rsfExportMaxStrLng,
    rsfExportMaxMemoLng,
    rsfSnugfit,
    rsfMaxRowsToSnugfit,
    rsfLargestFontSize,
    rsfSmallestFontSize,
    rsfPreviewZoomLevel,
    rsfFastPrinterText,
    rsfAllowFastPrinterText,
    rsfOutputQuality,
    rsfIfOutputFileExists,
    rsfOrientation,
    rsfReportAlignment,
    rsfColTitleAlignment,
    rsfDMPaperSize,
    rsfDMCopies,
    rsfDMDuplex,
    rsfDMCollate,
    rsfTextFontName,
    rsfTextFontSize,
    rsfTextFontStyle,
    rsfTextFontColor,
    rsfReplFontName,
    rsfReplFontSize,
    rsfReplFontStyle,
    rsfReplFontColor,
    rsfExportFieldDelim,
    rsfExportQuote,
    rsfCreateDate,
    rsfLastSaveDate,
    rsfReportDesc,
    rsfRptPW,
    rsfRptOptPW,
    rsfRptSetUpPW,
    rsfOutputFileName,
    rsfMemoDateFormatStr,
    rsfMemoTimeFormatStr,
    rsfMemoPageFormatStr,
    rsfInitPrinterStr,
    rsfFinishPrinterStr,
    rsfsoFieldFormat,
    rsfsoVerticalLines,
    rsfsoHorizontalLines,
    rsfsoBorders,
    rsfsoShareAdjBorders,
    rsfsoColumnTitles,
    rsfsoColumnTotals,
    rsfsoRowTitles,
    rsfsoRowTotals,
    rsfsoFormFeeds,
    rsfsoLineNumbers,
    rsfsoExpandAllNodes,
    rsfsoGrpBrkLines,
    rsfMemoXPosPer,
    rsfMemoWidPer,
    rsfMemoMarginThous,
    rsfMemoMarginTxt,
    rsfMemoAlignment,
    rsfMemoVisible,
    rsfMemoFontName,
    rsfMemoFontSize,
    rsfMemoFontStyle,
    rsfMemoFontColor,
    rsfMemoBuf
};
inline constexpr int rsfFixedCount = 98;
inline constexpr int rsfMemoPropCount = 10;
static_assert(static_cast<int>(TrsfFld::rsfMemoXPosPer) == rsfFixedCount);
static_assert(static_cast<int>(TrsfFld::rsfMemoBuf) == 108);

// One row of the field table.
class TrsfData : public TObject {
public:
    TrsfData(TrsfFldTyp AFldTyp, TrsfFld AFld, std::string ADefaultValue)
        : FldTyp(AFldTyp), Fld(AFld), DefaultValue(std::move(ADefaultValue)) {}

    TrsfFldTyp FldTyp;
    TrsfFld Fld;
    std::string DefaultValue;
    std::string Value; // empty until the current settings are filled in
};

// The field table: each string is a key, its object the key's row. Look-up
// is case-insensitive; the list owns its rows.
class TrsfList : public TStringList {
public:
    TrsfList() = default;
    ~TrsfList() override;
    TrsfList(const TrsfList&) = delete;
    TrsfList& operator=(const TrsfList&) = delete;

    TrsfData* Data(int Index) const { return static_cast<TrsfData*>(GetObject(Index)); }
};

} // namespace trx
