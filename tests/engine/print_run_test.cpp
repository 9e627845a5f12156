// The print run and its destinations: printer control strings, raw printer
// text through the spooler (and every way a spooler call can fail), text
// files overwritten, appended or asked about, files that cannot be opened,
// aborted runs, and window snapshots.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/report_fixture.h"
#include "engine/trx_errors.h"
#include "framework/core/text_file.h"
#include "framework/forms/application.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "ui/progress_window.h"

namespace trx::test {
namespace {

using S = TStyleOptNdx;
using C = TSpoolCall;

// ---- Printer control strings -----------------------------------------------

std::string Decode(const std::string& Text) { return TPrintSettings::CnvtStrToBinaryASCII(Text); }

TEST(ControlStringTest, NumbersAfterAHashAreByteCodes) {
    EXPECT_EQ(Decode("#27E#12"), std::string("\x1B"
                                             "E"
                                             "\x0C"));
    EXPECT_EQ(Decode("##1"), "#1");
    EXPECT_EQ(Decode("###12"), std::string("#\x0C"));
    EXPECT_EQ(Decode("#0655"), "A5"); // three digits at most
    EXPECT_EQ(Decode("#0"), std::string(1, '\0'));
    EXPECT_EQ(Decode("#255"), "\xFF");
    EXPECT_EQ(Decode("ab#"), "ab"); // a last hash is dropped
    EXPECT_EQ(Decode("#A"), "A"); // and so is one before another character
    EXPECT_EQ(Decode("plain text"), "plain text");
    EXPECT_EQ(Decode(""), "");
}

TEST(ControlStringTest, ACodeAbove255IsRefused) {
    try {
        Decode("#27#300");
        FAIL() << "no exception";
    } catch (const ETrxError&) {
        FAIL() << "the framework's exception is expected";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message,
                  "Fast Printer Text Printer String:\r#27#300\rhas invalid ASCII character:300. "
                  "ASCII numbers must be between 0 and 255.");
    }
}

// ---- Runs --------------------------------------------------------------------

class PrintRunTest : public ReportTest {
protected:
    PrintRunTest() {
        RS().OutputQuality = 0;
        RS().TxtCharsPageWid = 40;
        RS().LinesPerpage = 10;
        RS().DisplayProgressWindow = false;
        grid = Grid(3, 9);
    }
    void UseFastPrinterText() {
        RS().OutputDest = TOutputDest::odPrinter;
        RS().FastPrinterText = true;
        RS().InitPrinterStr = "#27E";
    }
    // The text file of the same report, without its closing form feed.
    std::string TextFileOfTheSameReport() {
        const TOutputDest dest = RS().OutputDest;
        RS().OutputDest = TOutputDest::odTextFile;
        EXPECT_EQ(PrintRun(), 1);
        RS().OutputDest = dest;
        const std::string text = Output();
        EXPECT_EQ(text.substr(text.size() - 3), "\f\r\n");
        return text.substr(0, text.size() - 3);
    }

