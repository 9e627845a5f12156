#include <gtest/gtest.h>

#include "framework/printing/capture_spooler.h"
#include "framework/printing/spooler.h"
#include "framework/printing/virtual_printer.h"

namespace trx {
namespace {

TDocInfo1 RawDoc(const std::string& Name) { return TDocInfo1{Name, "", "RAW"}; }

class SpoolerTest : public ::testing::Test {
protected:
    TVirtualPrinterOverride printers;
    TSpoolerOverride over;
    TCaptureSpooler& S = over.Spooler();
};

TEST_F(SpoolerTest, ARawJobKeepsEveryByteAndItsPages) {
    EXPECT_EQ(&Spooler(), &S);
    TPrinterHandle h = 0;
    ASSERT_TRUE(OpenPrinterA("Virtual Printer", h));
    EXPECT_NE(h, 0u);
    uint32_t job = StartDocPrinterA(h, 1, RawDoc("Monthly sales"));
    EXPECT_NE(job, 0u);
    const std::string init(
        "\x1b"
        "E",
        2);
    const std::string line1("\xC4\xC4\xC2\xC4 A\0B\r\n", 10); // line drawing and a NUL pass unchanged
    EXPECT_TRUE(WritePrinter(h, init));
    EXPECT_TRUE(StartPagePrinter(h));
    EXPECT_TRUE(WritePrinter(h, line1));
    EXPECT_TRUE(EndPagePrinter(h));
    EXPECT_TRUE(StartPagePrinter(h));
    EXPECT_TRUE(WritePrinter(h, "\x0cline 2\r\n"));
    uint32_t written = 0;
    EXPECT_TRUE(WritePrinter(h, "#", 1, written));
    EXPECT_EQ(written, 1u);
    EXPECT_TRUE(EndPagePrinter(h));
    EXPECT_TRUE(EndDocPrinter(h));
    EXPECT_TRUE(ClosePrinter(h));

    ASSERT_EQ(S.Jobs().size(), 1u);
    const TSpoolJob& j = S.LastJob();
    EXPECT_EQ(j.PrinterName, "Virtual Printer");
    EXPECT_EQ(j.DocInfo.DocName, "Monthly sales");
    EXPECT_EQ(j.DocInfo.Datatype, "RAW");
    EXPECT_EQ(j.JobId, job);
    EXPECT_EQ(j.Data, init + line1 + "\x0cline 2\r\n#");
    ASSERT_EQ(j.Pages.size(), 2u);
    EXPECT_EQ(j.Pages[0], line1);
    EXPECT_EQ(j.Pages[1], "\x0cline 2\r\n#");
    EXPECT_EQ(j.PageStarts, (std::vector<size_t>{2, 12}));
    EXPECT_EQ(j.PageEnds, (std::vector<size_t>{12, 22}));
    EXPECT_TRUE(j.Ended);
    EXPECT_TRUE(j.Closed);
    EXPECT_EQ(S.OpenCount(), 0);
}

TEST_F(SpoolerTest, OnlyInstalledPrintersOpen) {
    TPrinterHandle h = 99;
    EXPECT_FALSE(OpenPrinterA("No Such Printer", h));
    EXPECT_EQ(h, 0u);
    EXPECT_FALSE(OpenPrinterA("", h));
    EXPECT_TRUE(OpenPrinterA("virtual printer a4", h)); // names ignore case
    EXPECT_TRUE(ClosePrinter(h));

    TCaptureSpooler own({"LPT Draft"});
    EXPECT_TRUE(own.OpenPrinter("lpt draft", h));
    EXPECT_FALSE(own.OpenPrinter("Virtual Printer", h));
}

TEST_F(SpoolerTest, CallsOutOfOrderFailAsTheSpoolerReportsThem) {
    TPrinterHandle h = 0;
    ASSERT_TRUE(OpenPrinterA("Virtual Printer", h));
    EXPECT_FALSE(WritePrinter(h, "x")); // no document yet
    EXPECT_FALSE(StartPagePrinter(h));
    EXPECT_EQ(StartDocPrinterA(h, 2, RawDoc("d")), 0u); // only level 1
    ASSERT_NE(StartDocPrinterA(h, 1, RawDoc("d")), 0u);
    EXPECT_EQ(StartDocPrinterA(h, 1, RawDoc("again")), 0u); // one document at a time
    EXPECT_FALSE(EndPagePrinter(h)); // no page open
    EXPECT_TRUE(StartPagePrinter(h));
    EXPECT_FALSE(StartPagePrinter(h));
    EXPECT_TRUE(EndDocPrinter(h)); // ends the open page too
    EXPECT_EQ(S.LastJob().PageEnds.size(), 1u);
    EXPECT_TRUE(ClosePrinter(h));
    EXPECT_FALSE(ClosePrinter(h)); // the handle is gone
    EXPECT_FALSE(StartPagePrinter(h));
    EXPECT_EQ(S.Jobs().size(), 1u);
}

TEST_F(SpoolerTest, ClosingWithoutEndingLeavesTheJobUnended) {
    TPrinterHandle h = 0;
    ASSERT_TRUE(OpenPrinterA("Virtual Printer", h));
    ASSERT_NE(StartDocPrinterA(h, 1, RawDoc("cut short")), 0u);
    EXPECT_TRUE(WritePrinter(h, "abc"));
    EXPECT_TRUE(ClosePrinter(h));
    EXPECT_FALSE(S.LastJob().Ended);
    EXPECT_TRUE(S.LastJob().Closed);
}

TEST_F(SpoolerTest, TheNthCallOfAKindCanBeMadeToFail) {
    S.FailAt(TSpoolCall::scWritePrinter, 2);
    S.FailAt(TSpoolCall::scEndPagePrinter, 1);
    TPrinterHandle h = 0;
    ASSERT_TRUE(OpenPrinterA("Virtual Printer", h));
    ASSERT_NE(StartDocPrinterA(h, 1, RawDoc("d")), 0u);
    ASSERT_TRUE(StartPagePrinter(h));
    EXPECT_TRUE(WritePrinter(h, "one"));
    uint32_t written = 7;
    EXPECT_FALSE(WritePrinter(h, "two", 3, written));
    EXPECT_EQ(written, 0u);
    EXPECT_TRUE(WritePrinter(h, "three"));
    EXPECT_FALSE(EndPagePrinter(h)); // the page stays open
    EXPECT_TRUE(EndPagePrinter(h));
    EXPECT_EQ(S.LastJob().Data, "onethree");
    EXPECT_EQ(S.CallCount(TSpoolCall::scWritePrinter), 3);
    EXPECT_EQ(S.CallCount(TSpoolCall::scEndPagePrinter), 2);

    const auto& log = S.Log();
    ASSERT_EQ(log.size(), 8u);
    EXPECT_EQ(log[4].Call, TSpoolCall::scWritePrinter);
    EXPECT_FALSE(log[4].Result);
    EXPECT_TRUE(log[5].Result);

    S.ResetCounts();
    S.FailEvery(TSpoolCall::scStartDocPrinter);
    S.FailAt(TSpoolCall::scOpenPrinter, 1);
    EXPECT_TRUE(EndDocPrinter(h));
    TPrinterHandle h2 = 0;
    EXPECT_FALSE(OpenPrinterA("Virtual Printer", h2));
    EXPECT_TRUE(OpenPrinterA("Virtual Printer", h2));
    EXPECT_EQ(StartDocPrinterA(h2, 1, RawDoc("x")), 0u);
    EXPECT_EQ(StartDocPrinterA(h2, 1, RawDoc("y")), 0u);
    EXPECT_EQ(S.Jobs().size(), 1u);
}

TEST(SpoolerGlobal, ReplacedAndRecreated) {
    std::unique_ptr<TSpooler> saved = SetSpooler(nullptr);
    TSpooler& fresh = Spooler();
    EXPECT_NE(dynamic_cast<TCaptureSpooler*>(&fresh), nullptr);
    SetSpooler(std::move(saved));
}

} // namespace
} // namespace trx
