#include <gtest/gtest.h>

#include <memory>

#include "framework/qt/qt_printer_driver.h"
#include "loopback_listener.h"
#include "pdf_tools.h"
#include "private_cups.h"
#include "support/temp_dir.h"
#include "text_pages.h"

namespace trx {
namespace {

using test::LoopbackListener;
using test::PrivateCups;

class CupsPrintingTest : public ::testing::Test {
protected:
    CupsPrintingTest() : cups(PrivateCups::Get()), printer(std::make_unique<TQtPrinterDriver>()) {
        driver = static_cast<TQtPrinterDriver*>(&printer.Driver());
        cups.AddRawQueue("office", listener.Port());
        printer.Refresh();
    }
    ~CupsPrintingTest() override { cups.RemoveQueue("office"); }

    void SelectOffice() {
        printer.SetPrinterIndex(printer.Printers().IndexOf("office"));
        ASSERT_EQ(printer.PrinterName(), "office");
        TDeviceMode mode = printer.DeviceMode();
        mode.PaperSize = DMPAPER_A4;
        printer.SetDeviceMode(mode);
    }

    // The job the queue delivered, kept as a file.
    std::string ReceivedFile() {
        const std::string file = dir.File("received.pdf");
        test::WriteAll(file, listener.Receive());
        return file;
    }

    PrivateCups& cups;
    LoopbackListener listener;
    test::TempDir dir;
    TPrinter printer;
    TQtPrinterDriver* driver;
};

TEST_F(CupsPrintingTest, CupsQueuesAreListedBeforeThePdfPrinterAndTheirDefaultIsTheDefault) {
    LoopbackListener other;
    cups.AddRawQueue("annex", other.Port());
    std::vector<TPrinterInfo> list = driver->Printers();
    ASSERT_GE(list.size(), 3u);
    EXPECT_EQ(list.back().Name, PdfPrinterName);
    auto find = [&](const std::string& Name) {
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i].Name == Name) return static_cast<int>(i);
        return -1;
    };
    const int annex = find("annex");
    const int office = find("office");
    ASSERT_GE(annex, 0);
    ASSERT_GT(office, annex); // by name
    EXPECT_EQ(list[office].Port, "socket://127.0.0.1:" + std::to_string(listener.Port()));
    EXPECT_EQ(driver->DefaultPrinter(), static_cast<int>(list.size()) - 1);

    cups.SetDefault("office");
    driver->Printers();
    EXPECT_EQ(driver->DefaultPrinter(), office);
    printer.Refresh();
    printer.SetPrinterIndex(-1);
    EXPECT_EQ(printer.PrinterName(), "office");

    // Without its default printer CUPS has none: the PDF printer is the default again.
    cups.RemoveQueue("annex");
    cups.RemoveQueue("office");
    list = driver->Printers();
    EXPECT_EQ(find("office"), -1);
    EXPECT_EQ(driver->DefaultPrinter(), static_cast<int>(list.size()) - 1);
    cups.AddRawQueue("office", listener.Port());
}

TEST_F(CupsPrintingTest, ACupsPrinterHasTheDevicesPageGeometry) {
    SelectOffice();
    TPageGeometry a4 = printer.Geometry();
    EXPECT_GT(a4.PixelsPerInchX, 0);
    EXPECT_EQ(a4.PixelsPerInchX, a4.PixelsPerInchY);
    EXPECT_NEAR(a4.PhysicalWidth * 254 / a4.PixelsPerInchX, 2100, 5); // tenths of a millimetre
    EXPECT_NEAR(a4.PhysicalHeight * 254 / a4.PixelsPerInchY, 2970, 5);
    EXPECT_GE(a4.PhysicalOffsetX, 0);
    EXPECT_EQ(a4.PageWidth + 2 * a4.PhysicalOffsetX, a4.PhysicalWidth);
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    TPageGeometry wide = printer.Geometry();
    EXPECT_EQ(wide.PhysicalWidth, a4.PhysicalHeight);
    EXPECT_EQ(wide.PhysicalHeight, a4.PhysicalWidth);
    TDeviceMode mode = driver->DefaultDeviceMode("office");
    int width = 0;
    int length = 0;
    EXPECT_TRUE(PaperDimensions(mode, width, length));
}

TEST_F(CupsPrintingTest, AReportPrintedOnACupsPrinterArrivesAsAPdfWithTheSameLines) {
    SelectOffice();
    test::PrintTextPages(printer, test::SampleReportUtf8());
    const std::string file = ReceivedFile();
    EXPECT_EQ(test::PdfPageCount(file), 3);
    const double cell = printer.Canvas().TextWidth(std::string(1000, 'X')) * 72.0 / 1000 / printer.PixelsPerInchX();
    EXPECT_EQ(test::PdfPages(file, cell), test::SampleReportUtf8());
}

TEST_F(CupsPrintingTest, AQueueThatTakesNoJobsFailsTheEndOfTheDocument) {
    SelectOffice();
    cups.Reject("office");
    try {
        test::PrintTextPages(printer, {{"refused"}});
        ADD_FAILURE() << "a refused document ended as printed";
    } catch (const EPrinter& e) {
        EXPECT_NE(e.Message.find("office"), std::string::npos) << e.Message;
    }
    EXPECT_FALSE(printer.Printing());
    cups.Accept("office");
}

TEST_F(CupsPrintingTest, AnAbortedDocumentIsNotPrinted) {
    SelectOffice();
    printer.BeginDoc();
    printer.Canvas().TextOut(0, 0, "thrown away");
    printer.Abort();
    // Jobs print in order: the next document is the first to arrive.
    test::PrintTextPages(printer, {{"kept"}});
    EXPECT_EQ(test::PdfPages(ReceivedFile()), (test::TTextPages{{"kept"}}));
}

} // namespace
} // namespace trx
