// Whole reports on the real backends: a report printed to the PDF printer
// or to a CUPS printer reads as the same lines as its text file, and its
// raw printer text goes through a CUPS raw queue byte for byte as the
// capture spooler keeps it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/form_routines_fixture.h"
#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/run_scope.h"
#include "engine/trx_errors.h"
#include "framework/core/strings.h"
#include "framework/grids/string_grid.h"
#include "framework/printing/capture_spooler.h"
#include "framework/printing/virtual_printer.h"
#include "framework/qt/cups_spooler.h"
#include "framework/qt/oem_text.h"
#include "framework/qt/qt_printer_driver.h"
#include "loopback_listener.h"
#include "pdf_tools.h"
#include "private_cups.h"
#include "support/engine/run_setup.h"
#include "support/temp_dir.h"
#include "text_pages.h"

namespace trx::test {
namespace {

class ReportPrintingTest : public FormRoutinesTest {
protected:
    ReportPrintingTest() {
        globals = std::make_unique<TRunScope>();
        TtrxReportSettings& rs = globals->RS();
        SetReportDefaults(rs);
        rs.OutputQuality = 1; // IBM lines
        rs.ReportAlignment = TAlignment::taLeftJustify;
        rs.ShrinkToPage = false;
        rs.DisplayProgressWindow = false;
        rs.DialogTitle = "Sales";
        rs.Memo(TRptMemoNdx::rmPgTi).SetText("Sales by region ^P");
        rs.Memo(TRptMemoNdx::rmPgTi).Alignment = TAlignment::taLeftJustify;
        globals->OI().ComponentName = "TrxTabrix1";
        grid = std::make_unique<TStringGrid>(nullptr);
        grid->SetName("sgSales");
        grid->SetColCount(4);
        grid->SetRowCount(121);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        const char* titles[] = {"Region", "Product", "Units", "Amount"};
        for (int c = 0; c < 4; ++c) grid->SetCells(c, 0, titles[c]);
        for (int r = 1; r <= 120; ++r) {
            grid->SetCells(0, r,
                           r % 3 ? "S\x81"
                                   "d"
                                 : "Nord"); // a letter of code page 437
            grid->SetCells(1, r, "Item " + std::to_string(r));
            grid->SetCells(2, r, std::to_string(r * 7 % 50));
            grid->SetCells(3, r, std::to_string(r * 13) + ".50");
        }
    }
    ~ReportPrintingTest() override {
        if (saved_printer) SetPrinter(std::move(saved_printer));
        ui.reset();
        ResetApplication();
        globals.reset();
    }

    TtrxReportSettings& RS() { return globals->RS(); }
    TPrintSettings& PS() { return globals->PS(); }

    // Text pages as a PDF reader gives them: UTF-8, without the blanks at
    // the ends of lines and the empty lines at the ends of pages.
    static TTextPages ReadableLines(const std::string& Cp437) {
        TTextPages pages(1);
        std::size_t start = 0;
        while (start < Cp437.size()) {
            std::size_t end = Cp437.find("\r\n", start);
            if (end == std::string::npos) end = Cp437.size();
            std::string line = Cp437.substr(start, end - start);
            start = end + 2;
            if (!line.empty() && line[0] == '\f') {
                pages.emplace_back();
                line.erase(0, 1);
            }
            std::string utf8 = OemToUnicode(line).toStdString();
            utf8.erase(utf8.find_last_not_of(' ') + 1);
            pages.back().push_back(utf8);
        }
        for (auto& page : pages) {
            while (!page.empty() && page.back().empty()) page.pop_back();
            while (!page.empty() && page.front().empty()) page.erase(page.begin());
        }
        while (!pages.empty() && pages.back().empty()) pages.pop_back();
        return pages;
    }

    // Installs the printer driver of real printers for the test and makes
    // the run print on Name.
    void UseRealPrinter(const std::string& Name) {
        saved_printer = SetPrinter(std::make_unique<TPrinter>(std::make_unique<TQtPrinterDriver>()));
        PS().Canvas = &Printer()->Canvas();
        RS().DefaultPrinter = false;
        RS().PrinterName = Name;
    }

    // Checks that the PDF that the run just printed holds as many pages as
    // the run output and reads as the text file of the same report at the
    // printer's page size.
    void ExpectPdfReadsAsTheTextFile(const std::string& PdfFile) {
        const int pages = PS().PagesOutput;
        ASSERT_GE(pages, 2);
        EXPECT_EQ(PdfPageCount(PdfFile), pages);
        const double charWidth =
            Printer()->Canvas().TextWidth(std::string(1000, 'X')) * 72.0 / 1000 / Printer()->PixelsPerInchX();
        TTextPages pdf = PdfPages(PdfFile, charWidth);
        for (auto& page : pdf)
            while (!page.empty() && page.front().empty()) page.erase(page.begin());

        RS().OutputDest = TOutputDest::odTextFile;
        RS().OutputFileName = dir.File("report.txt");
        RS().TxtCharsPageWid = PS().PageWid;
        RS().LinesPerpage = PS().PageHt;
        ASSERT_EQ(PrintRun(), 1);
        EXPECT_EQ(PS().PagesOutput, pages);
        const TTextPages text = ReadableLines(ReadAll(dir.File("report.txt")));
        ASSERT_EQ(pdf.size(), text.size());
        for (std::size_t p = 0; p < text.size(); ++p) EXPECT_EQ(pdf[p], text[p]) << "page " << p + 1;
        EXPECT_EQ(Trim(text[0][0]), "Sales by region 1");
    }

