// The field table of the settings file: its rows and defaults, the value
// text of every key, and the storing of a key's text into the settings
// record, its memos and the style options.
#include <algorithm>

#include "engine/obj_info.h"
#include "engine/rpt_styles.h"
#include "engine/shared_routines.h"
#include "engine/trx_errors.h"
#include "framework/core/file_utils.h"
#include "storage/file_mgr.h"

namespace trx {

TrsfList::~TrsfList() {
    for (int i = 0; i < Count(); ++i) delete GetObject(i);
}

namespace {

using F = TrsfFld;
using T = TrsfFldTyp;

struct TFixedRow {
    const char* Key;
    F Fld;
    T Typ;
    const char* Default; // nullptr: computed when the table is built
};

// The fixed keys, in the order in which they are written.
constexpr TFixedRow FixedRows[rsfFixedCount] = {
    {"CreatedAtRuntime", F::rsfCreatedAtRuntime, T::rsftBoolean, "0"},
    {"ComponentDeleted", F::rsfComponentDeleted, T::rsftBoolean, "0"},
    {"StyleName", F::rsfStyleName, T::rsftString, ""},
    {"OutputDest", F::rsfOutputDest, T::rsftString, "0"},
    {"PrintWhat", F::rsfPrintWhat, T::rsftInteger, "0"},
    {"SnapShotSize", F::rsfSnapShotSize, T::rsftString, "CT"},
    {"StartingReportLineId", F::rsfStartingReportLineId, T::rsftInteger, "1"},
    {"PageRangeFrom", F::rsfPageRangeFrom, T::rsftPoint, "0,1"},
    {"PageRangeTo", F::rsfPageRangeTo, T::rsftPoint, "0,99999"},
    {"SettingsReadOnly", F::rsfSettingsReadOnly, T::rsftBoolean, "0"},
    {"PreviewFirst", F::rsfPreviewFirst, T::rsftBoolean, "1"},
    {"CountNumRcds", F::rsfCountNumRcds, T::rsftBoolean, nullptr},
    {"RcdEstimate", F::rsfRcdEstimate, T::rsftInteger, "100000"},
    {"UseReportViewer", F::rsfUseReportViewer, T::rsftBoolean, "0"},
    {"AppendToFile", F::rsfAppendToFile, T::rsftBoolean, "0"},
    {"ShrinkToPage", F::rsfShrinkToPage, T::rsftBoolean, "1"},
    {"ExpandToPage", F::rsfExpandToPage, T::rsftBoolean, "0"},
    {"ShowHint", F::rsfShowHint, T::rsftBoolean, "1"},
    {"RepeatRowTitles", F::rsfRepeatRowTitles, T::rsftBoolean, "0"},
    {"ExportOnlyPrintableChrs", F::rsfExportOnlyPrintableChrs, T::rsftBoolean, "1"},
    {"DefaultPrinter", F::rsfDefaultPrinter, T::rsftBoolean, "1"},
    {"PrinterName", F::rsfPrinterName, T::rsftString, ""},
    {"PauseAfterPrinting", F::rsfPauseAfterPrinting, T::rsftBoolean, "1"},
    {"DisplayProgressWindow", F::rsfDisplayProgressWindow, T::rsftBoolean, "1"},
    {"HiddenTabs", F::rsfHiddenTabs, T::rsftString, ""},
    {"DisplayReportOptionsWin", F::rsfDisplayReportOptionsWin, T::rsftBoolean, "1"},
    {"CloseWinAfterPrinting", F::rsfCloseWinAfterPrinting, T::rsftBoolean, "0"},
    {"PanelsAcrossPage", F::rsfPanelsAcrossPage, T::rsftInteger, "1"},
    {"InterPanelGapThous", F::rsfInterPanelGapThous, T::rsftInteger, "250"},
    {"InterPanelGapTxt", F::rsfInterPanelGapTxt, T::rsftInteger, "1"},
    {"NodeIndentation", F::rsfNodeIndentation, T::rsftInteger, "2"},
    {"HorizLineFreq", F::rsfHorizLineFreq, T::rsftInteger, "0"},
    {"VertHtAdjPer", F::rsfVertHtAdjPer, T::rsftInteger, "100"},
    {"LinesPerpage", F::rsfLinesPerpage, T::rsftInteger, "60"},
    {"TxtCharsPageWid", F::rsfTxtCharsPageWid, T::rsftInteger, "80"},
    {"PageMarginThous", F::rsfPageMarginThous, T::rsftRect, "250,250,250,250"},
    {"CellMarginThous", F::rsfCellMarginThous, T::rsftRect, "0,0,0,0"},
    {"PageMarginTxt", F::rsfPageMarginTxt, T::rsftRect, "0,1,0,0"},
    {"CellMarginTxt", F::rsfCellMarginTxt, T::rsftRect, "1,0,0,0"},
    {"MaxStringColWidThous", F::rsfMaxStringColWidThous, T::rsftInteger, "2000"},
    {"MaxMemoColWidThous", F::rsfMaxMemoColWidThous, T::rsftInteger, "2000"},
    {"MaxStringColWidTxt", F::rsfMaxStringColWidTxt, T::rsftInteger, "20"},
    {"MaxMemoColWidTxt", F::rsfMaxMemoColWidTxt, T::rsftInteger, "20"},
    {"MaxStringLines", F::rsfMaxStringLines, T::rsftInteger, "2"},
    {"MaxMemoLines", F::rsfMaxMemoLines, T::rsftInteger, "2"},
    {"ExportMaxStrLng", F::rsfExportMaxStrLng, T::rsftInteger, "100"},
    {"ExportMaxMemoLng", F::rsfExportMaxMemoLng, T::rsftInteger, "100"},
    {"Snugfit", F::rsfSnugfit, T::rsftInteger, "1"},
    {"MaxRowsToSnugfit", F::rsfMaxRowsToSnugfit, T::rsftInteger, "100"},
    {"LargestFontSize", F::rsfLargestFontSize, T::rsftInteger, "20"},
    {"SmallestFontSize", F::rsfSmallestFontSize, T::rsftInteger, "6"},
    {"PreviewZoomLevel", F::rsfPreviewZoomLevel, T::rsftInteger, "100"},
    {"FastPrinterText", F::rsfFastPrinterText, T::rsftBoolean, "0"},
    {"AllowFastPrinterText", F::rsfAllowFastPrinterText, T::rsftBoolean, "0"},
    {"OutputQuality", F::rsfOutputQuality, T::rsftInteger, "1"},
    {"IfOutputFileExists", F::rsfIfOutputFileExists, T::rsftInteger, "0"},
    {"Orientation", F::rsfOrientation, T::rsftInteger, "0"},
    {"ReportAlignment", F::rsfReportAlignment, T::rsftInteger, "2"},
    {"ColTitleAlignment", F::rsfColTitleAlignment, T::rsftInteger, "2"},
    {"DMPaperSize", F::rsfDMPaperSize, T::rsftInteger, "0"},
    {"DMCopies", F::rsfDMCopies, T::rsftInteger, "0"},
    {"DMDuplex", F::rsfDMDuplex, T::rsftInteger, "0"},
    {"DMCollate", F::rsfDMCollate, T::rsftInteger, "0"},
    {"TextFontName", F::rsfTextFontName, T::rsftString, "Letter Gothic Line"},
    {"TextFontSize", F::rsfTextFontSize, T::rsftInteger, "10"},
    {"TextFontStyle", F::rsfTextFontStyle, T::rsftInteger, "0"},
    {"TextFontColor", F::rsfTextFontColor, T::rsftInteger, "0"},
    {"ReplFontName", F::rsfReplFontName, T::rsftString, "Arial"},
    {"ReplFontSize", F::rsfReplFontSize, T::rsftInteger, "10"},
    {"ReplFontStyle", F::rsfReplFontStyle, T::rsftInteger, "0"},
    {"ReplFontColor", F::rsfReplFontColor, T::rsftInteger, "0"},
    {"ExportFieldDelim", F::rsfExportFieldDelim, T::rsftString, "\t"},
    {"ExportQuote", F::rsfExportQuote, T::rsftString, "\""},
    {"CreateDate", F::rsfCreateDate, T::rsftDateTime, nullptr},
    {"LastSaveDate", F::rsfLastSaveDate, T::rsftDateTime, ""},
    {"ReportDesc", F::rsfReportDesc, T::rsftString, ""},
    {"RptPW", F::rsfRptPW, T::rsftString, ""},
    {"RptOptPW", F::rsfRptOptPW, T::rsftString, ""},
    {"RptSetUpPW", F::rsfRptSetUpPW, T::rsftString, ""},
    {"OutputFileName", F::rsfOutputFileName, T::rsftString, nullptr},
    {"MemoDateFormatStr", F::rsfMemoDateFormatStr, T::rsftString, ""},
    {"MemoTimeFormatStr", F::rsfMemoTimeFormatStr, T::rsftString, ""},
    {"MemoPageFormatStr", F::rsfMemoPageFormatStr, T::rsftString, ""},
    {"InitPrinterStr", F::rsfInitPrinterStr, T::rsftString, ""},
    {"FinishPrinterStr", F::rsfFinishPrinterStr, T::rsftString, "#12"},
    {"soFieldFormat", F::rsfsoFieldFormat, T::rsftBoolean, "1"},
    {"soVerticalLines", F::rsfsoVerticalLines, T::rsftBoolean, "1"},
    {"soHorizontalLines", F::rsfsoHorizontalLines, T::rsftBoolean, "0"},
    {"soBorders", F::rsfsoBorders, T::rsftBoolean, "1"},
    {"soShareAdjBorders", F::rsfsoShareAdjBorders, T::rsftBoolean, "1"},
    {"soColumnTitles", F::rsfsoColumnTitles, T::rsftBoolean, "1"},
    {"soColumnTotals", F::rsfsoColumnTotals, T::rsftBoolean, "1"},
    {"soRowTitles", F::rsfsoRowTitles, T::rsftBoolean, "1"},
    {"soRowTotals", F::rsfsoRowTotals, T::rsftBoolean, "1"},
    {"soFormFeeds", F::rsfsoFormFeeds, T::rsftBoolean, "1"},
    {"soLineNumbers", F::rsfsoLineNumbers, T::rsftBoolean, nullptr},
    {"soExpandAllNodes", F::rsfsoExpandAllNodes, T::rsftBoolean, "1"},
    {"soGrpBrkLines", F::rsfsoGrpBrkLines, T::rsftBoolean, nullptr},
};

struct TMemoRow {
    const char* Prop;
    F Fld;
    T Typ;
    const char* Default;
};

constexpr TMemoRow MemoRows[rsfMemoPropCount] = {
    {"MemoXPosPer", F::rsfMemoXPosPer, T::rsftInteger, "10"},
    {"MemoWidPer", F::rsfMemoWidPer, T::rsftInteger, "80"},
    {"MemoMarginThous", F::rsfMemoMarginThous, T::rsftRect, "0,0,0,0"},
    {"MemoMarginTxt", F::rsfMemoMarginTxt, T::rsftRect, "0,0,0,0"},
    {"MemoAlignment", F::rsfMemoAlignment, T::rsftInteger, "2"},
    {"MemoVisible", F::rsfMemoVisible, T::rsftBoolean, "1"},
    {"MemoFontName", F::rsfMemoFontName, T::rsftString, "Arial"},
    {"MemoFontSize", F::rsfMemoFontSize, T::rsftInteger, "12"},
    {"MemoFontStyle", F::rsfMemoFontStyle, T::rsftInteger, "0"},
    {"MemoFontColor", F::rsfMemoFontColor, T::rsftInteger, "0"},
};

// The style option stored under a style-option key.
bool StyleOptOfFld(F Fld, TStyleOptNdx& Ndx) {
    using S = TStyleOptNdx;
    switch (Fld) {
    case F::rsfsoFieldFormat: Ndx = S::soFieldFormat; return true;
    case F::rsfsoVerticalLines: Ndx = S::soVerticalLines; return true;
    case F::rsfsoHorizontalLines: Ndx = S::soHorizontalLines; return true;
    case F::rsfsoBorders: Ndx = S::soBorders; return true;
    case F::rsfsoShareAdjBorders: Ndx = S::soShareAdjBorders; return true;
    case F::rsfsoColumnTitles: Ndx = S::soColumnTitles; return true;
    case F::rsfsoColumnTotals: Ndx = S::soColumnTotals; return true;
    case F::rsfsoRowTitles: Ndx = S::soRowTitles; return true;
    case F::rsfsoRowTotals: Ndx = S::soRowTotals; return true;
    case F::rsfsoFormFeeds: Ndx = S::soFormFeeds; return true;
    case F::rsfsoLineNumbers: Ndx = S::soLineNumbers; return true;
    case F::rsfsoExpandAllNodes: Ndx = S::soExpandAllNodes; return true;
    case F::rsfsoGrpBrkLines: Ndx = S::soGrpBrkLines; return true;
    default: return false;
    }
}

std::string BoolStr(bool B) { return B ? "1" : "0"; }
std::string PointStr(const TPoint& P) { return IntToStr(P.X) + "," + IntToStr(P.Y); }

// An ordinal held in one byte: a stored value out of range takes the
// default's value (and 0 when that is out of range too).
int EnumOrd(const std::string& Value, const std::string& Default, int Count) {
    int v = TtrxFileMgr::CnvtStrToIntDflt(Value, Default);
    if (v >= 0 && v < Count) return v;
    v = TtrxFileMgr::CnvtStrToIntDflt(Default, "0");
    return (v >= 0 && v < Count) ? v : 0;
}

bool IsObjDecisionGrid() {
#ifdef UseDecGrid
    return ObjInfo != nullptr && ObjInfo->ObjType == TObjType::IsDecGrid;
#else
    return false;
#endif
}

} // namespace

void TtrxFileMgr::AddToRSFList(const std::string& Key, TrsfFld Fld, TrsfFldTyp FldTyp,
                               const std::string& DefaultValue) {
    auto row = std::make_unique<TrsfData>(FldTyp, Fld, DefaultValue);
    RSFList->AddObject(Key, row.get());
    row.release();
}

void TtrxFileMgr::InitRSFList() {
    if (RSFList) return;
    RSFList = std::make_unique<TrsfList>();
    for (const TFixedRow& r : FixedRows) {
        std::string dflt;
        if (r.Default) {
            dflt = r.Default;
        } else {
            switch (r.Fld) {
            case F::rsfCountNumRcds: dflt = BoolStr(!(ObjInfo && ObjInfo->IsDatasetSQLBased())); break;
            case F::rsfCreateDate: dflt = DateTimeToStr(Now()); break;
            case F::rsfOutputFileName: dflt = FixFilePath(GetCurrentDir(), true) + "Rpt.Txt"; break;
            case F::rsfsoLineNumbers: dflt = BoolStr(!IsObjDecisionGrid()); break;
            case F::rsfsoGrpBrkLines: dflt = BoolStr(IsObjDecisionGrid()); break;
            default: break;
            }
        }
        AddToRSFList(r.Key, r.Fld, r.Typ, dflt);
    }
    for (const char* name : RptMemoNames)
        for (const TMemoRow& r : MemoRows)
            AddToRSFList(std::string("Memo,") + name + "," + r.Prop, r.Fld, r.Typ, r.Default);
}

void TtrxFileMgr::UpdateRSFList(const std::string& Key, const std::string& Text) {
    const int i = RSFList ? RSFList->IndexOf(Key) : -1;
    if (i < 0)
        throw ETrxSUError(
            std::string(SetupErrorPrefix) +
            "[TtrxReportSettings.UpdateRSFList] Attempt to update nonexistant ReportSettings Property \"" + Key + "\"");
    RSFList->Data(i)->Value = Text;
}

void TtrxFileMgr::UpdateEntireRSFList() {
    TtrxReportSettings* rs = ReportSettings;
    if (!rs || !RSFList) return;
    using U = TUnitsOfMeasure;
    // Rows are visited in table order; each row's value comes from its field.
    for (int i = 0; i < RSFList->Count(); ++i) {
        TrsfData* d = RSFList->Data(i);
        std::string& v = d->Value;
        const std::string key = RSFList->Get(i);
        switch (d->Fld) {
        case F::rsfCreatedAtRuntime: v = BoolStr(rs->CreatedAtRuntime); break;
        case F::rsfComponentDeleted: v = BoolStr(rs->ComponentDeleted); break;
        case F::rsfStyleName: v = rs->StyleName; break;
        case F::rsfOutputDest: v = IntToStr(Ord(rs->OutputDest)); break;
        case F::rsfPrintWhat: v = IntToStr(Ord(rs->PrintWhat)); break;
        case F::rsfSnapShotSize: v = rs->SnapShotSize.str(); break;
        case F::rsfStartingReportLineId: v = IntToStr(rs->StartingReportLineId); break;
        case F::rsfPageRangeFrom: v = PointStr(rs->PageRangeFrom); break;
        case F::rsfPageRangeTo: v = PointStr(rs->PageRangeTo); break;
        case F::rsfSettingsReadOnly: v = BoolStr(rs->SettingsReadOnly); break;
        case F::rsfPreviewFirst: v = BoolStr(rs->PreviewFirst); break;
        case F::rsfCountNumRcds: v = BoolStr(rs->CountNumRcds); break;
        case F::rsfRcdEstimate: v = IntToStr(rs->RcdEstimate); break;
        case F::rsfUseReportViewer: v = BoolStr(rs->UseReportViewer); break;
        case F::rsfAppendToFile: v = BoolStr(rs->AppendToFile); break;
        case F::rsfShrinkToPage: v = BoolStr(rs->ShrinkToPage); break;
        case F::rsfExpandToPage: v = BoolStr(rs->ExpandToPage); break;
        case F::rsfShowHint: v = BoolStr(rs->ShowHint); break;
        case F::rsfRepeatRowTitles: v = BoolStr(rs->RepeatRowTitles); break;
        case F::rsfExportOnlyPrintableChrs: v = BoolStr(rs->ExportOnlyPrintableChrs); break;
        case F::rsfDefaultPrinter: v = BoolStr(rs->DefaultPrinter); break;
        case F::rsfPrinterName: v = rs->PrinterName; break;
        case F::rsfPauseAfterPrinting: v = BoolStr(rs->PauseAfterPrinting); break;
        case F::rsfDisplayProgressWindow: v = BoolStr(rs->DisplayProgressWindow); break;
        case F::rsfHiddenTabs: v = rs->HiddenTabs; break;
        case F::rsfDisplayReportOptionsWin: v = BoolStr(rs->DisplayReportOptionsWin); break;
        case F::rsfCloseWinAfterPrinting: v = BoolStr(rs->CloseWinAfterPrinting); break;
        case F::rsfPanelsAcrossPage: v = IntToStr(rs->PanelsAcrossPage); break;
        case F::rsfInterPanelGapThous: v = IntToStr(rs->InterPanelGap[U::umThous]); break;
        case F::rsfInterPanelGapTxt: v = IntToStr(rs->InterPanelGap[U::umTxt]); break;
        case F::rsfNodeIndentation: v = IntToStr(rs->NodeIndentation); break;
        case F::rsfHorizLineFreq: v = IntToStr(rs->HorizLineFreq); break;
        case F::rsfVertHtAdjPer: v = IntToStr(rs->VertHtAdjPer); break;
        case F::rsfLinesPerpage: v = IntToStr(rs->LinesPerpage); break;
        case F::rsfTxtCharsPageWid: v = IntToStr(rs->TxtCharsPageWid); break;
        case F::rsfPageMarginThous: v = CnvtRectToStr(rs->PageMargin[U::umThous]); break;
        case F::rsfCellMarginThous: v = CnvtRectToStr(rs->CellMargin[U::umThous]); break;
        case F::rsfPageMarginTxt: v = CnvtRectToStr(rs->PageMargin[U::umTxt]); break;
        case F::rsfCellMarginTxt: v = CnvtRectToStr(rs->CellMargin[U::umTxt]); break;
        case F::rsfMaxStringColWidThous: v = IntToStr(rs->MaxStringColWid[U::umThous]); break;
        case F::rsfMaxMemoColWidThous: v = IntToStr(rs->MaxMemoColWid[U::umThous]); break;
        case F::rsfMaxStringColWidTxt: v = IntToStr(rs->MaxStringColWid[U::umTxt]); break;
        case F::rsfMaxMemoColWidTxt: v = IntToStr(rs->MaxMemoColWid[U::umTxt]); break;
        case F::rsfMaxStringLines: v = IntToStr(rs->MaxStringLines); break;
        case F::rsfMaxMemoLines: v = IntToStr(rs->MaxMemoLines); break;
        case F::rsfExportMaxStrLng: v = IntToStr(rs->ExportMaxStrLng); break;
        case F::rsfExportMaxMemoLng: v = IntToStr(rs->ExportMaxMemoLng); break;
        case F::rsfSnugfit: v = IntToStr(Ord(rs->Snugfit)); break;
        case F::rsfMaxRowsToSnugfit: v = IntToStr(rs->MaxRowsToSnugfit); break;
        case F::rsfLargestFontSize: v = IntToStr(rs->LargestFontSize); break;
        case F::rsfSmallestFontSize: v = IntToStr(rs->SmallestFontSize); break;
        case F::rsfPreviewZoomLevel: v = IntToStr(rs->PreviewZoomLevel); break;
        case F::rsfFastPrinterText: v = BoolStr(rs->FastPrinterText); break;
        case F::rsfAllowFastPrinterText: v = BoolStr(rs->AllowFastPrinterText); break;
        case F::rsfOutputQuality: v = IntToStr(rs->OutputQuality); break;
        case F::rsfIfOutputFileExists: v = IntToStr(Ord(rs->IfOutputFileExists)); break;
        case F::rsfOrientation: v = IntToStr(Ord(rs->Orientation)); break;
        case F::rsfReportAlignment: v = IntToStr(Ord(rs->ReportAlignment)); break;
        case F::rsfColTitleAlignment: v = IntToStr(Ord(rs->ColTitleAlignment)); break;
        case F::rsfDMPaperSize: v = IntToStr(rs->DMPaperSize); break;
        case F::rsfDMCopies: v = IntToStr(rs->DMCopies); break;
        case F::rsfDMDuplex: v = IntToStr(rs->DMDuplex); break;
        case F::rsfDMCollate: v = IntToStr(rs->DMCollate); break;
        case F::rsfTextFontName: v = rs->TextFontName; break;
        case F::rsfTextFontSize: v = IntToStr(rs->TextFontSize); break;
        case F::rsfTextFontStyle: v = IntToStr(rs->TextFontStyle); break;
        case F::rsfTextFontColor: v = IntToStr(rs->TextFontColor); break;
        case F::rsfReplFontName: v = rs->ReplFontName; break;
        case F::rsfReplFontSize: v = IntToStr(rs->ReplFontSize); break;
        case F::rsfReplFontStyle: v = IntToStr(rs->ReplFontStyle); break;
        case F::rsfReplFontColor: v = IntToStr(rs->ReplFontColor); break;
        case F::rsfExportFieldDelim: v = rs->ExportFieldDelim.str(); break;
        case F::rsfExportQuote: v = rs->ExportQuote.str(); break;
        case F::rsfCreateDate: v = DateTimeToStr(rs->CreateDate); break;
        case F::rsfLastSaveDate: v = DateTimeToStr(rs->LastSaveDate); break;
        case F::rsfReportDesc: v = rs->ReportDesc; break;
        case F::rsfRptPW: v = rs->RptPW; break;
        case F::rsfRptOptPW: v = rs->RptOptPW; break;
        case F::rsfRptSetUpPW: v = rs->RptSetUpPW; break;
        case F::rsfOutputFileName: v = rs->OutputFileName; break;
        case F::rsfMemoDateFormatStr: v = rs->MemoDateFormatStr; break;
        case F::rsfMemoTimeFormatStr: v = rs->MemoTimeFormatStr; break;
        case F::rsfMemoPageFormatStr: v = rs->MemoPageFormatStr; break;
        case F::rsfInitPrinterStr: v = rs->InitPrinterStr; break;
        case F::rsfFinishPrinterStr: v = rs->FinishPrinterStr; break;
        case F::rsfMemoXPosPer:
        case F::rsfMemoWidPer:
        case F::rsfMemoMarginThous:
        case F::rsfMemoMarginTxt:
        case F::rsfMemoAlignment:
        case F::rsfMemoVisible:
        case F::rsfMemoFontName:
        case F::rsfMemoFontSize:
        case F::rsfMemoFontStyle:
        case F::rsfMemoFontColor: {
            const TRptMemo* m = rs->RptMemos[Ord(CnvtStrToRptMemoNdx(ParseStr(key, 2, ",", "")))].get();
            if (!m) break;
            switch (d->Fld) {
            case F::rsfMemoXPosPer: v = IntToStr(m->XPosPer); break;
            case F::rsfMemoWidPer: v = IntToStr(m->WidPer); break;
            case F::rsfMemoMarginThous: v = CnvtRectToStr(m->MarginThous); break;
            case F::rsfMemoMarginTxt: v = CnvtRectToStr(m->MarginTxt); break;
            case F::rsfMemoAlignment: v = IntToStr(Ord(m->Alignment)); break;
            case F::rsfMemoVisible: v = BoolStr(m->Visible); break;
            case F::rsfMemoFontName: v = m->FontName; break;
            case F::rsfMemoFontSize: v = IntToStr(m->FontSize); break;
            case F::rsfMemoFontStyle: v = IntToStr(m->FontStyle); break;
            default: v = IntToStr(m->FontColor); break;
            }
            break;
        }
        default: {
            TStyleOptNdx opt;
            if (StyleOptOfFld(d->Fld, opt)) v = RptStyles ? BoolStr(RptStyles->StyleOpts[opt].Value) : d->DefaultValue;
            break;
        }
        }
    }
}

void TtrxFileMgr::AssignStrFldToReportSettings(TrsfFld Fld, const std::string& Key, const std::string& DefaultValue,
                                               const std::string& Value) {
    TtrxReportSettings* rs = ReportSettings;
    if (!rs) return;
    using U = TUnitsOfMeasure;
    const std::string& d = DefaultValue;
    auto Int = [&] { return CnvtStrToIntDflt(Value, d); };
    auto Bool = [&] { return CnvtStrToBoolDflt(Value, d); };
    auto Str = [&] { return CnvtStrToStrDflt(Value, d); };
    auto Rect = [&] { return CnvtStrToRectDflt(Value, d); };
    auto Enum = [&](int Count) { return EnumOrd(Value, d, Count); };

    switch (Fld) {
    case F::rsfCreatedAtRuntime: rs->CreatedAtRuntime = Bool(); return;
    case F::rsfComponentDeleted: rs->ComponentDeleted = Bool(); return;
    case F::rsfStyleName: rs->StyleName = Value; return;
    case F::rsfOutputDest: rs->OutputDest = static_cast<TOutputDest>(Enum(4)); return;
    case F::rsfPrintWhat: rs->PrintWhat = static_cast<TPrintWhat>(Enum(7)); return;
    case F::rsfSnapShotSize: rs->SnapShotSize = Value; return;
    case F::rsfStartingReportLineId: rs->StartingReportLineId = Int(); return;
    case F::rsfPageRangeFrom: rs->PageRangeFrom = CnvtStrToPointDflt(Value, d); return;
    case F::rsfPageRangeTo: rs->PageRangeTo = CnvtStrToPointDflt(Value, d); return;
    case F::rsfSettingsReadOnly: rs->SettingsReadOnly = Bool(); return;
    case F::rsfPreviewFirst: rs->PreviewFirst = Bool(); return;
    case F::rsfCountNumRcds: rs->CountNumRcds = Bool(); return;
    case F::rsfRcdEstimate: rs->RcdEstimate = Int(); return;
    case F::rsfUseReportViewer: rs->UseReportViewer = Bool(); return;
    case F::rsfAppendToFile: rs->AppendToFile = Bool(); return;
    case F::rsfShrinkToPage: rs->ShrinkToPage = Bool(); return;
    case F::rsfExpandToPage: rs->ExpandToPage = Bool(); return;
    case F::rsfShowHint: rs->ShowHint = Bool(); return;
    case F::rsfRepeatRowTitles: rs->RepeatRowTitles = Bool(); return;
    case F::rsfExportOnlyPrintableChrs: rs->ExportOnlyPrintableChrs = Bool(); return;
    case F::rsfDefaultPrinter: rs->DefaultPrinter = Bool(); return;
    case F::rsfPrinterName: rs->PrinterName = Value; return;
    case F::rsfPauseAfterPrinting: rs->PauseAfterPrinting = Bool(); return;
    case F::rsfDisplayProgressWindow: rs->DisplayProgressWindow = Bool(); return;
    case F::rsfHiddenTabs: rs->HiddenTabs = Str(); return;
    case F::rsfDisplayReportOptionsWin: rs->DisplayReportOptionsWin = Bool(); return;
    case F::rsfCloseWinAfterPrinting: rs->CloseWinAfterPrinting = Bool(); return;
    case F::rsfPanelsAcrossPage: rs->PanelsAcrossPage = Int(); return;
    case F::rsfInterPanelGapThous: rs->InterPanelGap[U::umThous] = Int(); return;
    case F::rsfInterPanelGapTxt: rs->InterPanelGap[U::umTxt] = Int(); return;
    case F::rsfNodeIndentation: rs->NodeIndentation = Int(); return;
    case F::rsfHorizLineFreq: rs->HorizLineFreq = Int(); return;
    case F::rsfVertHtAdjPer: rs->VertHtAdjPer = Int(); return;
    case F::rsfLinesPerpage: rs->LinesPerpage = Int(); return;
    case F::rsfTxtCharsPageWid: rs->TxtCharsPageWid = Int(); return;
    case F::rsfPageMarginThous: rs->PageMargin[U::umThous] = Rect(); return;
    case F::rsfCellMarginThous: rs->CellMargin[U::umThous] = Rect(); return;
    case F::rsfPageMarginTxt: rs->PageMargin[U::umTxt] = Rect(); return;
    case F::rsfCellMarginTxt: rs->CellMargin[U::umTxt] = Rect(); return;
    case F::rsfMaxStringColWidThous: rs->MaxStringColWid[U::umThous] = Int(); return;
    case F::rsfMaxMemoColWidThous: rs->MaxMemoColWid[U::umThous] = Int(); return;
    case F::rsfMaxStringColWidTxt: rs->MaxStringColWid[U::umTxt] = Int(); return;
    case F::rsfMaxMemoColWidTxt: rs->MaxMemoColWid[U::umTxt] = Int(); return;
    case F::rsfMaxStringLines: rs->MaxStringLines = Int(); return;
    case F::rsfMaxMemoLines: rs->MaxMemoLines = Int(); return;
    case F::rsfExportMaxStrLng: rs->ExportMaxStrLng = Int(); return;
    case F::rsfExportMaxMemoLng: rs->ExportMaxMemoLng = Int(); return;
    case F::rsfSnugfit: rs->Snugfit = static_cast<TSnugfit>(Enum(3)); return;
    case F::rsfMaxRowsToSnugfit: rs->MaxRowsToSnugfit = Int(); return;
    case F::rsfLargestFontSize: rs->LargestFontSize = Int(); return;
    case F::rsfSmallestFontSize: rs->SmallestFontSize = Int(); return;
    case F::rsfPreviewZoomLevel: rs->PreviewZoomLevel = Int(); return;
    case F::rsfFastPrinterText: rs->FastPrinterText = Bool(); return;
    case F::rsfAllowFastPrinterText: rs->AllowFastPrinterText = Bool(); return;
    // The quality keeps its byte: a graphic quality (2 or more) must reach
    // the set-up, which refuses it.
    case F::rsfOutputQuality: rs->OutputQuality = static_cast<uint8_t>(Enum(256)); return;
    case F::rsfIfOutputFileExists: rs->IfOutputFileExists = static_cast<TIfOutputFileExists>(Enum(3)); return;
    case F::rsfOrientation: rs->Orientation = static_cast<TPrinterOrient>(Enum(3)); return;
    case F::rsfReportAlignment: rs->ReportAlignment = static_cast<TAlignment>(Enum(3)); return;
    case F::rsfColTitleAlignment: rs->ColTitleAlignment = static_cast<TAlignment>(Enum(3)); return;
    case F::rsfDMPaperSize: rs->DMPaperSize = Int(); return;
    case F::rsfDMCopies: rs->DMCopies = Int(); return;
    case F::rsfDMDuplex: rs->DMDuplex = Int(); return;
    case F::rsfDMCollate: rs->DMCollate = Int(); return;
    case F::rsfTextFontName: rs->TextFontName = Str(); return;
    case F::rsfTextFontSize: rs->TextFontSize = Int(); return;
    case F::rsfTextFontStyle: rs->TextFontStyle = Int(); return;
    case F::rsfTextFontColor: rs->TextFontColor = Int(); return;
    case F::rsfReplFontName: rs->ReplFontName = Str(); return;
    case F::rsfReplFontSize: rs->ReplFontSize = Int(); return;
    case F::rsfReplFontStyle: rs->ReplFontStyle = Int(); return;
    case F::rsfReplFontColor: rs->ReplFontColor = Int(); return;
    case F::rsfExportFieldDelim: rs->ExportFieldDelim = Str(); return;
    case F::rsfExportQuote: rs->ExportQuote = Str(); return;
    case F::rsfCreateDate: rs->CreateDate = CnvtStrToDateDflt(Value, d); return;
    case F::rsfLastSaveDate: rs->LastSaveDate = CnvtStrToDateDflt(Value, d); return;
    case F::rsfReportDesc: rs->ReportDesc = Value; return;
    case F::rsfRptPW: rs->RptPW = Value; return;
    case F::rsfRptOptPW: rs->RptOptPW = Value; return;
    case F::rsfRptSetUpPW: rs->RptSetUpPW = Value; return;
    case F::rsfOutputFileName: rs->OutputFileName = Str(); return;
    case F::rsfMemoDateFormatStr: rs->MemoDateFormatStr = Str(); return;
    case F::rsfMemoTimeFormatStr: rs->MemoTimeFormatStr = Str(); return;
    case F::rsfMemoPageFormatStr: rs->MemoPageFormatStr = Str(); return;
    case F::rsfInitPrinterStr: rs->InitPrinterStr = Str(); return;
    case F::rsfFinishPrinterStr: rs->FinishPrinterStr = Str(); return;
    default: break;
    }

    TStyleOptNdx opt;
    if (StyleOptOfFld(Fld, opt)) {
        if (RptStyles) RptStyles->StyleOpts[opt].Value = Bool();
        return;
    }

    // The memo keys: the second comma-separated field of the key names the memo.
    if (!SameText(Copy(Key, 1, 5), "Memo,")) return;
    TRptMemo* m = rs->RptMemos[Ord(CnvtStrToRptMemoNdx(ParseStr(Key, 2, ",", "")))].get();
    if (!m) return;
    switch (Fld) {
    case F::rsfMemoXPosPer: m->XPosPer = Int(); break;
    case F::rsfMemoWidPer: m->WidPer = Int(); break;
    case F::rsfMemoMarginThous: m->MarginThous = Rect(); break;
    case F::rsfMemoMarginTxt: m->MarginTxt = Rect(); break;
    case F::rsfMemoAlignment: m->Alignment = static_cast<TAlignment>(Enum(3)); break;
    case F::rsfMemoVisible: m->Visible = Bool(); break;
    case F::rsfMemoFontName: m->FontName = Str(); break;
    case F::rsfMemoFontSize: m->FontSize = Int(); break;
    case F::rsfMemoFontStyle: m->FontStyle = Int(); break;
    case F::rsfMemoFontColor: m->FontColor = Int(); break;
    case F::rsfMemoBuf:
        if (Value.empty())
            m->FreeMemoBuf();
        else
            m->SetText(Value);
        break;
    default: break;
    }
}

void TtrxFileMgr::AssignDefaultsToReportSettings() {
    if (!RSFList) return;
    for (int i = 0; i < RSFList->Count(); ++i) {
        const TrsfData* d = RSFList->Data(i);
        AssignStrFldToReportSettings(d->Fld, RSFList->Get(i), d->DefaultValue, d->DefaultValue);
    }
    AssignStrFldToReportSettings(F::rsfMemoBuf, "Memo,PgNum,MemoBuf", "", std::string(1, CR) + "^DL^PC^TR");
}

} // namespace trx
