#include <gtest/gtest.h>

#include <memory>

#include "framework/printing/capture_spooler.h"
#include "framework/printing/printer.h"
#include "framework/printing/spooler.h"
#include "framework/printing/virtual_printer.h"
#include "framework/qt/cups_spooler.h"
#include "framework/qt/qt_printer_driver.h"
#include "framework/qt/qt_printing.h"

namespace trx {
namespace {

TEST(QtPrintingTest, TestsKeepTheVirtualPrinterUntilRealPrintingIsAskedFor) {
    // A program built from the folder libraries (as tests are) does not
    // take in the shared library's start-up, so it prints virtually.
    EXPECT_NE(dynamic_cast<TVirtualPrinterDriver*>(&Printer()->Driver()), nullptr);
    EXPECT_NE(dynamic_cast<TCaptureSpooler*>(&Spooler()), nullptr);

    std::unique_ptr<TPrinter> saved_printer = SetPrinter(nullptr);
    std::unique_ptr<TSpooler> saved_spooler = SetSpooler(nullptr);
    UseQtPrinting();
    EXPECT_NE(dynamic_cast<TQtPrinterDriver*>(&Printer()->Driver()), nullptr);
    EXPECT_NE(dynamic_cast<TCupsSpooler*>(&Spooler()), nullptr);
    EXPECT_EQ(Printer()->Printers()[Printer()->Printers().Count() - 1], PdfPrinterName);
    SetPrinter(std::move(saved_printer));
    SetSpooler(std::move(saved_spooler));
}

} // namespace
} // namespace trx
