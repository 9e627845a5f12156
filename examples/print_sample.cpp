// The example application: an application form holding the products table
// of the bundled sample database and a report component that picks it. The
// component's Print prints the table three times: to a text file with IBM
// line-drawing characters, line numbers and borders, to a delimited export
// file, and to the "PDF File" printer; then the program says where each
// output went.
//
//     tabrix_example <sample database> <output directory> [printer]
//
// The settings file is the one of the output directory, the component's
// data directory. Each output's settings are stored there with the options
// window and the preview switched off, so Print prints at once.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "engine/print_settings.h"
#include "example_support.h"
#include "framework/data/table.h"
#include "framework/forms/application.h"
#include "framework/forms/form.h"
#include "framework/printing/printer.h"
#include "framework/qt/qt_printer_driver.h"
#include "ui/tabrix.h"

namespace {

using namespace trx;
using example::Outcome;
using U = TUnitsOfMeasure;
using S = TStyleOptNdx;

// The report's identifier, with the suffix that makes it unique in the
// settings file.
const TtrxReportId ReportId("Stock list (001.001)");

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s <sample database> <output directory> [printer]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path database = argv[1];
    const std::filesystem::path outDir = std::filesystem::absolute(argv[2]);
    int status = 0;
    try {
        std::filesystem::create_directories(outDir);
        const std::string dataDir = outDir.string();

        // The application's form: the products table and the component,
        // which picks the table by itself.
        auto* form = NewForm<TForm>(Application());
        form->SetName("fmStock");
        auto* table = new TTable(form);
        table->SetName("tblProducts");
        table->SetDatabaseName(database.string());
        table->SetTableName("products");
        table->Open();
        auto* tabrix = new TTrxTabrix(form);
        tabrix->SetName("TrxTabrix1");
        tabrix->FileMgr->DataDir = dataDir;
        tabrix->DialogTitle = "Stock list";

        // As a form's streaming sets it: no settings-file operation.
        tabrix->BeginLoading();
        tabrix->SetReportId(ReportId.str());
        tabrix->Loaded();

        // Stores an output's settings: what every output shares, then Change.
        auto store = [&](const std::function<void(TtrxReportSettings&)>& Change) {
            const bool stored =
                example::StoreSettings(dataDir, ReportId, [&](TtrxReportSettings& Rs, TRptStyles& Styles) {
                    // Print prints at once: no options window, no preview, no pause.
                    Rs.DisplayReportOptionsWin = false;
                    Rs.PreviewFirst = false;
                    Rs.PauseAfterPrinting = false;
                    Rs.ReportDesc = "Stock list of the sample shop";
                    Rs.Memo(TRptMemoNdx::rmRptTi).SetText("Stock list");
                    Rs.OutputQuality = static_cast<uint8_t>(TOutputQuality::oqIBMLineDraw);
                    Rs.TxtCharsPageWid = 100;
                    Rs.MaxStringColWid[U::umTxt] = 26;
                    Rs.MaxMemoColWid[U::umTxt] = 30;
                    Rs.DisplayProgressWindow = false;
                    Rs.IfOutputFileExists = TIfOutputFileExists::oeOverWriteFile;
                    Styles.StyleOpts[S::soLineNumbers].Value = true;
                    Styles.StyleOpts[S::soBorders].Value = true;
                    Change(Rs);
                });
            if (!stored) throw std::runtime_error("The settings file is locked: the report's settings are not stored.");
        };
        std::string printerName; // of the print to a printer
        auto print = [&](const char* What, TOutputDest Dest, const std::string& File,
                         const std::function<void(TtrxReportSettings&)>& Change) {
            store([&](TtrxReportSettings& Rs) {
                Rs.OutputDest = Dest;
                Rs.OutputFileName = File;
                Change(Rs);
            });
            const int result = tabrix->Print();
            std::string where = File;
            if (Dest == TOutputDest::odPrinter) {
                auto* qt = dynamic_cast<TQtPrinterDriver*>(&Printer()->Driver());
                where = qt && printerName == PdfPrinterName ? qt->LastPdfFile() : "the printer \"" + printerName + "\"";
            }
            const std::string pages =
                Dest == TOutputDest::odExportFile ? "" : " (" + std::to_string(tabrix->PagesPrinted) + " pages)";
            std::printf("%-12s %s%s: %s\n", What, Outcome(result), pages.c_str(), where.c_str());
            if (result != 1) status = 1;
        };

        print("Text file", TOutputDest::odTextFile, (outDir / "stock-list.txt").string(), [](TtrxReportSettings&) {});
        print("Export file", TOutputDest::odExportFile, (outDir / "stock-list.csv").string(),
              [](TtrxReportSettings& Rs) {
                  Rs.ExportFieldDelim = "44"; // character codes: a comma and a double quote
                  Rs.ExportQuote = "34";
              });

        // The PDF printer writes the file its driver is given; without a
        // driver of real printers the printer of the process is used as it is.
        auto toPrinter = [&](const std::string& Name) {
            printerName = Name;
            return [Name](TtrxReportSettings& Rs) {
                Rs.DefaultPrinter = false;
                Rs.PrinterName = Name;
            };
        };
        if (auto* qt = dynamic_cast<TQtPrinterDriver*>(&Printer()->Driver()))
            qt->PdfFileName = (outDir / "stock-list.pdf").string();
        print("PDF printer", TOutputDest::odPrinter, "", toPrinter(PdfPrinterName));

        // A printer named on the command line (a CUPS printer) gets the report too.
        if (argc == 4) {
            if (TPrintSettings::GetPrinterNdx(argv[3]) < 0) {
                std::fprintf(stderr, "no printer named \"%s\"\n", argv[3]);
                status = 1;
            } else {
                print("Printer", TOutputDest::odPrinter, "", toPrinter(argv[3]));
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        status = 1;
    }
    ResetApplication();
    return status;
}
