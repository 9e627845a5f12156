// The example application: prints the products table of the bundled sample
// database three times, as the "Report Options" dialog would: to a text
// file with IBM line-drawing characters, line numbers and borders, to a
// delimited export file, and to the "PDF File" printer; then says where each
// output went.
//
//     tabrix_example <sample database> <output directory>
//
// The report's options come from the settings file in the output directory
// (the defaults of a new report while nothing is saved there), as the
// component loads them. The component itself sets the run up inside its
// dialog; ReportRun below does what the dialog does before it prints.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "engine/run_scope.h"
#include "framework/core/math_util.h"
#include "framework/data/table.h"
#include "framework/printing/printer.h"
#include "framework/qt/qt_printer_driver.h"
#include "storage/file_mgr.h"
#include "ui/progress_window.h"

namespace {

using namespace trx;
using U = TUnitsOfMeasure;
using S = TStyleOptNdx;

// One run of the report component over an object: the run's four global
// objects, the report's options, and the set-up that the dialog does before
// each print (one panel per sheet, printed at actual size).
class ReportRun {
public:
    ReportRun(TComponent& ObjectToPrint, const std::string& DataDir) {
        oi_->ObjectToPrint = &ObjectToPrint;
        oi_->ComponentName = "TrxTabrix1";
        oi_->DefineObj();
        TtrxFileMgr files;
        files.DataDir = DataDir;
        files.ReportSettings = rs_;
        if (!files.LoadReportSettings(TtrxUserName(""), TtrxReportId("Stock list")))
            std::fprintf(stderr, "The settings file is locked: the report prints with its defaults.\n");
        rs_->LoadGlobalSettings(); // the line-drawing characters
        oi_->CalcRows();
        std::string style = rs_->StyleName;
        if (styles_->LoadStyle(style)) rs_->StyleName = style;
    }

    TtrxReportSettings& Settings() { return *rs_; }

    // Prints to the destination of the settings: 1 completed, 2 cancelled,
    // 3 aborted.
    int Print() {
        TPrintSettings& ps = *ps_;
        DeriveOptions();
        SetupPrinter();
        // The first show measures the columns; every print fits them to the page.
        if (oi_->SizingStatus == TColSizingStatus::csNotPerformed) {
            oi_->CalcColWids(nullptr, nullptr, nullptr);
            SetupPrinter();
        }
        ps.Oper = TOper::opPrinting;
        DeriveOptions();
        SetupPrinter();
        if (!ps.ToExportFile) {
            oi_->ResizeColWids(nullptr);
            SetupPrinter();
            ps.SetPageRange(rs_->PrintWhat, false, rs_->PageRangeFrom, rs_->PageRangeTo);
        }
        return ps.PrintReport(false, nullptr);
    }

private:
    // What the dialog reads from its controls: destination, line drawing,
    // line numbers and field format.
    void DeriveOptions() {
        TPrintSettings& ps = *ps_;
        const TtrxReportSettings& rs = *rs_;
        ps.ToPrinter = rs.OutputDest == TOutputDest::odPrinter;
        ps.ToTextFile = rs.OutputDest == TOutputDest::odTextFile;
        ps.ToRTFFile = rs.OutputDest == TOutputDest::odRTFFile;
        ps.ToExportFile = rs.OutputDest == TOutputDest::odExportFile;
        ps.ToFile = ps.ToTextFile || ps.ToRTFFile || ps.ToExportFile;
        ps.IsSnapShot = rs.PrintWhat == TPrintWhat::pwWindowSnapShot;
        rs_->LineDraw = rs.OutputQuality == static_cast<uint8_t>(TOutputQuality::oqIBMLineDraw) ? TLineDraw::ldIBM
                                                                                                : TLineDraw::ldASCII;
        ps.SetUnits();
        ps.LineNumbersOn = styles_->Opt(S::soLineNumbers);
        oi_->Formatted = styles_->Opt(S::soFieldFormat);
        const int lastLine = rs.StartingReportLineId + std::max(oi_->Rows, 1) - 1;
        oi_->Digits = static_cast<int>(std::to_string(std::max(lastLine, rs.StartingReportLineId)).size());
    }