    std::unique_ptr<TStringGrid> grid;
};

TEST_F(PrintRunTest, RawPrinterTextIsTheTextFileBetweenTheControlStrings) {
    UseFastPrinterText();
    StartRun(grid.get());
    const std::string text = TextFileOfTheSameReport();
    EXPECT_EQ(PrintRun(), 1);
    const TCaptureSpooler& sp = spooler.Spooler();
    ASSERT_EQ(sp.Jobs().size(), 1u);
    const TSpoolJob& job = sp.LastJob();
    EXPECT_EQ(job.DocInfo.DocName, "Items report");
    EXPECT_EQ(job.DocInfo.Datatype, "RAW");
    EXPECT_EQ(job.DocInfo.OutputFile, "");
    EXPECT_EQ(job.Data,
              "\x1B"
              "E" +
                  text + "\f");
    ASSERT_EQ(job.Pages.size(), 3u);
    EXPECT_EQ(job.PageStarts[0], 2u); // after the initialization string
    EXPECT_EQ(job.Pages[1][0], '\f');
    EXPECT_EQ(job.Pages[2].substr(job.Pages[2].size() - 3), "\r\n\f"); // the closing string ends the last page
    EXPECT_TRUE(job.Ended);
    EXPECT_TRUE(job.Closed);
    EXPECT_EQ(sp.OpenCount(), 0);
    EXPECT_EQ(PS().PagesOutput, 3);
}

TEST_F(PrintRunTest, RawPrinterTextGoesToThePrinterTheReportUses) {
    UseFastPrinterText();
    RS().DefaultPrinter = false;
    RS().PrinterName = "Virtual Dot Matrix";
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(spooler.Spooler().LastJob().PrinterName, "Virtual Dot Matrix");

    RS().DefaultPrinter = true;
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(spooler.Spooler().LastJob().PrinterName, "Virtual Printer");
}

// Where a spooler call fails: the run ends as aborted and whatever was
// opened or started is ended and closed.
struct SpoolFailure {
    TSpoolCall Call;
    int N;
    bool RaisedWhileClosing;
    bool JobStarted;
};

class SpoolFailureTest : public PrintRunTest, public ::testing::WithParamInterface<SpoolFailure> {};

TEST_P(SpoolFailureTest, EndsTheRunAsAbortedWithoutLeavingTheJobOpen) {
    const SpoolFailure f = GetParam();
    UseFastPrinterText();
    StartRun(grid.get());
    TCaptureSpooler& sp = spooler.Spooler();
    sp.FailAt(f.Call, f.N);
    if (f.RaisedWhileClosing) {
        EXPECT_THROW(PrintRun(), ETrxPrtError);
        EXPECT_EQ(PS().LastModalResult, 3);
    } else {
        EXPECT_EQ(PrintRun(), 3);
    }
    EXPECT_EQ(PS().OperStatus, TOperStatus::osAbort);
    EXPECT_EQ(fmProgress, nullptr);
    // A printer whose closing fails is the only one left open.
    const bool closes = f.Call != C::scClosePrinter;
    EXPECT_EQ(sp.OpenCount(), closes ? 0 : 1);
    EXPECT_EQ(sp.CallCount(C::scClosePrinter), sp.CallCount(C::scOpenPrinter) - (f.Call == C::scOpenPrinter));
    ASSERT_EQ(sp.Jobs().size(), f.JobStarted ? 1u : 0u);
    if (f.JobStarted) {
        const TSpoolJob& job = sp.LastJob();
        EXPECT_EQ(job.Closed, closes);
        EXPECT_EQ(job.Ended, f.Call != C::scEndDocPrinter);
        EXPECT_EQ(job.PageEnds.size(), job.PageStarts.size());
        // The closing string still ends a started document.
        if (f.Call != C::scEndDocPrinter) {
            EXPECT_EQ(job.Data.back(), '\f');
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryCall, SpoolFailureTest,
    ::testing::Values(SpoolFailure{C::scOpenPrinter, 1, false, false},
                      SpoolFailure{C::scStartDocPrinter, 1, false, false},
                      SpoolFailure{C::scWritePrinter, 1, false, true}, // the initialization string
                      SpoolFailure{C::scStartPagePrinter, 2, false, true},
                      SpoolFailure{C::scWritePrinter, 15, false, true}, // a line of page 2
                      SpoolFailure{C::scEndPagePrinter, 1, false, true}, // the sheet break after page 1
                      SpoolFailure{C::scEndDocPrinter, 1, true, true}, SpoolFailure{C::scClosePrinter, 1, true, true}));

TEST_F(PrintRunTest, AFailedClosingStringStillEndsThePageAndTheDocument) {
    UseFastPrinterText();
    StartRun(grid.get());
    TCaptureSpooler& sp = spooler.Spooler();
    PrepareToPrint();
    // The initialization string, every line of three pages, then the
    // closing string: its write is the last.
    sp.ResetCounts();
    EXPECT_EQ(PS().PrintReport(false, nullptr), 1);
    const int writes = sp.CallCount(C::scWritePrinter);
    sp.Clear();
    sp.ResetCounts();
    sp.FailAt(C::scWritePrinter, writes);
    try {
        PS().PrintReport(false, nullptr);
        FAIL() << "no printing error";
    } catch (const ETrxPrtError& e) {
        EXPECT_EQ(e.Message,
                  "Tabrix! Printing Error: Using Fast Printer Text. Error writing printer closing string to print "
                  "spooler.");
    }
    const TSpoolJob& job = sp.LastJob();
    EXPECT_TRUE(job.Ended);
    EXPECT_TRUE(job.Closed);
    EXPECT_EQ(job.PageEnds.size(), 3u);
}

// ---- Text files ------------------------------------------------------------

TEST_F(PrintRunTest, AnExistingFileIsOverwrittenOrAppendedTo) {
    StartRun(grid.get());
    WriteAll(OutName(), "earlier\r\n");
    EXPECT_EQ(PrintRun(), 1);
    const std::string report = Output();
    EXPECT_EQ(report.find("earlier"), std::string::npos);

    RS().IfOutputFileExists = TIfOutputFileExists::oeAppendToFile;
    WriteAll(OutName(), "earlier\r\n");
    EXPECT_EQ(PrintRun(), 1);
    // The first page of the run is the first of its pages: no form feed.
    EXPECT_EQ(Output(), "earlier\r\n" + report);
}

TEST_F(PrintRunTest, TheUserDecidesAboutAnExistingFile) {
    RS().IfOutputFileExists = TIfOutputFileExists::oeAskUser;
    StartRun(grid.get());
    EXPECT_EQ(PrintRun(), 1); // no file yet: no question
    EXPECT_TRUE(ui->CallsOf(TDialogKind::dkMessageDlg).empty());
    const std::string report = Output();

    ui->AnswerMessage(mrNo, "File \"" + OutName() +
                                "\" already exists\rOverwrite this file?\r  Yes   : Overwrites\r"
                                "  No    : Appends to file\r  Cancel: Terminates Report");
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(Output(), report + report);
    ASSERT_EQ(ui->CallsOf(TDialogKind::dkMessageDlg).size(), 1u);
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkMessageDlg)[0].HelpContext, 700);

    ui->AnswerMessage(mrYes);
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(Output(), report);

    ui->AnswerMessage(mrCancel);
    EXPECT_EQ(PrintRun(), 2);
    EXPECT_EQ(PS().OperStatus, TOperStatus::osCancel);
    EXPECT_EQ(Output(), report);
    EXPECT_EQ(ui->PendingSteps(), 0u);
}

TEST_F(PrintRunTest, AFileThatCannotBeOpenedIsReportedAndAbortsTheRun) {
    StartRun(grid.get());
    TTextFile other(OutName());
    other.Rewrite(); // another program writes it
    ASSERT_EQ(other.IOResult(), 0);
    EXPECT_EQ(PrintRun(), 3);
    const std::vector<std::string> messages = ui->Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Output file \"" + OutName() +
                               "\" is locked by another application\r\nI/O Error=32\r\n\r\n"
                               "Solution: Have the other application close the file or use a different output file "
                               "name");
    EXPECT_EQ(ui->Beeps(), (std::vector<uint32_t>{MB_ICONASTERISK}));
    other.CloseFile();

