// The component's PDF printer on a large SQLite table: a report with IBM
// line drawing printed on the "PDF File" printer, and what its bare Qt peer
// (bench/pdf_peer.cpp) needs to draw the same lines in the same font.
//
//     bench_pdf_vs_qt pdf   <database> <table> <pdf file>
//         prints the report to the PDF file
//     bench_pdf_vs_qt setup <database> <table> <lines file>
//         writes the report's printed lines (the text-file report at the
//         printer's page size) to the lines file and the peer's other
//         arguments to standard output, one a line
//
// bench/pdf-vs-qt.sh runs the two in turns and compares their times.
#include <cstdio>
#include <memory>
#include <string>

#include "bench_report.h"
#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_scope.h"
#include "framework/data/table.h"
#include "framework/printing/printer.h"
#include "framework/qt/qt_application.h"
#include "framework/qt/qt_canvas_device.h"
#include "framework/qt/qt_printer_driver.h"
#include "support/engine/run_setup.h"
#include "ui/progress_window.h"

namespace {

using namespace trx;

// The report of the text-report benchmark, on the PDF printer, landscape so
// that a row fits across the page.
void SetUpReport(TRunScope& Globals, const std::string& PdfFile) {
    TtrxReportSettings& rs = bench::SetUpBenchmarkReport(Globals);
    rs.Snugfit = TSnugfit::osAllRows;
    rs.ShrinkToPage = false;
    rs.Orientation = TPrinterOrient::poLandscapeOrient;
    rs.OutputDest = TOutputDest::odPrinter;
    rs.DefaultPrinter = false;
    rs.PrinterName = PdfPrinterName;
    auto driver = std::make_unique<TQtPrinterDriver>();
    driver->PdfFileName = PdfFile;
    SetPrinter(std::make_unique<TPrinter>(std::move(driver)));
    Globals.PS().Canvas = &Printer()->Canvas();
}

int Run(bool Setup, const std::string& Database, const std::string& TableName, const std::string& Out) {
    EnsureQtApplication();
    TWindowProgress progressWindow;
    TRunProgressScope showProgress(progressWindow);
    TRunScope globals;
    SetUpReport(globals, Setup ? Out + ".pdf" : Out);
    TTable table;
    bench::StartBenchmarkRun(table, Database, TableName);
    if (!Setup) return test::PrintRun();

    // What the printer set-up chose: the page, the font and the line height.
    test::PrepareToPrint();
    TPrintSettings& ps = globals.PS();
    auto& driver = static_cast<TQtPrinterDriver&>(Printer()->Driver());
    TDeviceMode mode = driver.DefaultDeviceMode(PdfPrinterName);
    mode.Orientation = TPrinterOrientation::poLandscape;
    int width = 0;
    int length = 0;
    PaperDimensions(mode, width, length);
    const TPageGeometry geometry = *driver.Geometry(PdfPrinterName, mode);
    auto device = driver.CreateInfoDevice(PdfPrinterName, mode);
    const QFont font = static_cast<TQtCanvasDevice&>(*device).QtFont(Printer()->Canvas().Font());
    std::printf("%s\n%d\n%d\n%d\n%d\n1\n%d\n%g\n", font.family().toUtf8().constData(), font.pixelSize(), ps.LineHt,
                width, length, geometry.PixelsPerInchX, geometry.PhysicalOffsetX * 72.0 / geometry.PixelsPerInchX);

    // The lines the printer draws are those of the text-file report at the
    // printer's page size.
    TtrxReportSettings& rs = globals.RS();
    rs.OutputDest = TOutputDest::odTextFile;
    rs.OutputFileName = Out;
    rs.TxtCharsPageWid = ps.PageWid;
    rs.LinesPerpage = ps.PageHt;
    return test::PrintRun();
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if ((mode == "pdf" || mode == "setup") && argc == 5) {
        const int result = Run(mode == "setup", argv[2], argv[3], argv[4]);
        if (result != 1) std::fprintf(stderr, "the run ended with result %d\n", result);
        return result == 1 ? 0 : 1;
    }
    std::fprintf(stderr, "usage: %s pdf|setup <database> <table> <output file>\n", argv[0]);
    return 2;
}
