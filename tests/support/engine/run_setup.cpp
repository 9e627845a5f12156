#include "support/engine/run_setup.h"

#include <algorithm>
#include <string>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/shared_routines.h"
#include "framework/core/math_util.h"
#include "framework/printing/printer.h"

namespace trx::test {

namespace {

using U = TUnitsOfMeasure;
using S = TStyleOptNdx;

TPrintSettings& PS() { return *PrintSettings; }
TtrxReportSettings& RS() { return *ReportSettings; }

int DigitsOf(int Value) { return static_cast<int>(std::to_string(std::max(0, Value)).size()); }

// One pass of the set-up: printer, canvas font, units, character cell,
// line height, page size, and the placement of measured columns.
void SetupPrinter1() {
    TPrintSettings& ps = PS();
    TtrxReportSettings& rs = RS();
    const bool text = rs.OutputQualityIsText();
    ps.UseFastPrinterText = text && rs.FastPrinterText && ps.ToPrinter;
    Printer()->SetPrinterIndex(rs.DefaultPrinter ? -1 : TPrintSettings::GetPrinterNdx(rs.PrinterName));
    if (ps.Oper == TOper::opPrinting) ps.Canvas = &Printer()->Canvas();
    if (!ps.UseFastPrinterText) {
        if (rs.Orientation == TPrinterOrient::poPortraitOrient)
            Printer()->SetOrientation(TPrinterOrientation::poPortrait);
        else if (rs.Orientation == TPrinterOrient::poLandscapeOrient)
            Printer()->SetOrientation(TPrinterOrientation::poLandscape);
    }
    if (RptStyles) {
        ps.ShareAdjBordersOn = RptStyles->Opt(S::soShareAdjBorders);
        ps.BordersOn = RptStyles->Opt(S::soBorders);
        ps.HorizLinesOn = RptStyles->Opt(S::soHorizontalLines);
        ps.VertLinesOn = RptStyles->Opt(S::soVerticalLines);
        ps.GrpBrkLinesOn = RptStyles->Opt(S::soGrpBrkLines);
    }
    ps.CalcPixPerInch();
    rs.CalcPixMeasurements();
    for (int m = 0; m < RptMemoCount; ++m) rs.Memo(static_cast<TRptMemoNdx>(m)).CalcPixMemoMargins();

    TCanvas& canvas = *ps.Canvas;
    if (ps.ToPrinter) {
        if (text) {
            canvas.Font().SetName(rs.TextFontName);
            canvas.Font().SetSize(ps.ScaleFontSize(rs.TextFontSize));
            canvas.Font().SetPitch(TFontPitch::fpFixed);
            canvas.Font().SetStyle(CnvtIntToFontStyles(rs.TextFontStyle));
        } else if (RptStyles) {
            RptStyles->SetFont(TRegNdx::rgCells, 0, false, true);
        }
    }
    ps.SetUnits();
    const int charHt = canvas.TextHeight("X|ygW") + (text && rs.FastPrinterText ? 3 : 0);
    ps.CharCell[TXyDir::dY][U::umPix] = charHt;
    ps.CharCell[TXyDir::dX][U::umPix] = canvas.TextWidth("X");
    ps.CharCell[TXyDir::dY][U::umTxt] = 1;
    ps.CharCell[TXyDir::dX][U::umTxt] = 1;
    ps.LineHt = MulDiv(charHt, rs.VertHtAdjPer, 100);
    ps.PanelGap = ps.PanelsAcross >= 2 ? rs.InterPanelGap[ps.CurUnits] : 0;

    if (!ps.IsSnapShot && !ps.ToExportFile) {
        if ((text && ps.ToFile) || ps.UseFastPrinterText) {
            ps.PageWid = rs.TxtCharsPageWid;
            ps.PageHt = rs.LinesPerpage;
        } else if (ps.ToPrinter) {
            ps.PageHt = ps.CnvtPixToUnits(Printer()->PageHeight(), TXyDir::dY);
            ps.PageWid = ps.CnvtPixToUnits(Printer()->PageWidth(), TXyDir::dX);
            const int lineUnits = ps.CurUnits == U::umTxt ? 1 : charHt;
            if (lineUnits > 0) rs.LinesPerpage = ps.PageHt / lineUnits;
        }
        if (ObjInfo && ObjInfo->SizingStatus != TColSizingStatus::csNotPerformed) {
            ObjInfo->CalcColPosns(nullptr);
            // One panel's table, with the gap that an unshared right border
            // leaves between two columns of a page.
            int step = 0;
            for (int i = 0; i < ObjInfo->ColCount(); ++i) {
                const TColsListData& col = ObjInfo->Col(i);
                if (!col.Print) continue;
                step += col.TotalWid + (col.LastOnPage ? 0 : col.RightLineWid);
            }
            ps.PanelStep = step + ps.PanelGap;
            ps.TableWid = ps.PanelsAcross * ps.PanelStep - ps.PanelGap;
        } else {
            ps.TableWid = -1;
        }
    }
    ps.RecalcPixPerInch = false;
}

int CalcTotalRptWid() {
    TPrintSettings& ps = PS();
    int t = ps.PanelsAcross * ps.PanelStep - ps.PanelGap;
    if (RS().ShrinkToPage && ps.PagesAcross > 1) {
        if (ps.LineNumbersOn) t -= ps.GetReportLineIdWid() * (ps.PagesAcross - 1);
        if (ps.BordersOn) t -= ps.PagesAcross - 1;
    }
    return t;
}

int CalcScalePer(int W) {
    TPrintSettings& ps = PS();
    TtrxReportSettings& rs = RS();
    double x = double(ps.RightLimitX - ps.LeftMarginX) / W;
    if (rs.OutputQualityIsText() && rs.TextFontSize > 0) x = ps.ScaleFontSize(rs.TextFontSize) * x / rs.TextFontSize;
    return static_cast<int>(x * 100);
}

} // namespace

void SetReportDefaults(TtrxReportSettings& RS) {
    RS.PrintWhat = TPrintWhat::pwAll;
    RS.OutputDest = TOutputDest::odPrinter;
    RS.SnapShotSize = "CT";
    RS.StartingReportLineId = 1;
    RS.PageRangeFrom = TPoint{0, 1};
    RS.PageRangeTo = TPoint{0, 99999};
    RS.CountNumRcds = true;
    RS.RcdEstimate = 100000;
    RS.ShrinkToPage = true;
    RS.ExpandToPage = false;
    RS.RepeatRowTitles = false;
    RS.ExportOnlyPrintableChrs = true;
    RS.DefaultPrinter = true;
    RS.PrinterName.clear();
    RS.PauseAfterPrinting = true;
    RS.DisplayProgressWindow = true;
    RS.PanelsAcrossPage = 1;
    RS.InterPanelGap[U::umThous] = 250;
    RS.InterPanelGap[U::umTxt] = 1;
    RS.NodeIndentation = 2;
    RS.VertHtAdjPer = 100;
    RS.LinesPerpage = 60;
    RS.TxtCharsPageWid = 80;
    RS.PageMargin[U::umThous] = TRect{250, 250, 250, 250};
    RS.CellMargin[U::umThous] = TRect{0, 0, 0, 0};
    RS.PageMargin[U::umTxt] = TRect{0, 1, 0, 0};
    RS.CellMargin[U::umTxt] = TRect{1, 0, 0, 0};
    RS.MaxStringColWid[U::umThous] = 2000;
    RS.MaxMemoColWid[U::umThous] = 2000;
    RS.MaxStringColWid[U::umTxt] = 20;
    RS.MaxMemoColWid[U::umTxt] = 20;
    RS.MaxStringLines = 2;
    RS.MaxMemoLines = 2;
    RS.ExportMaxStrLng = 100;
    RS.ExportMaxMemoLng = 100;
    RS.Snugfit = TSnugfit::osLimitedRows;
    RS.MaxRowsToSnugfit = 100;
    RS.LargestFontSize = 20;
    RS.SmallestFontSize = 6;
    RS.PreviewZoomLevel = 100;
    RS.FastPrinterText = false;
    RS.AllowFastPrinterText = false;
    RS.OutputQuality = static_cast<uint8_t>(TOutputQuality::oqIBMLineDraw);
    RS.IfOutputFileExists = TIfOutputFileExists::oeOverWriteFile;
    RS.Orientation = TPrinterOrient::poPortraitOrient;
    RS.ReportAlignment = TAlignment::taCenter;
    RS.ColTitleAlignment = TAlignment::taCenter;
    RS.TextFontName = "Letter Gothic Line";
    RS.TextFontSize = 10;
    RS.TextFontStyle = 0;
    RS.TextFontColor = 0;
    RS.ReplFontName = "Arial";
    RS.ReplFontSize = 10;
    RS.ExportFieldDelim = "\t";
    RS.ExportQuote = "\"";
    RS.FinishPrinterStr = "#12";
    RS.GridLineDrawChrs = TtrxReportSettings::DefaultGridLineDrawChrs();
    RS.TreeLineDrawChrs = TtrxReportSettings::DefaultTreeLineDrawChrs();
    for (int m = 0; m < RptMemoCount; ++m) {
        TRptMemo& memo = RS.Memo(static_cast<TRptMemoNdx>(m));
        memo.XPosPer = 10;
        memo.WidPer = 80;
        memo.MarginThous = TRect{};
        memo.MarginTxt = TRect{};
        memo.Alignment = TAlignment::taCenter;
        memo.Visible = true;
        memo.FontName = "Arial";
        memo.FontSize = 12;
    }
    if (RptStyles) {
        for (S opt :
             {S::soFieldFormat, S::soVerticalLines, S::soBorders, S::soShareAdjBorders, S::soColumnTitles,
              S::soColumnTotals, S::soRowTitles, S::soRowTotals, S::soFormFeeds, S::soLineNumbers, S::soExpandAllNodes})
            RptStyles->StyleOpts[opt].Value = true;
        RptStyles->StyleOpts[S::soHorizontalLines].Value = false;
        RptStyles->StyleOpts[S::soGrpBrkLines].Value = false;
    }
}

void DeriveRunOptions() {
    TPrintSettings& ps = PS();
    TtrxReportSettings& rs = RS();
    ps.ToPrinter = rs.OutputDest == TOutputDest::odPrinter;
    ps.ToTextFile = rs.OutputDest == TOutputDest::odTextFile;
    ps.ToRTFFile = rs.OutputDest == TOutputDest::odRTFFile;
    ps.ToExportFile = rs.OutputDest == TOutputDest::odExportFile;
    ps.IsSnapShot = rs.PrintWhat == TPrintWhat::pwWindowSnapShot;
    ps.ToFile = ps.ToTextFile || ps.ToRTFFile || ps.ToExportFile;
    rs.LineDraw =
        rs.OutputQuality == static_cast<uint8_t>(TOutputQuality::oqIBMLineDraw) ? TLineDraw::ldIBM : TLineDraw::ldASCII;
    ps.SetUnits();
    if (RptStyles) ps.LineNumbersOn = RptStyles->Opt(S::soLineNumbers);
    if (ObjInfo) {
        if (RptStyles) ObjInfo->Formatted = RptStyles->Opt(S::soFieldFormat);
        ObjInfo->Digits =
            std::max(DigitsOf(rs.StartingReportLineId), DigitsOf(ObjInfo->Rows + rs.StartingReportLineId - 1));
    }
}

void SetupRunPrinter() {
    TPrintSettings& ps = PS();
    TtrxReportSettings& rs = RS();
    ps.RecalcPixPerInch = true;
    ps.PanelsAcross = rs.PanelsAcrossPage;
    ps.ScalePct = 100;
    SetupPrinter1();
    if (!ps.ToPrinter && !ps.ToTextFile) return;
    const bool toPrinter = rs.OutputDest == TOutputDest::odPrinter;
    int w = CalcTotalRptWid();
    if (w > 0) ps.ScalePct = CalcScalePer(w);
    const bool crowded = !rs.ShrinkToPage && ps.ScalePct < 100 && ps.PanelsAcross > 1;
    if ((ps.ToPrinter && rs.ExpandToPage && ps.ScalePct > 100) || (rs.ShrinkToPage && ps.ScalePct < 100) || crowded) {
        while (ps.ScalePct <= 100 && ps.PanelsAcross > 1) {
            if (rs.ShrinkToPage && toPrinter) {
                const int size = static_cast<int>(rs.TextFontSize * ps.ScalePct / 100.0 + 0.35);
                if (rs.ValidateFontSize(size) == size) break;
            }
            --ps.PanelsAcross;
            w = CalcTotalRptWid();
            ps.ScalePct = 100;
            ps.ScalePct = w > 0 ? CalcScalePer(w) : 100;
        }
        SetupPrinter1();
    }
    if ((!rs.ShrinkToPage || !toPrinter) && ps.ScalePct < 100) ps.ScalePct = 100;
    if ((!rs.ExpandToPage || !toPrinter) && ps.ScalePct > 100) ps.ScalePct = 100;
}

void StartRun(TComponent* ObjectToPrint) {
    TObjInfo& oi = *ObjInfo;
    oi.ObjectToPrint = ObjectToPrint;
    oi.DefineObj();
    oi.CalcRows();
    std::string style = RS().StyleName;
    if (RptStyles->LoadStyle(style)) RS().StyleName = style;
    DeriveRunOptions();
    SetupRunPrinter();
    oi.CalcColWids(nullptr, nullptr, nullptr);
    SetupRunPrinter();
}

void PrepareToPrint() {
    TPrintSettings& ps = PS();
    TtrxReportSettings& rs = RS();
    ps.Oper = TOper::opPrinting;
    DeriveRunOptions();
    SetupRunPrinter();
    if (!ps.IsSnapShot && !ps.ToExportFile) {
        ObjInfo->ResizeColWids(nullptr);
        SetupRunPrinter();
        ps.SetPageRange(rs.PrintWhat, false, rs.PageRangeFrom, rs.PageRangeTo);
    }
}

int PrintRun(bool PauseAfterPrinting, TForm* Form) {
    PrepareToPrint();
    PS().LastModalResult = PS().PrintReport(PauseAfterPrinting, Form);
    return PS().LastModalResult;
}

} // namespace trx::test