    ui->ClearCalls();
    RS().OutputFileName = dir.File("missing/report.txt");
    EXPECT_EQ(PrintRun(), 3);
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0], "Cannot open output file \"" + RS().OutputFileName + "\"\r\nI/O Error=3");
}

TEST_F(PrintRunTest, TheDatabaseBeingPrintedIsNeverTheOutput) {
    auto table = Table(
        "PRAGMA journal_mode = WAL;"
        "CREATE TABLE items(id INTEGER, name VARCHAR(10));"
        "INSERT INTO items VALUES (1, 'one');");
    StartRun(table.get());
    const std::string db = table->DatabaseName();
    const std::string original = ReadAll(db);
    ASSERT_FALSE(original.empty());
    ASSERT_EQ(symlink(db.c_str(), dir.File("link.db").c_str()), 0);
    ASSERT_EQ(link(db.c_str(), dir.File("hard.db").c_str()), 0);
    ASSERT_EQ(mkdir(dir.File("sub").c_str(), 0700), 0);
    // The database by any path or link, and its write-ahead log.
    for (const std::string& name :
         {db, dir.File("sub/../items.db"), dir.File("./link.db"), dir.File("hard.db"), db + "-wal"}) {
        ui->ClearCalls();
        RS().OutputFileName = name;
        EXPECT_EQ(PrintRun(), 3) << name;
        EXPECT_EQ(ui->Messages(),
                  (std::vector<std::string>{"Cannot open output file \"" + name + "\"\r\nI/O Error=5"}));
        EXPECT_EQ(ui->Beeps(), (std::vector<uint32_t>{MB_ICONASTERISK}));
    }
    EXPECT_EQ(ReadAll(db), original);
    // Before asking about an existing file.
    RS().IfOutputFileExists = TIfOutputFileExists::oeAskUser;
    RS().OutputFileName = db;
    EXPECT_EQ(PrintRun(), 3);
    EXPECT_TRUE(ui->CallsOf(TDialogKind::dkMessageDlg).empty());
    EXPECT_EQ(ReadAll(db), original);

    RS().OutputFileName = OutName();
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_NE(Output().find("one"), std::string::npos);
}

