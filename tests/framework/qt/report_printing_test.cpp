// Whole reports on the real backends: a report printed to the PDF printer
// or to a CUPS printer reads as the same lines as its text file, and its
// raw printer text goes through a CUPS raw queue byte for byte as the
// capture spooler keeps it.
#include <gtest/gtest.h>

#include <utf8proc.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/form_routines_fixture.h"
#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/run_progress.h"
#include "engine/run_scope.h"
#include "engine/trx_errors.h"
#include "framework/core/clock.h"
#include "framework/core/display_width.h"
#include "framework/core/file_utils.h"
#include "framework/core/strings.h"
#include "framework/data/table.h"
#include "framework/forms/application.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "framework/grids/string_grid.h"
#include "framework/printing/capture_spooler.h"
#include "framework/printing/virtual_printer.h"
#include "framework/qt/cups_spooler.h"
#include "framework/qt/qt_printer_driver.h"
#include "loopback_listener.h"
#include "pdf_tools.h"
#include "private_cups.h"
#include "support/engine/mixed_scripts.h"
#include "support/engine/run_setup.h"
#include "support/forms/scripted_ui.h"
#include "support/sqlite_file.h"
#include "support/temp_dir.h"
#include "text_pages.h"
#include "ui/progress_window.h"

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
            grid->SetCells(0, r, r % 3 ? "Süd" : "Nord");
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
    static TTextPages ReadableLines(const std::string& Utf8) {
        TTextPages pages(1);
        std::size_t start = 0;
        while (start < Utf8.size()) {
            std::size_t end = Utf8.find("\r\n", start);
            if (end == std::string::npos) end = Utf8.size();
            std::string line = Utf8.substr(start, end - start);
            start = end + 2;
            if (!line.empty() && line[0] == '\f') {
                pages.emplace_back();
                line.erase(0, 1);
            }
            line.erase(line.find_last_not_of(' ') + 1);
            pages.back().push_back(line);
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

// A clock that moves on every reading, so that the progress window lets the
// user's input through while the report runs.
class SteppingClock : public TFakeClock {
public:
    int64_t TickCount() override {
        Advance(200);
        return TFakeClock::TickCount();
    }
};

// The result window of a PDF print names the file the report went to, in
// the folder of the user's documents; an aborted print writes no file and
// says that no page was printed.
TEST_F(ReportPrintingTest, APdfPrintSaysWhereItsFileWentAndAnAbortedOneThatNoneWas) {
    UseRealPrinter(PdfPrinterName);
    auto* driver = static_cast<TQtPrinterDriver*>(&Printer()->Driver());
    driver->DocumentsDir = dir.Path();
    const char* variable = std::getenv(PdfFileVariable);
    const std::string saved = variable ? variable : "";
    unsetenv(PdfFileVariable);
    const std::string pdf = dir.File("Report_ Sales.pdf");
    TWindowProgress window;
    TRunProgressScope progress(window);
    SteppingClock stepping;
    TClockOverride clock(stepping);
    grid->SetRowCount(3001);
    for (int r = 121; r <= 3000; ++r) grid->SetCells(1, r, "Item " + std::to_string(r));
    StartRun(grid.get());

    std::string destination, said;
    auto result = [&] {
        ui->OnModal("fmProgress", [&](TCustomForm&) {
            destination = fmProgress->lbOutputDestination->Caption();
            said = fmProgress->lbPageNum->Caption();
            UserClick(fmProgress->bbOk);
        });
    };
    result();
    EXPECT_EQ(PrintRun(true), 1);
    EXPECT_EQ(destination, "Output: PDF File: " + pdf);
    EXPECT_EQ(PS().DestFile, pdf);
    EXPECT_EQ(PdfPageCount(pdf), PS().PagesOutput);
    EXPECT_EQ(said.rfind(std::to_string(PS().PagesOutput) + " Pages Printed. ", 0), 0u) << said;

    ASSERT_TRUE(DeleteFile(pdf));
    Application()->QueueInput([] { UserClick(fmProgress->bbCancel); });
    ui->OnModal("fmProgress", [](TCustomForm&) { UserClick(fmProgress->bbAbortOper); });
    result();
    EXPECT_EQ(PrintRun(true), 3);
    if (variable) setenv(PdfFileVariable, saved.c_str(), 1);
    EXPECT_FALSE(FileExists(pdf));
    EXPECT_EQ(said.rfind("0 Pages Printed. ", 0), 0u) << said;
    EXPECT_EQ(ui->PendingSteps(), 0u);
}

// Text as a reader compares it: in the composed form (a letter with an
// accent may come either way), without blanks (pdftotext puts a character
// of two cells into one column and fills the other with a blank), and
// without the characters outside the Basic Multilingual Plane: Qt's PDF
// writer draws them but maps no text to their glyphs.
std::string Readable(const std::string& Text) {
    utf8proc_uint8_t* nfc = utf8proc_NFC(reinterpret_cast<const utf8proc_uint8_t*>(Text.c_str()));
    const std::string composed = nfc ? reinterpret_cast<const char*>(nfc) : Text;
    std::free(nfc);
    std::string r;
    for (std::size_t i = 0; i < composed.size();) {
        const std::size_t at = i;
        const char32_t c = NextChar(composed, i);
        if (c != ' ' && c < 0x10000) r.append(composed, at, i - at);
    }
    return r;
}

TEST_F(ReportPrintingTest, NamesInSeveralScriptsPrintAsTheTextFileReads) {
    UseRealPrinter(PdfPrinterName);
    static_cast<TQtPrinterDriver*>(&Printer()->Driver())->PdfFileName = dir.File("names.pdf");
    RS().Memo(TRptMemoNdx::rmPgTi).SetText("Names ^P");
    RS().MaxStringLines = 1;
    SqliteFile db(dir.File("names.db"), MixedScriptTableSql());
    TTable table;
    table.SetName("tblNames");
    table.SetDatabaseName(db.FileName());
    table.SetTableName("names");
    StartRun(&table);
    ASSERT_EQ(PrintRun(), 1);
    ASSERT_EQ(PS().PagesOutput, 1);
    const double charWidth =
        Printer()->Canvas().TextWidth(std::string(1000, 'X')) * 72.0 / 1000 / Printer()->PixelsPerInchX();
    TTextPages pdf = PdfPages(dir.File("names.pdf"), charWidth);

    RS().OutputDest = TOutputDest::odTextFile;
    RS().OutputFileName = dir.File("names.txt");
    RS().TxtCharsPageWid = PS().PageWid;
    RS().LinesPerpage = PS().PageHt;
    ASSERT_EQ(PrintRun(), 1);
    const TTextPages text = ReadableLines(ReadAll(dir.File("names.txt")));
    ASSERT_EQ(pdf.size(), 1u);
    ASSERT_EQ(text.size(), 1u);
    while (!pdf[0].empty() && pdf[0].front().empty()) pdf[0].erase(pdf[0].begin());
    ASSERT_EQ(pdf[0].size(), text[0].size());
    for (std::size_t l = 0; l < text[0].size(); ++l) EXPECT_EQ(Readable(pdf[0][l]), Readable(text[0][l]));
    for (const auto& row : MixedScriptRowsAsShown())
        for (const std::string& field : row) {
            bool found = false;
            for (const std::string& line : pdf[0])
                found = found || Readable(line).find(Readable(field)) != std::string::npos;
            EXPECT_TRUE(found) << field;
        }
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