    // The printer, the canvas font, the units, the character cell and line
    // height, the page size and the columns placed on pages across.
    void SetupPrinter() {
        TPrintSettings& ps = *ps_;
        TtrxReportSettings& rs = *rs_;
        const bool text = rs.OutputQualityIsText();
        ps.RecalcPixPerInch = true;
        ps.PanelsAcross = 1;
        ps.ScalePct = 100;
        ps.UseFastPrinterText = text && rs.FastPrinterText && ps.ToPrinter;
        Printer()->SetPrinterIndex(rs.DefaultPrinter ? -1 : TPrintSettings::GetPrinterNdx(rs.PrinterName));
        if (ps.Oper == TOper::opPrinting) ps.Canvas = &Printer()->Canvas();
        if (rs.Orientation == TPrinterOrient::poLandscapeOrient)
            Printer()->SetOrientation(TPrinterOrientation::poLandscape);
        else if (rs.Orientation == TPrinterOrient::poPortraitOrient)
            Printer()->SetOrientation(TPrinterOrientation::poPortrait);
        ps.BordersOn = styles_->Opt(S::soBorders);
        ps.ShareAdjBordersOn = styles_->Opt(S::soShareAdjBorders);
        ps.HorizLinesOn = styles_->Opt(S::soHorizontalLines);
        ps.VertLinesOn = styles_->Opt(S::soVerticalLines);
        ps.GrpBrkLinesOn = styles_->Opt(S::soGrpBrkLines);
        ps.CalcPixPerInch();
        rs.CalcPixMeasurements();
        for (int m = 0; m < RptMemoCount; ++m) rs.Memo(static_cast<TRptMemoNdx>(m)).CalcPixMemoMargins();

        TCanvas& canvas = *ps.Canvas;
        if (ps.ToPrinter && text) {
            canvas.Font().SetName(rs.TextFontName);
            canvas.Font().SetSize(ps.ScaleFontSize(rs.TextFontSize));
            canvas.Font().SetPitch(TFontPitch::fpFixed);
        }
        ps.SetUnits();
        const int charHt = canvas.TextHeight("X|ygW");
        ps.CharCell[TXyDir::dY][U::umPix] = charHt;
        ps.CharCell[TXyDir::dX][U::umPix] = canvas.TextWidth("X");
        ps.CharCell[TXyDir::dY][U::umTxt] = 1;
        ps.CharCell[TXyDir::dX][U::umTxt] = 1;
        ps.LineHt = MulDiv(charHt, rs.VertHtAdjPer, 100);
        ps.PanelGap = 0;
        if (ps.ToExportFile || ps.IsSnapShot) return;

        // A text file has the page of the settings, a printer its paper.
        if (ps.ToFile || ps.UseFastPrinterText) {
            ps.PageWid = rs.TxtCharsPageWid;
            ps.PageHt = rs.LinesPerpage;
        } else {
            ps.PageWid = ps.CnvtPixToUnits(Printer()->PageWidth(), TXyDir::dX);
            ps.PageHt = ps.CnvtPixToUnits(Printer()->PageHeight(), TXyDir::dY);
            rs.LinesPerpage = ps.PageHt / (ps.CurUnits == U::umTxt ? 1 : std::max(charHt, 1));
        }
        ps.TableWid = -1;
        if (oi_->SizingStatus == TColSizingStatus::csNotPerformed) return;
        oi_->CalcColPosns(nullptr);
        // One panel: the printed columns with the gaps that unshared right
        // borders leave between them.
        int step = 0;
        for (int i = 0; i < oi_->ColCount(); ++i) {
            const TColsListData& col = oi_->Col(i);
            if (col.Print) step += col.TotalWid + (col.LastOnPage ? 0 : col.RightLineWid);
        }
        ps.PanelStep = step;
        ps.TableWid = step;
        ps.RecalcPixPerInch = false;
    }