// ---- Devices and pipes ---------------------------------------------------------

// The read end of a FIFO made in the test's directory, opened before the
// run so that the run finds a reader; the report is small enough for the
// pipe to hold all of it.
class PipeReader {
public:
    explicit PipeReader(const std::string& Name) {
        EXPECT_EQ(mkfifo(Name.c_str(), 0600), 0);
        fd_ = open(Name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        EXPECT_GE(fd_, 0);
    }
    ~PipeReader() { Close(); }
    void Close() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }
    // Everything written to the pipe so far.
    std::string ReadAvailable() {
        std::string out;
        char buf[4096];
        ssize_t n;
        while ((n = read(fd_, buf, sizeof buf)) > 0) out.append(buf, static_cast<std::size_t>(n));
        return out;
    }

private:
    int fd_ = -1;
};

TEST_F(PrintRunTest, AReportGoesToADeviceOrAPipeAsToAFile) {
    StartRun(grid.get());
    ASSERT_EQ(PrintRun(), 1);
    const std::string report = Output();
    ASSERT_LT(report.size(), 60000u);

    for (TIfOutputFileExists exists : {TIfOutputFileExists::oeOverWriteFile, TIfOutputFileExists::oeAppendToFile}) {
        RS().IfOutputFileExists = exists;
        RS().OutputFileName = "/dev/null";
        EXPECT_EQ(PrintRun(), 1);

        const std::string fifo = dir.File(exists == TIfOutputFileExists::oeOverWriteFile ? "over" : "append");
        PipeReader reader(fifo);
        RS().OutputFileName = fifo;
        EXPECT_EQ(PrintRun(), 1);
        EXPECT_EQ(reader.ReadAvailable(), report);
    }
    EXPECT_TRUE(ui->Messages().empty());

    // A pipe that nobody reads is reported as the device that is not ready.
    RS().OutputFileName = dir.File("over");
    EXPECT_EQ(PrintRun(), 3);
    EXPECT_EQ(ui->Messages(),
              (std::vector<std::string>{"Cannot open output file \"" + RS().OutputFileName + "\"\r\nI/O Error=21"}));

    // A full device ends the run with its reason.
    RS().OutputFileName = "/dev/full";
    EXPECT_THROW(PrintRun(), EInOutError);
    EXPECT_EQ(PS().LastModalResult, 3);
    EXPECT_EQ(PS().AbortReason, "Disk full");
}

