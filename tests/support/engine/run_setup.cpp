#include "support/engine/run_setup.h"

#include <string>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_printer_setup.h"

namespace trx::test {

namespace {

using U = TUnitsOfMeasure;
using S = TStyleOptNdx;

TPrintSettings& PS() { return *PrintSettings; }
TtrxReportSettings& RS() { return *ReportSettings; }

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