    TRunScope run_;
    TPrintSettings* ps_ = &run_.PS();
    TRptStyles* styles_ = &run_.Styles();
    TObjInfo* oi_ = &run_.OI();
    TtrxReportSettings* rs_ = &run_.RS();
};

const char* Outcome(int Result) {
    switch (Result) {
    case 1: return "completed";
    case 2: return "cancelled";
    default: return "aborted";
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s <sample database> <output directory> [printer]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path database = argv[1];
    const std::filesystem::path outDir = std::filesystem::absolute(argv[2]);
    try {
        std::filesystem::create_directories(outDir);
        TTable table;
        table.SetName("tblProducts");
        table.SetDatabaseName(database.string());
        table.SetTableName("products");
        table.Open();

        // The runs show their progress as the dialog's runs do.
        TWindowProgress progressWindow;
        TRunProgressScope showProgress(progressWindow);
        ReportRun run(table, outDir.string());
        TtrxReportSettings& rs = run.Settings();
        rs.DialogTitle = "Stock list";
        rs.ReportDesc = "Stock list of the sample shop";
        rs.Memo(TRptMemoNdx::rmRptTi).SetText("Stock list");
        rs.OutputQuality = static_cast<uint8_t>(TOutputQuality::oqIBMLineDraw);
        rs.TxtCharsPageWid = 100;
        rs.MaxStringColWid[U::umTxt] = 26;
        rs.MaxMemoColWid[U::umTxt] = 30;
        rs.DisplayProgressWindow = false;
        rs.IfOutputFileExists = TIfOutputFileExists::oeOverWriteFile;
        RptStyles->StyleOpts[S::soLineNumbers].Value = true;
        RptStyles->StyleOpts[S::soBorders].Value = true;

        int failures = 0;
        auto print = [&](const char* What, TOutputDest Dest, const std::string& File) {
            rs.OutputDest = Dest;
            rs.OutputFileName = File;
            const int result = run.Print();
            std::string where = File;
            if (Dest == TOutputDest::odPrinter) {
                auto* qt = dynamic_cast<TQtPrinterDriver*>(&Printer()->Driver());
                where = qt && rs.PrinterName == PdfPrinterName ? qt->LastPdfFile()
                                                               : "the printer \"" + rs.PrinterName + "\"";
            }
            const std::string pages =
                Dest == TOutputDest::odExportFile ? "" : " (" + std::to_string(PrintSettings->PagesOutput) + " pages)";
            std::printf("%-12s %s%s: %s\n", What, Outcome(result), pages.c_str(), where.c_str());
            if (result != 1) ++failures;
        };

        print("Text file", TOutputDest::odTextFile, (outDir / "stock-list.txt").string());

        rs.ExportFieldDelim = "44"; // character codes: a comma and a double quote
        rs.ExportQuote = "34";
        print("Export file", TOutputDest::odExportFile, (outDir / "stock-list.csv").string());

        // The PDF printer writes the file its driver is given; without a
        // driver of real printers the printer of the process is used as it is.
        rs.DefaultPrinter = false;
        rs.PrinterName = PdfPrinterName;
        if (auto* qt = dynamic_cast<TQtPrinterDriver*>(&Printer()->Driver()))
            qt->PdfFileName = (outDir / "stock-list.pdf").string();
        print("PDF printer", TOutputDest::odPrinter, "");

        // A printer named on the command line (a CUPS printer) gets the report too.
        if (argc == 4) {
            if (TPrintSettings::GetPrinterNdx(argv[3]) < 0) {
                std::fprintf(stderr, "no printer named \"%s\"\n", argv[3]);
                return 1;
            }
            rs.PrinterName = argv[3];
            print("Printer", TOutputDest::odPrinter, "");
        }
        return failures == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