TEST_F(PrintRunTest, ARunWithoutADestinationIsAborted) {
    StartRun(grid.get());
    PrepareToPrint();
    PS().ToFile = PS().ToTextFile = false;
    EXPECT_EQ(PS().PrintReport(false, nullptr), 3);
    try {
        PS().OpenOutput();
        FAIL() << "no internal error";
    } catch (const eTrxIntError& e) {
        EXPECT_EQ(e.Message,
                  "Tabrix! Internal Error: Open Output Internal Error **\rOutput destination not specified.");
    }
}

// ---- The progress window -----------------------------------------------------

class ProgressRunTest : public PrintRunTest {
protected:
    ProgressRunTest() : stepping_(stepping) {
        RS().DisplayProgressWindow = true;
        grid = Grid(3, 300);
    }
    SteppingClock stepping;

private:
    TClockOverride stepping_;
};

TEST_F(ProgressRunTest, AnAbortedPrinterRunThrowsItsDocumentAway) {
    RS().OutputDest = TOutputDest::odPrinter;
    StartRun(grid.get());
    Application()->QueueInput([] { UserClick(fmProgress->bbCancel); });
    ui->OnModal("fmProgress", [](TCustomForm&) { UserClick(fmProgress->bbAbortOper); });
    EXPECT_EQ(PrintRun(), 3);
    EXPECT_TRUE(printer.Driver().LastDocument().Aborted);
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(fmProgress, nullptr);
    EXPECT_EQ(ui->PendingSteps(), 0u);
}

// The result of an aborted run counts what was delivered: a printer's
// document thrown away delivered no page; a text file keeps the pages
// written before the abort.
TEST_F(ProgressRunTest, AnAbortedRunCountsThePagesItDelivered) {
    for (const TOutputDest dest : {TOutputDest::odPrinter, TOutputDest::odTextFile}) {
        const bool toPrinter = dest == TOutputDest::odPrinter;
        RS().OutputDest = dest;
        StartRun(grid.get());
        const int before = PS().TotalPagesOutput;
        Application()->QueueInput([] { UserClick(fmProgress->bbCancel); });
        ui->OnModal("fmProgress", [](TCustomForm&) { UserClick(fmProgress->bbAbortOper); });
        std::string said;
        ui->OnModal("fmProgress", [&said](TCustomForm&) {
            said = fmProgress->lbPageNum->Caption();
            UserClick(fmProgress->bbOk);
        });
        EXPECT_EQ(PrintRun(true), 3);
        const int delivered = toPrinter ? 0 : static_cast<int>(OutputPages().size()) - 1;
        if (toPrinter) {
            EXPECT_TRUE(printer.Driver().LastDocument().Aborted);
        } else {
            EXPECT_GE(delivered, 1);
        }
        EXPECT_EQ(PS().PagesOutput, delivered) << toPrinter;
        EXPECT_EQ(PS().TotalPagesOutput, before + delivered) << toPrinter;
        EXPECT_EQ(said.rfind(std::to_string(delivered) + " Pages Printed. ", 0), 0u) << said;
        EXPECT_EQ(ui->PendingSteps(), 0u);
    }
}

TEST_F(ProgressRunTest, TheWindowShowsTheRunAndClosesWithItsOutcome) {
    StartRun(grid.get());
    std::string caption;
    Application()->QueueInput([&] { caption = fmProgress->Caption(); });
    ui->OnModal("fmProgress", [this](TCustomForm& f) {
        auto& fm = static_cast<TfmProgress&>(f);
        const std::string text = fm.lbPageNum->Caption();
        EXPECT_EQ(text.rfind(std::to_string(PS().PagesOutput) + " Pages Printed. Elapsed Time: ", 0), 0u) << text;
        EXPECT_EQ(text.substr(text.size() - 8), " seconds") << text;
        UserClick(fm.bbOk);
    });
    EXPECT_EQ(PrintRun(true), 1);
    EXPECT_EQ(caption, "Report:Items");
    EXPECT_EQ(fmProgress, nullptr);
    EXPECT_EQ(ui->PendingSteps(), 0u);
}