    TempDir dir;
    std::unique_ptr<TRunScope> globals;
    std::unique_ptr<TStringGrid> grid;
    // The process printer while a test prints on real printers.
    std::unique_ptr<TPrinter> saved_printer;
};

TEST_F(ReportPrintingTest, APdfReadsAsTheLinesOfTheTextFile) {
    UseRealPrinter(PdfPrinterName);
    static_cast<TQtPrinterDriver*>(&Printer()->Driver())->PdfFileName = dir.File("sales.pdf");
    StartRun(grid.get());
    ASSERT_EQ(PrintRun(), 1);
    ExpectPdfReadsAsTheTextFile(dir.File("sales.pdf"));
}

TEST_F(ReportPrintingTest, AReportOnACupsPrinterArrivesAsAPdfThatReadsAsTheTextFile) {
    PrivateCups& cups = PrivateCups::Get();
    LoopbackListener listener;
    cups.AddRawQueue("ledger", listener.Port());
    UseRealPrinter("ledger");
    StartRun(grid.get());
    ASSERT_EQ(PrintRun(), 1);
    const std::string file = dir.File("received.pdf");
    WriteAll(file, listener.Receive());
    ExpectPdfReadsAsTheTextFile(file);
    cups.RemoveQueue("ledger");
}

TEST_F(ReportPrintingTest, RawPrinterTextReachesTheCupsQueueAsTheCaptureSpoolerKeepsIt) {
    PrivateCups& cups = PrivateCups::Get();
    LoopbackListener listener;
    cups.AddRawQueue("salesq", listener.Port());
    TVirtualPrinterSpec Queue;
    Queue.Name = "salesq";
    TVirtualPrinterOverride printer({Queue});
    PS().Canvas = &Printer()->Canvas();
    RS().DefaultPrinter = false;
    RS().PrinterName = "salesq";
    RS().FastPrinterText = true;
    RS().InitPrinterStr = "#27E#27(10U";
    RS().LinesPerpage = 40;

    StartRun(grid.get());
    std::string received;
    {
        std::unique_ptr<TSpooler> saved = SetSpooler(std::make_unique<TCupsSpooler>());
        const int result = PrintRun();
        SetSpooler(std::move(saved));
        ASSERT_EQ(result, 1);
        received = listener.Receive();
    }
    std::string captured;
    {
        TSpoolerOverride capture(std::vector<std::string>{"salesq"});
        ASSERT_EQ(PrintRun(), 1);
        captured = capture.Spooler().LastJob().Data;
        EXPECT_GE(capture.Spooler().LastJob().Pages.size(), 3u);
    }
    EXPECT_EQ(received.size(), captured.size());
    EXPECT_TRUE(received == captured);
    EXPECT_EQ(captured.substr(0, 10), std::string("\x1B"
                                                  "E\x1B(10U") +
                                          " \r\n"); // the top margin's line
    cups.RemoveQueue("salesq");
}

TEST_F(ReportPrintingTest, RawPrinterTextThatCupsDoesNotTakeFailsWithTheSpoolerMessages) {
    PrivateCups& cups = PrivateCups::Get();
    LoopbackListener listener;
    cups.AddRawQueue("closedq", listener.Port());
    cups.Reject("closedq");
    TVirtualPrinterSpec closed;
    closed.Name = "closedq";
    TVirtualPrinterSpec unknown;
    unknown.Name = "nowhere"; // a printer CUPS does not have
    TVirtualPrinterOverride printer({closed, unknown});
    std::unique_ptr<TSpooler> saved = SetSpooler(std::make_unique<TCupsSpooler>());
    struct TRestoreSpooler {
        std::unique_ptr<TSpooler>& Saved;
        ~TRestoreSpooler() { SetSpooler(std::move(Saved)); }
    } restore{saved};
    PS().Canvas = &Printer()->Canvas();
    RS().DefaultPrinter = false;
    RS().FastPrinterText = true;
    StartRun(grid.get());

    auto openingFails = [&](const std::string& Name) {
        RS().PrinterName = Name;
        PrepareToPrint();
        std::string message;
        try {
            PS().OpenOutput();
        } catch (const ETrxPrtError& e) {
            message = e.Message;
        }
        PS().CloseOutput();
        EXPECT_EQ(PrintRun(), 3) << Name;
        return message;
    };
    EXPECT_EQ(
        openingFails("nowhere"),
        "Tabrix! Printing Error: Print Spooler Error **\rUnable to get printer for spooling (WinSpool.OpenPrinter)");
    EXPECT_EQ(openingFails("closedq"),
              "Tabrix! Printing Error: Print Spooler Error **\rUsing Fast Printer Text. Unable to start document "
              "printing (StartDocPrinter)");

    // The queue takes the next report once it takes jobs again.
    cups.Accept("closedq");
    ASSERT_EQ(PrintRun(), 1);
    EXPECT_NE(listener.Receive().find("Sales by region 1"), std::string::npos);
    cups.RemoveQueue("closedq");
}

} // namespace
} // namespace trx::test
