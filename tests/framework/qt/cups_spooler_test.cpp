#include <gtest/gtest.h>

#include <memory>

#include "command.h"
#include "framework/core/compiler_warnings.h"
#include "framework/printing/capture_spooler.h"
#include "framework/printing/spooler.h"
#include "framework/qt/cups_spooler.h"
#include "loopback_listener.h"
#include "private_cups.h"

namespace trx {
namespace {

using test::LoopbackListener;
using test::PrivateCups;

TDocInfo1 RawDoc(const std::string& Name) { return TDocInfo1{Name, "", "RAW"}; }

// Raw printer text as a report sends it: the printer's initialization
// string, pages of lines ending in CR LF with a form feed before every
// page after the first, and the closing string.
void SendReport(const std::string& Printer) {
    TPrinterHandle h = 0;
    ASSERT_TRUE(OpenPrinterA(Printer, h));
    ASSERT_NE(StartDocPrinterA(h, 1, RawDoc("Report: Sales")), 0u);
    ASSERT_TRUE(WritePrinter(h, std::string("\x1b"
                                            "E\x1b(10U",
                                            7)));
    std::string every_byte;
    for (int c = 0; c < 256; ++c) every_byte += static_cast<char>(c);
    const std::vector<std::vector<std::string>> pages{
        {"\xDA\xC4\xC4\xC2\xC4\xC4\xBF",
         "\xB3 S\x81"
         "d\xB3 1\xB3",
         "\xC0\xC4\xC4\xC1\xC4\xC4\xD9"},
        {"\x0c"
         "Page 2",
         every_byte},
    };
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0) {
            ASSERT_TRUE(EndPagePrinter(h));
        }
        ASSERT_TRUE(StartPagePrinter(h));
        for (const std::string& line : pages[p]) ASSERT_TRUE(WritePrinter(h, line + "\r\n"));
    }
    ASSERT_TRUE(WritePrinter(h, std::string("\x1b"
                                            "E\x0c",
                                            3)));
    ASSERT_TRUE(EndPagePrinter(h));
    ASSERT_TRUE(EndDocPrinter(h));
    ASSERT_TRUE(ClosePrinter(h));
}

class CupsSpoolerTest : public ::testing::Test {
protected:
    CupsSpoolerTest() : cups(PrivateCups::Get()) {
        auto spooler = std::make_unique<TCupsSpooler>();
        S = spooler.get();
        saved = SetSpooler(std::move(spooler));
    }
    ~CupsSpoolerTest() override { SetSpooler(std::move(saved)); }

    PrivateCups& cups;
    TCupsSpooler* S;
    std::unique_ptr<TSpooler> saved;
};

TEST_F(CupsSpoolerTest, ARawJobDeliversTheBytesTheCaptureSpoolerKeeps) {
    LoopbackListener printer;
    cups.AddRawQueue("rawq", printer.Port());
    SendReport("rawq");
    const std::string received = printer.Receive();

    std::string captured;
    {
        TSpoolerOverride capture(std::vector<std::string>{"rawq"});
        SendReport("rawq");
        captured = capture.Spooler().LastJob().Data;
    }
    EXPECT_EQ(received.size(), captured.size());
    EXPECT_TRUE(received == captured);
    cups.RemoveQueue("rawq");
}

TEST_F(CupsSpoolerTest, PrinterNamesAreLookedUpInCups) {
    LoopbackListener printer;
    cups.AddRawQueue("Named_Queue", printer.Port());
    TPrinterHandle h = 77;
    EXPECT_FALSE(OpenPrinterA("No_Such_Queue", h));
    EXPECT_EQ(h, 0u);
    EXPECT_FALSE(S->LastError().empty());
    EXPECT_FALSE(OpenPrinterA("", h));
    EXPECT_FALSE(OpenPrinterA("PDF File", h)); // the PDF printer takes no raw text
    ASSERT_TRUE(OpenPrinterA("named_queue", h)); // CUPS names ignore case
    EXPECT_NE(h, 0u);
    EXPECT_TRUE(ClosePrinter(h));
    EXPECT_FALSE(ClosePrinter(h));
    cups.RemoveQueue("Named_Queue");
}