TEST_F(ProgressRunTest, AnAbortedRunKeepsItsReasonAndTheWindowShowsIt) {
    UseFastPrinterText();
    StartRun(grid.get());
    spooler.Spooler().FailAt(C::scWritePrinter, 80); // a line of a later page
    const std::string reason = "Tabrix! Printing Error: \rError writing to print spooler. Page:";
    std::string status;
    ui->OnModal("fmProgress", [&](TCustomForm& f) {
        auto& fm = static_cast<TfmProgress&>(f);
        status = fm.paStatusBar->Caption();
        UserClick(fm.bbOk);
    });
    EXPECT_EQ(PrintRun(true), 3);
    EXPECT_EQ(PS().OperStatus, TOperStatus::osAbort);
    EXPECT_EQ(PS().AbortReason.rfind(reason, 0), 0u) << PS().AbortReason;
    // One line on the status bar: the outcome, then why.
    EXPECT_EQ(status.rfind("Report --Terminated With Error--: Tabrix! Printing Error:  Error writing to print spooler. "
                           "Page:",
                           0),
              0u)
        << status;

    // The next run starts without it, and a failure while closing is kept too.
    spooler.Spooler().ResetCounts();
    spooler.Spooler().FailAt(C::scEndDocPrinter, 1);
    EXPECT_THROW(PrintRun(false), ETrxPrtError);
    EXPECT_EQ(PS().AbortReason,
              "Tabrix! Printing Error: Print Spooler Error **\rUnable to end document printing "
              "(EndDocPrinter)");
    EXPECT_EQ(PrintRun(false), 1);
    EXPECT_EQ(PS().AbortReason, "");
    EXPECT_EQ(ui->PendingSteps(), 0u);
}

TEST_F(ProgressRunTest, APipeWhoseReaderGoesAwayEndsTheRunNotTheProgram) {
    StartRun(grid.get());
    PipeReader reader(dir.File("pipe"));
    RS().OutputFileName = dir.File("pipe");
    Application()->QueueInput([&] { reader.Close(); });
    EXPECT_THROW(PrintRun(), EInOutError);
    EXPECT_EQ(PS().LastModalResult, 3);
}

// Another program changes the table while the report runs: it deletes rows
// and runs VACUUM, which gives the rows after a gap new row ids.
struct ChangingRun {
    const char* Name;
    bool Wal; // write-ahead log, else a rollback journal
    bool Export;
};

void PrintTo(const ChangingRun& Run, std::ostream* Out) { *Out << Run.Name; }

class ChangeDuringRunTest : public ProgressRunTest, public ::testing::WithParamInterface<ChangingRun> {
protected:
    // The numbers of the names printed, in their order.
    std::vector<int> NamesPrinted() {
        std::vector<int> ids;
        const std::string out = Output();
        for (std::size_t at = out.find(" n"); at != std::string::npos; at = out.find(" n", at + 1)) {
            std::size_t end = at + 2;
            while (end < out.size() && std::isdigit(static_cast<unsigned char>(out[end]))) ++end;
            if (end > at + 2) ids.push_back(std::stoi(out.substr(at + 2, end - at - 2)));
        }
        return ids;
    }
};

