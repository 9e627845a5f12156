#include "engine/run_printer_setup.h"

#include <algorithm>
#include <string>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/shared_routines.h"
#include "engine/trx_errors.h"
#include "framework/core/exceptions.h"
#include "framework/core/math_util.h"
#include "framework/printing/printer.h"

namespace trx {

namespace {

using U = TUnitsOfMeasure;
using S = TStyleOptNdx;

TPrintSettings& PS() { return *PrintSettings; }
TtrxReportSettings& RS() { return *ReportSettings; }

TPrinterSetupView NoView;

// Binds the printer's canvas for a print run.
void DefineCanvas() {
    TPrintSettings& ps = PS();
    if (ps.Oper != TOper::opPrinting) return;
    ps.Canvas = &Printer()->Canvas();
    ps.Canvas->MoveTo(0, 0);
}

// The stored printer, else the default one, which then becomes the
// report's printer; a default printer that fails too ends the set-up.
void SelectPrinter(TPrinterSetupView& View) {
    TtrxReportSettings& rs = RS();
    // A listed printer that cannot be used shows when its page is asked for.
    const auto use = [] {
        DefineCanvas();
        if (PS().ToPrinter) Printer()->Geometry();
    };
    try {
        Printer()->SetPrinterIndex(rs.DefaultPrinter ? -1 : TPrintSettings::GetPrinterNdx(rs.PrinterName));
        use();
    } catch (const EPrinter&) {
        try {
            Printer()->SetPrinterIndex(-1);
            use();
        } catch (const EPrinter&) {
            throw ETrxSUError("Tabrix! Setup Error: Default printer \"" + Printer()->PrinterName() +
                              "\" is invalid. Please change to a different printer");
        }
        rs.PrinterName = Printer()->PrinterName();
        rs.Modified = true;
        View.PrinterFellBack(rs.PrinterName);
    }
}

// One pass of the set-up: printer, canvas font, units, character cell,
// line height, page size, and the placement of measured columns.
void SetupPrinter1(TPrinterSetupView& View) {
    TPrintSettings& ps = PS();
    TtrxReportSettings& rs = RS();
    const bool text = rs.OutputQualityIsText();
    ps.UseFastPrinterText = text && rs.FastPrinterText && ps.ToPrinter;
    SelectPrinter(View);
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

    if (ps.IsSnapShot || ps.ToExportFile) {
        View.ShowNoPage();
    } else {
        if ((text && ps.ToFile) || ps.UseFastPrinterText) {
            ps.PageWid = rs.TxtCharsPageWid;
            ps.PageHt = rs.LinesPerpage;
        } else if (ps.ToPrinter) {
            ps.PageHt = ps.CnvtPixToUnits(Printer()->PageHeight(), TXyDir::dY);
            ps.PageWid = ps.CnvtPixToUnits(Printer()->PageWidth(), TXyDir::dX);
            const int lineUnits = ps.CurUnits == U::umTxt ? 1 : charHt;
            if (lineUnits > 0) rs.LinesPerpage = ps.PageHt / lineUnits;
        }
        View.ShowPageSize();
        if (ObjInfo && ObjInfo->SizingStatus != TColSizingStatus::csNotPerformed) {
            ObjInfo->CalcColPosns(View.PagesAcrossPanel());
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
            View.ShowRptWid();
        } else {
            ps.TableWid = -1;
            View.ColumnsNotScanned();
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

// The per cent that fits a report W wide to the printable width; a width
// that is not positive leaves the report at its own size.
int CalcScalePer(int W) {
    TPrintSettings& ps = PS();
    if (W <= 0) return 100;
    TtrxReportSettings& rs = RS();
    double x = double(ps.RightLimitX - ps.LeftMarginX) / W;
    if (rs.OutputQualityIsText() && rs.TextFontSize > 0) x = ps.ScaleFontSize(rs.TextFontSize) * x / rs.TextFontSize;
    return static_cast<int>(x * 100);
}

} // namespace

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
    DeriveRunUnits();
    DeriveLineNumberDigits();
}

void DeriveRunUnits() {
    if (!PrintSettings) return;
    PrintSettings->SetUnits();
    if (RptStyles) PrintSettings->LineNumbersOn = RptStyles->Opt(S::soLineNumbers);
}

void DeriveLineNumberDigits() {
    if (!ObjInfo || !ReportSettings) return;
    if (RptStyles) ObjInfo->Formatted = RptStyles->Opt(S::soFieldFormat);
    const int first = ReportSettings->StartingReportLineId;
    const auto digits = [](int Value) { return static_cast<int>(std::to_string(std::max(0, Value)).size()); };
    ObjInfo->Digits = std::max(digits(first), digits(ObjInfo->Rows + first - 1));
}

void SetupRunPrinter() {
    PS().RecalcPixPerInch = true;
    SetupPrinterAndScale(nullptr);
}

void SetupPrinterAndScale(TPrinterSetupView* AView) {
    TPrintSettings& ps = PS();
    TtrxReportSettings& rs = RS();
    TPrinterSetupView& View = AView ? *AView : NoView;
    ps.PanelsAcross = rs.PanelsAcrossPage;
    ps.ScalePct = 100;
    SetupPrinter1(View);
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
            ps.ScalePct = CalcScalePer(w);
        }
        SetupPrinter1(View);
    }
    const int found = ps.ScalePct;
    if ((!rs.ShrinkToPage || !toPrinter) && ps.ScalePct < 100) ps.ScalePct = 100;
    if ((!rs.ExpandToPage || !toPrinter) && ps.ScalePct > 100) ps.ScalePct = 100;
    // The canvas font and so the page geometry follow the scale: measure
    // them again at the scale the report prints at.
    if (ps.ScalePct != found) SetupPrinter1(View);
}

} // namespace trx