TEST_F(CupsSpoolerTest, CallsOutOfOrderFailAndChangeNothing) {
    LoopbackListener printer;
    cups.AddRawQueue("orderq", printer.Port());
    TPrinterHandle h = 0;
    ASSERT_TRUE(OpenPrinterA("orderq", h));
    uint32_t written = 5;
    EXPECT_FALSE(WritePrinter(h, "x", 1, written)); // no document yet
    EXPECT_EQ(written, 0u);
    EXPECT_FALSE(StartPagePrinter(h));
    EXPECT_FALSE(EndDocPrinter(h));
    EXPECT_EQ(StartDocPrinterA(h, 1, TDocInfo1{"doc", "", "TEXT"}), 0u); // raw data only
    EXPECT_EQ(StartDocPrinterA(h, 1, TDocInfo1{"doc", "out.prn", "RAW"}), 0u); // no output files
    EXPECT_EQ(StartDocPrinterA(h, 2, RawDoc("doc")), 0u); // level 1 only
    EXPECT_EQ(StartDocPrinterA(h + 100, 1, RawDoc("doc")), 0u);

    ASSERT_NE(StartDocPrinterA(h, 1, RawDoc("doc")), 0u);
    EXPECT_EQ(StartDocPrinterA(h, 1, RawDoc("again")), 0u);
    EXPECT_FALSE(EndPagePrinter(h));
    EXPECT_TRUE(StartPagePrinter(h));
    EXPECT_FALSE(StartPagePrinter(h));
    EXPECT_TRUE(WritePrinter(h, "only this\r\n"));
    EXPECT_TRUE(WritePrinter(h, nullptr, 0, written));
    EXPECT_FALSE(WritePrinter(h, nullptr, 3, written));
    EXPECT_TRUE(EndPagePrinter(h));
    EXPECT_TRUE(EndDocPrinter(h));
    EXPECT_TRUE(ClosePrinter(h));
    EXPECT_EQ(printer.Receive(), "only this\r\n");
    cups.RemoveQueue("orderq");
}

TEST_F(CupsSpoolerTest, ADocumentClosedBeforeItEndsIsCancelledAndNeverPrints) {
    LoopbackListener printer;
    cups.AddRawQueue("cancelq", printer.Port());
    TPrinterHandle h = 0;
    ASSERT_TRUE(OpenPrinterA("cancelq", h));
    ASSERT_NE(StartDocPrinterA(h, 1, RawDoc("half")), 0u);
    EXPECT_TRUE(WritePrinter(h, "half a report"));
    EXPECT_TRUE(ClosePrinter(h));

    // Jobs print in order: the next job is the first to arrive.
    ASSERT_TRUE(OpenPrinterA("cancelq", h));
    ASSERT_NE(StartDocPrinterA(h, 1, RawDoc("whole")), 0u);
    EXPECT_TRUE(WritePrinter(h, "a whole report"));
    EXPECT_TRUE(EndDocPrinter(h));
    EXPECT_TRUE(ClosePrinter(h));
    EXPECT_EQ(printer.Receive(), "a whole report");
    cups.RemoveQueue("cancelq");
}

TEST_F(CupsSpoolerTest, TwoPrintersTakeDocumentsAtTheSameTime) {
    LoopbackListener first;
    LoopbackListener second;
    cups.AddRawQueue("firstq", first.Port());
    cups.AddRawQueue("secondq", second.Port());
    TPrinterHandle a = 0;
    TPrinterHandle b = 0;
    ASSERT_TRUE(OpenPrinterA("firstq", a));
    ASSERT_TRUE(OpenPrinterA("secondq", b));
    ASSERT_NE(StartDocPrinterA(a, 1, RawDoc("a")), 0u);
    ASSERT_NE(StartDocPrinterA(b, 1, RawDoc("b")), 0u);
    for (int i = 0; i < 3; ++i) {
        TRX_GCC_BOGUS_RESTRICT_BEGIN
        EXPECT_TRUE(WritePrinter(a, "A" + std::to_string(i)));
        EXPECT_TRUE(WritePrinter(b, "B" + std::to_string(i)));
        TRX_GCC_BOGUS_RESTRICT_END
    }
    EXPECT_TRUE(EndDocPrinter(b));
    EXPECT_TRUE(EndDocPrinter(a));
    EXPECT_TRUE(ClosePrinter(a));
    EXPECT_TRUE(ClosePrinter(b));
    EXPECT_EQ(first.Receive(), "A0A1A2");
    EXPECT_EQ(second.Receive(), "B0B1B2");
    cups.RemoveQueue("firstq");
    cups.RemoveQueue("secondq");
}

TEST_F(CupsSpoolerTest, AQueueThatTakesNoJobsFailsTheDocumentStart) {
    LoopbackListener printer;
    cups.AddRawQueue("closedq", printer.Port());
    cups.Reject("closedq");
    TPrinterHandle h = 0;
    ASSERT_TRUE(OpenPrinterA("closedq", h));
    EXPECT_EQ(StartDocPrinterA(h, 1, RawDoc("refused")), 0u);
    EXPECT_NE(S->LastError().find("closedq"), std::string::npos) << S->LastError();
    EXPECT_FALSE(WritePrinter(h, "x"));
    EXPECT_TRUE(ClosePrinter(h));
    cups.RemoveQueue("closedq");
}

} // namespace
} // namespace trx