TEST_P(ChangeDuringRunTest, TheRunPrintsTheRowsAsTheyStoodWhenItBegan) {
    const ChangingRun& c = GetParam();
    SetOpt(S::soLineNumbers, false);
    if (c.Export) {
        RS().OutputDest = TOutputDest::odExportFile;
        RS().ExportFieldDelim = "32"; // a blank before each name
        RS().ExportQuote = "";
    }
    // Rows 301 to 900: the first 300 were deleted, leaving a gap of row ids.
    auto table = Table(std::string(c.Wal ? "PRAGMA journal_mode = WAL;" : "") +
                       "CREATE TABLE items(id INTEGER, name VARCHAR(10));"
                       "INSERT INTO items WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 900)"
                       " SELECT i, 'n' || i FROM n;"
                       "DELETE FROM items WHERE id <= 300;");
    StartRun(table.get());
    int changed = -1;
    Application()->QueueInput([&] { changed = db->TryExec("DELETE FROM items WHERE id > 800; VACUUM;"); });
    EXPECT_EQ(PrintRun(), 1);
    // With a write-ahead log the other program goes ahead; with a rollback
    // journal it must wait until the run ends.
    EXPECT_EQ(changed, c.Wal ? 0 : 5);
    std::vector<int> expected;
    for (int i = 301; i <= 900; ++i) expected.push_back(i);
    EXPECT_EQ(NamesPrinted(), expected);
    // Nothing is held once the run has ended.
    EXPECT_EQ(db->TryExec("DELETE FROM items WHERE id > 700"), 0);
}

INSTANTIATE_TEST_SUITE_P(Changes, ChangeDuringRunTest,
                         ::testing::Values(ChangingRun{"TextWal", true, false},
                                           ChangingRun{"TextJournal", false, false},
                                           ChangingRun{"ExportWal", true, true},
                                           ChangingRun{"ExportJournal", false, true}),
                         [](const ::testing::TestParamInfo<ChangingRun>& I) { return std::string(I.param.Name); });

// ---- Window snapshots --------------------------------------------------------

class SnapShotTest : public PrintRunTest {
protected:
    SnapShotTest() {
        Screen()->SetSize(1024, 768);
        form = NewForm<TForm>(Application());
        form->SetName("fmItems");
        form->SetBounds(10, 10, 300, 200);
        grid->SetParent(form);
        RS().OutputDest = TOutputDest::odPrinter;
        RS().PrintWhat = TPrintWhat::pwWindowSnapShot;
    }
    ~SnapShotTest() override { grid->SetParent(nullptr); }
    std::vector<TDrawOp> Images() { return printer.Driver().LastDocument().WindowImages(); }
    TForm* form = nullptr;
};

TEST_F(SnapShotTest, TheFormIsPrintedAsItsSizeSaysAndLeftAsItWas) {
    form->PrintScale = TPrintScale::poNone;
    StartRun(grid.get());
    RS().SnapShotSize = "CT";
    EXPECT_EQ(PrintRun(), 1);
    ASSERT_EQ(Images().size(), 1u);
    EXPECT_EQ(Images()[0].WindowName, "fmItems");
    EXPECT_EQ(Images()[0].PrintScale, TPrintScale::poPrintToFit);
    // A hidden form is shown for its picture and hidden again.
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->PrintScale, TPrintScale::poNone);
    EXPECT_EQ(fmProgress, nullptr);

    RS().SnapShotSize = "MP";
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(Images()[0].PrintScale, TPrintScale::poProportional);
    EXPECT_GT(Images()[0].ImageSize.cx, 300); // maximized for the picture
    EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(form->Width(), 300);

    RS().SnapShotSize = "CS";
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(Images()[0].PrintScale, TPrintScale::poNone);
}

TEST_F(SnapShotTest, ASnapshotNeedsAFormAndThePrinter) {
    StartRun(grid.get());
    grid->SetParent(nullptr);
    PrepareToPrint();
    try {
        PS().PrintSnapShot();
        FAIL() << "no setup error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message, "TtrxTabrix Setup Error\r\rTrxTabrix1 does not have a form");
    }
    EXPECT_EQ(PrintRun(), 3);

    grid->SetParent(form);
    PrepareToPrint();
    PS().ToPrinter = false;
    try {
        PS().PrintSnapShot();
        FAIL() << "no setup error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message,
                  "TtrxTabrix Setup Error\r\rAttempted to print snapshot without using printer as Output Destination");
    }
}

} // namespace
} // namespace trx::test
